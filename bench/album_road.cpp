// The whole album road against the converter alone, side by side in one run.
//   1. 24 generated photographs and one generated song, DVD PAL high quality (1920 × 1080),
//      the album following the photographs: template library loaded, photographs imported,
//      movies staged, every frame rendered and encoded. Frames per second of the rendering-
//      and-encoding stage (the import is a cost per photograph, not per frame).
//   2. The converter alone encoding the same number of frames of one still 1080p picture with
//      the same song and settings. The ratio road / converter shows what rendering costs
//      (target >= 0.8).
//   3. Peak resident memory of the road for 24 and for 96 photographs (target < 400 MB and not
//      growing with the photographs). The 96-photograph album follows the music (the same
//      60-second song), so every photograph is imported and staged but the run stays short.
// Every case runs in a child process of its own, so each peak resident set is its own.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include "model/error.h"
#include "model/fonts.h"
#include "model/workspace.h"
#include "render/album_job.h"
#include "render/album_options.h"
#include "render/converter.h"

namespace {

using namespace solvane;

constexpr int kSongSeconds = 60;

long peakResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    long kb = 0;
    if (key == "VmHWM:" && status >> kb) return kb / 1024;
  }
  return -1;
}

void makePhotos(const QString& folder, int count) {
  QDir().mkpath(folder);
  for (int i = 0; i < count; ++i) {
    const bool portrait = i % 4 == 3;
    QImage photo(portrait ? 1200 : 1600, portrait ? 1600 : 1200, QImage::Format_RGB32);
    QPainter p(&photo);
    QLinearGradient g(0, 0, photo.width(), photo.height());
    g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 160, 230));
    g.setColorAt(1, QColor::fromHsv((i * 37 + 120) % 360, 200, 90));
    p.fillRect(photo.rect(), g);
    p.setBrush(QColor(255, 255, 255, 90));
    for (int c = 0; c < 12; ++c)
      p.drawEllipse(QPoint((c * 233 + i * 71) % photo.width(), (c * 157 + i * 43) % photo.height()),
                    60 + c * 9, 60 + c * 9);
    p.end();
    photo.save(QStringLiteral("%1/photo_%2.jpg").arg(folder).arg(i, 3, 10, QLatin1Char('0')), "JPG",
               90);
  }
}

bool makeSong(const QString& path) {
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                          QStringLiteral("sine=frequency=440:duration=%1").arg(kSongSeconds),
                          "-ac", "2", "-ar", "44100", "-c:a", "libmp3lame", "-b:a", "160k", path});
  return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

// Child: one album road. Prints "frames seconds rss".
int runRoad(const QString& data, int photos, bool followMusic) {
  AlbumOptions options;
  options.output = data + QStringLiteral("/road_%1.mpg").arg(photos);
  options.overwrite = true;
  options.music << data + "/song.mp3";
  options.followMusic = followMusic;
  QDir dir(data + "/photos");
  const QStringList files = dir.entryList({"*.jpg"}, QDir::Files, QDir::Name).mid(0, photos);
  for (const QString& f : files) options.photos << dir.filePath(f);
  QTemporaryDir scratch;
  const Workspace workspace(scratch.path(), QCoreApplication::applicationDirPath());
  const AlbumResult result = MakeAlbum(options, workspace, {}, {});
  std::printf("%lld %.3f %ld\n", result.frames, result.renderSeconds, peakResidentMb());
  QFile::remove(options.output);
  return 0;
}

// Child: the converter alone on the same number of frames. Prints "frames seconds rss".
int runConverter(const QString& data, long long frames) {
  const QString framePath = data + "/still.bmp";
  QImage still(data + "/photos/photo_000.jpg");
  still = still.scaled(1920, 1080).convertToFormat(QImage::Format_RGB32);
  auto handoff = std::make_shared<FrameHandoff>();
  handoff->publish(framePath, still);
  MediaList frameList, soundList;
  for (long long i = 0; i < frames; ++i) frameList.add(framePath, kListPicture);
  soundList.add(data + "/song.mp3", kListSound);
  Converter converter;
  converter.setFrameHandoff(handoff);
  converter.assignVideoSource([&](VideoSource& s, int i) {
    if (auto name = frameList.getName(i)) s.setFile(*name); else s.finished();
  });
  converter.assignAudioSource([&](AudioSource& s, int i) {
    if (auto name = soundList.getName(i)) s.setFile(*name); else s.finished();
  });
  // The road republishes every frame; so does this side, to hand over the same work.
  converter.assignVideoFunc([&](int, const QImage&) { handoff->publish(framePath, still.copy()); });
  converter.setFormatPreset(FormatPreset::Dvd, TvStandard::Pal);
  converter.setKeepDuration(true);
  converter.setTruncateAudioToVideo(true);
  converter.setVideoFormat(1920, 1080, 32);
  const QString out = data + "/converter_alone.mpg";
  converter.setVideoFileName(out);
  converter.setAudioFileName(out);
  const auto start = std::chrono::steady_clock::now();
  if (!converter.convert()) {
    std::fprintf(stderr, "converter: %s\n", qPrintable(converter.getErrorStr()));
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%lld %.3f %ld\n", frames, seconds, peakResidentMb());
  QFile::remove(out);
  return 0;
}

struct Figures {
  long long frames = 0;
  double seconds = 0;
  long rss = 0;
  double fps() const { return seconds > 0 ? frames / seconds : 0; }
};

Figures child(const QStringList& args) {
  QProcess self;
  self.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  self.start(QCoreApplication::applicationFilePath(), args);
  Figures f;
  if (!self.waitForFinished(-1) || self.exitCode() != 0) {
    std::fprintf(stderr, "case %s failed\n", qPrintable(args.join(' ')));
    return f;
  }
  std::sscanf(self.readAllStandardOutput().constData(), "%lld %lf %ld", &f.frames, &f.seconds,
              &f.rss);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  loadFontAliases();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    if (args.size() == 5 && args[1] == "--road")
      return runRoad(args[2], args[3].toInt(), args[4] == "music");
    if (args.size() == 4 && args[1] == "--converter")
      return runConverter(args[2], args[3].toLongLong());
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }

  QTemporaryDir data;
  std::printf("preparing 96 photographs and a %d-second song...\n", kSongSeconds);
  std::fflush(stdout);
  makePhotos(data.path() + "/photos", 96);
  if (!makeSong(data.path() + "/song.mp3")) {
    std::fprintf(stderr, "ffmpeg could not make the song\n");
    return 1;
  }
  const Figures road = child({"--road", data.path(), "24", "photos"});
  const Figures alone = child({"--converter", data.path(), QString::number(road.frames)});
  const Figures road96 = child({"--road", data.path(), "96", "music"});
  std::printf("Album road: 24 photos, DVD PAL 1920x1080, one song: %lld frames in %.1f s = %.1f fps\n",
              road.frames, road.seconds, road.fps());
  std::printf("Converter alone, same frames and song: %.1f fps; road / converter = %.2f (target >= 0.8)\n",
              alone.fps(), alone.fps() > 0 ? road.fps() / alone.fps() : 0.0);
  std::printf("Peak resident memory: 24 photos %ld MB, 96 photos %ld MB (%lld frames, music rule); "
              "converter alone %ld MB (target < 400 MB)\n",
              road.rss, road96.rss, road96.frames, alone.rss);
  return 0;
}
