// The whole album road against the converter alone, side by side in one run.
//   1. 24 generated photographs and one generated song, DVD PAL high quality (1920 × 1080),
//      the album following the photographs: template library loaded, photographs imported,
//      movies staged, every frame rendered and encoded. Frames per second of the rendering-
//      and-encoding stage (the import is a cost per photograph, not per frame).
//   2. The converter alone encoding the very same album: the same frames (same template
//      draws, rendered beforehand with the clock stopped) with the same song and settings.
//      The ratio road / converter shows what making the frames costs (target >= 0.8).
//   3. For reference, the converter alone on one still picture for as many frames. Moving
//      pictures cost the MPEG-2 encoder much more than a still (motion search, residuals),
//      so this ratio also counts the album's content against the road.
//   4. The same album road as an MP4 album (H.264 + AAC, 1920 × 1080), in the same rounds, so its
//      frames per second stand beside the DVD album's.
//   5. Peak resident memory of the road for 24 and for 96 photographs (target < 400 MB and not
//      growing with the photographs). The 96-photograph album follows the music (the same
//      60-second song), so every photograph is imported and staged but the run stays short.
// Every case runs in a child process of its own, so each peak resident set is its own. Cases 1,
// 2 and 4 run in alternating rounds (default 3; `bench_album_road N` runs N, and
// `bench_album_road N rounds-only` leaves out cases 3 and 5), because a shared
// machine's speed drifts from minute to minute: the median of the rounds' ratios is printed
// beside the ratio of the two medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
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
#include "render/render_driver.h"
#include "model/project.h"
#include "templates/template_player.h"

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

// One album for every case: the same photographs, the same song and the same template draws,
// so the road and the converter-alone cases work on identical frames.
AlbumOptions albumOptions(const QString& data, int photos, bool followMusic, const QString& kind = "DVD") {
  AlbumOptions options;
  options.kind = kind;
  options.output = data + QStringLiteral("/road_%1.%2").arg(photos).arg(kind == "MP4" ? "mp4" : "mpg");
  options.overwrite = true;
  options.music << data + "/song.mp3";
  options.followMusic = followMusic;
  options.drawSeed = 2026;
  QDir dir(data + "/photos");
  const QStringList files = dir.entryList({"*.jpg"}, QDir::Files, QDir::Name).mid(0, photos);
  for (const QString& f : files) options.photos << dir.filePath(f);
  return options;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Child: one album road. Prints "frames seconds rss cpu", cpu being the CPU seconds of all
// threads from the start of rendering to the end (a loaded machine disturbs it less than the
// wall clock).
int runRoad(const QString& data, int photos, bool followMusic, const QString& kind) {
  const AlbumOptions options = albumOptions(data, photos, followMusic, kind);
  QTemporaryDir scratch;
  const Workspace workspace(scratch.path(), QCoreApplication::applicationDirPath());
  double renderStart = 0;
  AlbumEvents events;
  events.stage = [&](const QString&, bool frames) {
    if (frames) renderStart = cpuSeconds();
  };
  const AlbumResult result = MakeAlbum(options, workspace, events, {});
  std::printf("%lld %.3f %ld %.3f\n", result.frames, result.renderSeconds, peakResidentMb(),
              cpuSeconds() - renderStart);
  QFile::remove(options.output);
  return 0;
}

// The converter set up as the album road sets it up for a DVD PAL album, encoding `frames`
// entries whose pictures `nextPicture` hands over one by one (in memory, like the road).
// Returns the seconds of convert() less the seconds `paused` reports.
double encodeAlone(const QString& data, long long frames, const std::function<QImage()>& nextPicture,
                   const double& paused) {
  const QString framePath = data + "/frame.bmp";
  auto handoff = std::make_shared<FrameHandoff>();
  handoff->publish(framePath, nextPicture());
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
  converter.assignVideoFunc([&](int, const QImage&) {
    QImage next = nextPicture();
    if (!next.isNull()) handoff->publish(framePath, next);
  });
  converter.setFormatPreset(FormatPreset::Dvd, TvStandard::Pal);
  converter.setKeepDuration(true);
  converter.setTruncateAudioToVideo(true);
  converter.setVideoFormat(1920, 1080, 32);
  const QString out = data + "/converter_alone.mpg";
  converter.setVideoFileName(out);
  converter.setAudioFileName(out);
  const auto start = std::chrono::steady_clock::now();
  if (!converter.convert()) throw Error(QStringLiteral("converter: %1").arg(converter.getErrorStr()));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  QFile::remove(out);
  return seconds - paused;
}

// Child: the converter alone on the album's own frames. The album is prepared and rendered
// exactly as the road does it, a chunk of frames ahead at a time with the clock stopped, so
// only handing over and encoding is timed. (The encoder threads finish the few queued frames
// while the clock is stopped, which flatters this side a little.) Prints "frames seconds rss".
int runAloneOnAlbumFrames(const QString& data, int photos) {
  const AlbumOptions options = albumOptions(data, photos, false);
  QTemporaryDir scratch;
  const Workspace workspace(scratch.path(), QCoreApplication::applicationDirPath());
  Project project;
  PrepareAlbumProject(project, options, workspace, {}, {});
  TemplatePlayer player;
  RenderDriver driver(project, workspace, player);
  std::deque<QImage> ahead;
  driver.setFramePublisher([&](const QImage& frame) { ahead.push_back(frame); });
  driver.StartAlbum();
  const long long frames = driver.frameCount();

  constexpr size_t kChunk = 100;  // 100 frames of 1080p: 830 MB
  long long stepsLeft = frames - 1;  // frame 0 is the start picture StartAlbum published
  double paused = 0;
  auto nextPicture = [&]() -> QImage {
    if (ahead.empty() && stepsLeft > 0) {
      const auto stop = std::chrono::steady_clock::now();
      for (; stepsLeft > 0 && ahead.size() < kChunk; --stepsLeft) driver.FrameStep();
      paused += std::chrono::duration<double>(std::chrono::steady_clock::now() - stop).count();
    }
    if (ahead.empty()) return {};
    QImage next = ahead.front();
    ahead.pop_front();
    return next;
  };
  const double seconds = encodeAlone(data, frames, nextPicture, paused);
  std::printf("%lld %.3f %ld\n", frames, seconds, peakResidentMb());
  return 0;
}

// Child: the converter alone on one still picture, handed over anew for every frame.
// A still costs the encoder far less than moving pictures, so this is the converter at its
// quickest. Prints "frames seconds rss".
int runAloneOnStill(const QString& data, long long frames) {
  QImage still(data + "/photos/photo_000.jpg");
  still = still.scaled(1920, 1080).convertToFormat(QImage::Format_RGB32);
  const double seconds = encodeAlone(data, frames, [&] { return still.copy(); }, 0.0);
  std::printf("%lld %.3f %ld\n", frames, seconds, peakResidentMb());
  return 0;
}

struct Figures {
  long long frames = 0;
  double seconds = 0;
  long rss = 0;
  double cpuSeconds = 0;  // road only
  double cpuMsPerFrame() const { return frames > 0 ? 1000 * cpuSeconds / frames : 0; }
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
  std::sscanf(self.readAllStandardOutput().constData(), "%lld %lf %ld %lf", &f.frames, &f.seconds,
              &f.rss, &f.cpuSeconds);
  return f;
}

// The case with the median frame rate.
Figures median(std::vector<Figures> runs) {
  std::sort(runs.begin(), runs.end(), [](const Figures& a, const Figures& b) { return a.fps() < b.fps(); });
  return runs[runs.size() / 2];
}

// The median over the rounds of each round's ratio a / b.
double medianRatio(const std::vector<Figures>& a, const std::vector<Figures>& b) {
  std::vector<double> ratios;
  for (size_t r = 0; r < a.size() && r < b.size(); ++r)
    if (b[r].fps() > 0) ratios.push_back(a[r].fps() / b[r].fps());
  std::sort(ratios.begin(), ratios.end());
  return ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
}

long highestRss(const std::vector<Figures>& runs) {
  long highest = 0;
  for (const Figures& f : runs) highest = std::max(highest, f.rss);
  return highest;
}

}  // namespace

int main(int argc, char** argv) {
  loadFontAliases();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    if (args.size() == 6 && args[1] == "--road")
      return runRoad(args[2], args[3].toInt(), args[4] == "music", args[5]);
    if (args.size() == 4 && args[1] == "--alone-album")
      return runAloneOnAlbumFrames(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == "--alone-still")
      return runAloneOnStill(args[2], args[3].toLongLong());
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }

  // Rounds of road and converter alone, one after the other, so that both meet the same
  // moments of a shared machine; the medians are reported.
  const int rounds = args.size() >= 2 ? std::max(1, args[1].toInt()) : 3;
  // `bench_album_road N rounds-only`: the rounds without the still and 96-photograph cases.
  const bool roundsOnly = args.size() == 3 && args[2] == "rounds-only";
  QTemporaryDir data;
  std::printf("preparing 96 photographs and a %d-second song...\n", kSongSeconds);
  std::fflush(stdout);
  makePhotos(data.path() + "/photos", 96);
  if (!makeSong(data.path() + "/song.mp3")) {
    std::fprintf(stderr, "ffmpeg could not make the song\n");
    return 1;
  }
  std::vector<Figures> roads, alones, mp4s;
  for (int r = 1; r <= rounds; ++r) {
    roads.push_back(child({"--road", data.path(), "24", "photos", "DVD"}));
    alones.push_back(child({"--alone-album", data.path(), "24"}));
    mp4s.push_back(child({"--road", data.path(), "24", "photos", "MP4"}));
    const Figures& road = roads.back();
    const Figures& alone = alones.back();
    const Figures& mp4 = mp4s.back();
    if (alone.frames != road.frames || mp4.frames != road.frames)
      std::fprintf(stderr, "the converter-alone case made %lld frames, the MP4 road %lld, the road %lld\n",
                   alone.frames, mp4.frames, road.frames);
    std::printf("round %d: road %.1f fps (%.1f ms CPU/frame), converter alone %.1f fps, ratio %.2f; MP4 road "
                "%.1f fps (%.1f ms CPU/frame; MP4 / DVD %.2f)\n",
                r, road.fps(), road.cpuMsPerFrame(), alone.fps(), alone.fps() > 0 ? road.fps() / alone.fps() : 0.0,
                mp4.fps(), mp4.cpuMsPerFrame(), road.fps() > 0 ? mp4.fps() / road.fps() : 0.0);
    std::fflush(stdout);
  }
  const Figures road = median(roads);
  const Figures alone = median(alones);
  const Figures mp4 = median(mp4s);
  std::printf("Album road: 24 photos, DVD PAL 1920x1080, one song: %lld frames, median of %d "
              "rounds %.1f fps\n",
              road.frames, rounds, road.fps());
  // Each round's ratio compares two runs made one after the other, so the drift of a shared
  // machine cancels out in it better than in the ratio of the two medians.
  std::printf("Converter alone on the same album's frames: median %.1f fps; road / converter: "
              "median of the round ratios %.2f, ratio of the medians %.2f (target >= 0.8)\n",
              alone.fps(), medianRatio(roads, alones), alone.fps() > 0 ? road.fps() / alone.fps() : 0.0);
  std::printf("The same album as MP4 (H.264 + AAC, 1920x1080): median %.1f fps beside the DVD album's %.1f "
              "fps; MP4 / DVD: median of the round ratios %.2f (target >= 1.0); CPU per frame %.1f ms beside "
              "%.1f ms; peak resident memory %ld MB\n",
              mp4.fps(), road.fps(), medianRatio(mp4s, roads), mp4.cpuMsPerFrame(), road.cpuMsPerFrame(),
              highestRss(mp4s));
  if (roundsOnly) return 0;
  const Figures still = child({"--alone-still", data.path(), QString::number(road.frames)});
  const Figures road96 = child({"--road", data.path(), "96", "music", "DVD"});
  std::printf("Converter alone on one still picture, as many frames: %.1f fps; road / still = %.2f\n",
              still.fps(), still.fps() > 0 ? road.fps() / still.fps() : 0.0);
  std::printf("Peak resident memory: 24 photos %ld MB (highest of the rounds), 96 photos %ld MB "
              "(%lld frames, music rule); converter alone on a still %ld MB (target < 400 MB)\n",
              highestRss(roads), road96.rss, road96.frames, still.rss);
  return 0;
}
