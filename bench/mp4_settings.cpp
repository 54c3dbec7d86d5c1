// How the MP4 kind's constant-quality factor and x264 preset were chosen: the album road's own
// frames (the twelve real photographs of the sample content, templates drawn with a fixed
// seed, slow zooms and hand-overs, rendered at 1920 × 1080) are encoded once per setting with
// the converter's encoder, and for each the size, the bit rate, the luma PSNR against the
// rendered frames (mean and worst frame) and the speed are printed. The DVD kind at 1080p is
// encoded the same way first: the MP4 setting must be at least as fast.
//
// The frames are rendered once into a raw file in a temporary folder (3.1 MB a frame) and read
// back for every setting, so rendering costs nothing in the timings. Speed is given twice:
// wall-clock frames per second, and encoder CPU milliseconds per frame (all threads), which a
// shared machine disturbs less. Usage: bench_mp4_settings [FRAMES [PRESET/CRF[/X264-PARAMS] ...]]
// (default 500 frames and a grid of presets and factors around the chosen one), e.g.
// bench_mp4_settings 500 superfast/22 ultrafast/20/8x8dct=1:cabac=1
// The MP4 kind's own setting is always measured after the DVD kind.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

#include "model/error.h"
#include "model/fonts.h"
#include "model/project.h"
#include "model/workspace.h"
#include "render/album_job.h"
#include "render/album_options.h"
#include "render/media_encoder.h"
#include "render/output_profile.h"
#include "render/picture_scaler.h"
#include "render/render_driver.h"
#include "templates/template_player.h"

namespace {

using namespace solvane;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr size_t kLumaBytes = size_t(kWidth) * kHeight;
constexpr size_t kFrameBytes = kLumaBytes * 3 / 2;

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double wallSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The sample content of `make demo`: twelve photographs from Debian's mate-backgrounds.
QString makeSamplePhotos(const QString& folder) {
  QProcess script;
  script.start(QStringLiteral(SOLVANE_SOURCE_DIR "/scripts/make-sample-content.sh"),
               {folder + "/photos", folder + "/songs"});
  if (!script.waitForFinished(300000) || script.exitCode() != 0)
    throw Error(QStringLiteral("the sample content could not be made: %1")
                    .arg(QString::fromLocal8Bit(script.readAllStandardError())));
  return folder + "/photos";
}

// Renders the first `frames` frames of the sample album and writes them as 4:2:0 frames in
// the MP4 kind's colours. Returns the number written.
int renderFrames(const QString& photos, const QString& library, const QString& rawFile, int frames) {
  AlbumOptions options;
  options.kind = QStringLiteral("MP4");
  options.output = QStringLiteral("/unused.mp4");
  options.photos << photos;
  options.drawSeed = 2026;
  QTemporaryDir scratch;
  const Workspace workspace(scratch.path(), library);
  Project project;
  PrepareAlbumProject(project, options, workspace, {}, {});
  TemplatePlayer player;
  RenderDriver driver(project, workspace, player);
  PictureScaler scaler(chooseProfile(std::nullopt, TvStandard::Pal, "x.mp4", kWidth, kHeight).video);
  std::ofstream out(rawFile.toStdString(), std::ios::binary);
  int written = 0;
  driver.setFramePublisher([&](const QImage& frame) {
    if (written >= frames) return;
    const av::FramePtr yuv = scaler.scale(frame);
    for (int plane = 0; plane < 3; ++plane) {
      const int w = plane == 0 ? kWidth : kWidth / 2;
      const int h = plane == 0 ? kHeight : kHeight / 2;
      for (int y = 0; y < h; ++y)
        out.write(reinterpret_cast<const char*>(yuv->data[plane] + y * yuv->linesize[plane]), w);
    }
    ++written;
  });
  driver.StartAlbum();
  const long long total = driver.frameCount();
  for (long long i = 1; i < total && written < frames; ++i) driver.FrameStep();
  return written;
}

// Keeps every packet for decoding afterwards and counts the bytes.
class PacketStore final : public PacketSink {
 public:
  void write(AVPacket* packet, int, const AVCodecContext*) override {
    bytes += packet->size;
    packets.push_back(av::PacketPtr(av_packet_clone(packet)));
  }
  std::vector<av::PacketPtr> packets;
  long long bytes = 0;
};

class RawFrames {
 public:
  explicit RawFrames(const QString& file) : in_(file.toStdString(), std::ios::binary) {}
  // Frame i into `frame` (allocated 4:2:0 of the full size).
  void read(int i, AVFrame* frame) {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(i) * kFrameBytes);
    for (int plane = 0; plane < 3; ++plane) {
      const int w = plane == 0 ? kWidth : kWidth / 2;
      const int h = plane == 0 ? kHeight : kHeight / 2;
      for (int y = 0; y < h; ++y) in_.read(reinterpret_cast<char*>(frame->data[plane] + y * frame->linesize[plane]), w);
    }
  }
  void readLuma(int i, std::vector<uint8_t>& luma) {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(i) * kFrameBytes);
    in_.read(reinterpret_cast<char*>(luma.data()), static_cast<std::streamsize>(kLumaBytes));
  }

 private:
  std::ifstream in_;
};

struct Result {
  double fps = 0;
  double cpuMsPerFrame = 0;
  double megabytes = 0;
  double megabitsPerSecond = 0;
  double meanPsnr = 0;   // from the mean squared error over all frames
  double worstPsnr = 0;  // of the worst frame
};

double psnr(double mse) { return 10 * std::log10(255.0 * 255.0 / std::max(mse, 1e-9)); }

// Decodes the stored packets and compares every picture's luma with the rendered frame's.
void measureQuality(const VideoSettings& settings, PacketStore& store, RawFrames& raw, int frames, Result& r) {
  const AVCodec* codec = avcodec_find_decoder_by_name(settings.codec == "libx264" ? "h264" : settings.codec.c_str());
  av::CodecContextPtr decoder(avcodec_alloc_context3(codec));
  decoder->thread_count = 2;
  avcodec_open2(decoder.get(), codec, nullptr);
  av::FramePtr picture = av::makeFrame();
  std::vector<uint8_t> luma(kLumaBytes);
  double squaredSum = 0;
  double worstMse = 0;
  int index = 0;
  const auto take = [&] {
    while (avcodec_receive_frame(decoder.get(), picture.get()) == 0) {
      if (index < frames) {
        raw.readLuma(index, luma);
        double sum = 0;
        for (int y = 0; y < kHeight; ++y) {
          const uint8_t* decoded = picture->data[0] + y * picture->linesize[0];
          const uint8_t* source = luma.data() + size_t(y) * kWidth;
          for (int x = 0; x < kWidth; ++x) {
            const double d = double(decoded[x]) - source[x];
            sum += d * d;
          }
        }
        const double mse = sum / double(kLumaBytes);
        squaredSum += mse;
        worstMse = std::max(worstMse, mse);
      }
      ++index;
    }
  };
  for (const av::PacketPtr& packet : store.packets) {
    avcodec_send_packet(decoder.get(), packet.get());
    take();
  }
  avcodec_send_packet(decoder.get(), nullptr);
  take();
  if (index != frames) std::fprintf(stderr, "decoded %d frames of %d\n", index, frames);
  r.meanPsnr = psnr(squaredSum / std::max(1, index));
  r.worstPsnr = psnr(worstMse);
}

Result encode(const VideoSettings& settings, RawFrames& raw, int frames) {
  PacketStore store;
  Encoder encoder = Encoder::forVideo(settings, false);
  encoder.attach(&store, 0);
  av::FramePtr frame = av::makeFrame();
  frame->width = kWidth;
  frame->height = kHeight;
  frame->format = AV_PIX_FMT_YUV420P;
  av_frame_get_buffer(frame.get(), 0);
  const double wall = wallSeconds();
  const double cpu = cpuSeconds();
  for (int i = 0; i < frames; ++i) {
    av_frame_make_writable(frame.get());
    raw.read(i, frame.get());
    frame->pts = i;
    encoder.encode(frame.get());
  }
  encoder.flush();
  Result r;
  r.fps = frames / (wallSeconds() - wall);
  r.cpuMsPerFrame = 1000 * (cpuSeconds() - cpu) / frames;
  r.megabytes = store.bytes / 1e6;
  r.megabitsPerSecond = store.bytes * 8 / (frames / 25.0) / 1e6;
  measureQuality(settings, store, raw, frames, r);
  return r;
}

void print(const QByteArray& name, const Result& r) {
  std::printf("%-44s %7.1f fps %7.1f ms CPU/frame %8.1f MB %6.2f Mb/s  PSNR %5.2f dB (worst frame %5.2f dB)\n",
              name.constData(), r.fps, r.cpuMsPerFrame, r.megabytes, r.megabitsPerSecond, r.meanPsnr, r.worstPsnr);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  av_log_set_level(AV_LOG_ERROR);
  loadFontAliases();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  const int wanted = args.size() > 1 ? std::max(25, args[1].toInt()) : 500;
  QStringList grid = args.mid(2);
  if (grid.isEmpty()) {
    grid = {"ultrafast/20",        "ultrafast/24",        "ultrafast/20/8x8dct=1:cabac=1",
            "ultrafast/24/8x8dct=1:cabac=1", "ultrafast/22/8x8dct=1", "superfast/20",
            "superfast/22",        "superfast/24",        "veryfast/20",
            "veryfast/22",         "faster/22"};
  }
  try {
    QTemporaryDir data;
    const QString photos = makeSamplePhotos(data.path());
    std::printf("rendering %d frames of the sample album (12 photographs, seed 2026)...\n", wanted);
    std::fflush(stdout);
    const QString rawFile = data.path() + "/frames.yuv";
    const int frames = renderFrames(photos, QCoreApplication::applicationDirPath(), rawFile, wanted);
    RawFrames raw(rawFile);
    std::printf("%d frames of 1920x1080 at 25 per second, encoder with 2 threads; the machine is shared, "
                "so compare CPU time as well as frames per second\n",
                frames);

    const OutputProfile dvd = chooseProfile(FormatPreset::Dvd, TvStandard::Pal, "x.mpg", kWidth, kHeight);
    print("DVD (MPEG-2)", encode(dvd.video, raw, frames));
    const OutputProfile mp4 = chooseProfile(std::nullopt, TvStandard::Pal, "x.mp4", kWidth, kHeight);
    const auto describe = [](const VideoSettings& v) {
      QString name = QStringLiteral("MP4 %1 CRF %2").arg(QString::fromStdString(v.preset)).arg(v.crf);
      if (!v.x264Params.empty()) name += " " + QString::fromStdString(v.x264Params);
      return name.toUtf8();
    };
    print(describe(mp4.video) + " (MP4 kind)", encode(mp4.video, raw, frames));
    for (const QString& entry : grid) {
      VideoSettings settings = mp4.video;
      settings.preset = entry.section('/', 0, 0).toStdString();
      settings.crf = entry.section('/', 1, 1).toDouble();
      settings.x264Params = entry.section('/', 2).toStdString();
      print(describe(settings), encode(settings, raw, frames));
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
