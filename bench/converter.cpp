// Converter speed and memory against the ffmpeg command-line tool, side by side in one run.
// Both encode the same 250 generated 1920 x 1080 frames (a slowly panned synthetic photograph)
// with the same codec, size, rate, bit rates, GOP and downscaling filter (for MP4: the same x264
// preset, quality factor, peak rate, profile, level and colour matrix). Each side runs in its
// own child process so its peak resident set is its own. Prints frames per second, the ratio
// (ours / ffmpeg, target >= 1.0) and our peak resident set (target < 300 MB).
// `bench_converter MP4 DVD` runs only the kinds named (and their memory check, if any);
// `bench_converter memory` only the memory checks.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "render/converter.h"
#include "render/output_profile.h"

extern char** environ;

namespace {

using namespace solvane;

constexpr int kFrames = 250;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A synthetic photograph larger than the frame: soft gradients, round shapes and a fine grain
// like camera noise, so the encoders see photo-like detail rather than flat colour.
QImage makePhotograph() {
  const int w = kWidth + 400;
  const int h = kHeight + 160;
  QImage photo(w, h, QImage::Format_RGB32);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = int(seed >> 28) - 8;
      const double u = double(x) / w;
      const double v = double(y) / h;
      const double blob = 60 * std::sin(x * 0.011) * std::cos(y * 0.013) + 40 * std::sin((x + y) * 0.004);
      const int r = std::clamp(int(90 + 120 * u + blob) + grain, 0, 255);
      const int g = std::clamp(int(70 + 100 * v + blob * 0.6) + grain, 0, 255);
      const int b = std::clamp(int(150 - 80 * u + 60 * v - blob * 0.5) + grain, 0, 255);
      line[x] = qRgb(r, g, b);
    }
  }
  return photo;
}

// Frame i: the photograph panned slowly, as templates move their pictures.
QImage frameAt(const QImage& photo, int i) {
  return photo.copy(int(i * 1.6) % 400, int(i * 0.6) % 160, kWidth, kHeight);
}

struct Kind {
  const char* name;
  std::optional<FormatPreset> preset;
  const char* ending;
  int width;
  int height;
};

struct Measure {
  double seconds = 0;
  double cpuSeconds = 0;  // user and system time of all threads
  double peakMb = 0;
};

double now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

Measure waitChild(pid_t pid, double started) {
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Measure m;
  m.seconds = now() - started;
  m.peakMb = usage.ru_maxrss / 1024.0;
  m.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) m.seconds = -1;
  return m;
}

Measure runOurs(const Kind& kind, const QImage& photo, const std::string& output, int frames = kFrames) {
  const double started = now();
  const pid_t pid = fork();
  if (pid == 0) {
    auto handoff = std::make_shared<FrameHandoff>();
    const QString framePath = "/bench/frame.bmp";
    handoff->publish(framePath, frameAt(photo, 0));
    Converter converter;
    converter.setFrameHandoff(handoff);
    converter.assignVideoSource([&](VideoSource& s, int i) {
      if (i < frames) s.setFile(framePath); else s.finished();
    });
    converter.assignVideoFunc([&](int i, const QImage&) { handoff->publish(framePath, frameAt(photo, i + 1)); });
    if (kind.preset) converter.setFormatPreset(*kind.preset, TvStandard::Pal);
    converter.setKeepDuration(true);
    converter.setVideoFormat(kind.width, kind.height, 32);
    converter.setVideoFileName(QString::fromStdString(output));
    const bool ok = converter.convert();
    if (!ok) std::fprintf(stderr, "%s\n", converter.getErrorStr().toUtf8().constData());
    _exit(ok ? 0 : 1);
  }
  return waitChild(pid, started);
}

std::vector<std::string> ffmpegArguments(const Kind& kind, const std::string& output) {
  const OutputProfile p = chooseProfile(kind.preset, TvStandard::Pal, QString::fromStdString(output), kind.width,
                                        kind.height);
  const VideoSettings& v = p.video;
  std::vector<std::string> a = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "rawvideo", "-pix_fmt",
                                "bgra", "-s", std::to_string(kWidth) + "x" + std::to_string(kHeight), "-r", "25",
                                "-i", "-", "-an"};
  const std::string size = std::to_string(v.width) + "x" + std::to_string(v.height);
  const auto add = [&a](std::initializer_list<std::string> items) { a.insert(a.end(), items); };
  if (v.colours == ColourSystem::Bt601) {
    add({"-sws_flags", "bicubic", "-s", size});
  } else {
    // The tagged kinds convert with the matrix they declare, as ours do.
    const std::string matrix = v.colours == ColourSystem::Bt709Tagged ? "bt709" : "bt601";
    add({"-vf", "scale=" + std::to_string(v.width) + ":" + std::to_string(v.height) +
                    ":flags=bicubic:out_color_matrix=" + matrix + ":out_range=tv",
         "-colorspace", v.colours == ColourSystem::Bt709Tagged ? "bt709" : "smpte170m", "-color_primaries", "bt709",
         "-color_trc", "bt709", "-color_range", "tv"});
  }
  add({"-pix_fmt", v.pixelFormat, "-c:v", v.codec, "-threads", "2", "-g", std::to_string(v.gopSize)});
  if (v.bitRate > 0) add({"-b:v", std::to_string(v.bitRate)});
  if (v.maxBFrames >= 0) add({"-bf", std::to_string(v.maxBFrames)});
  if (v.crf > 0) add({"-crf", std::to_string(v.crf)});
  if (!v.preset.empty()) add({"-preset", v.preset});
  if (!v.x264Params.empty()) add({"-x264-params", v.x264Params});
  if (!v.profile.empty()) add({"-profile:v", v.profile});
  if (v.level > 0) add({"-level", std::to_string(v.level / 10) + "." + std::to_string(v.level % 10)});
  if (p.fastStart) add({"-movflags", "+faststart"});
  if (v.maxRate > 0) {
    for (const std::string& s : {std::string("-maxrate"), std::to_string(v.maxRate), std::string("-bufsize"),
                                 std::to_string(v.bufferSize)}) {
      a.push_back(s);
    }
  }
  if (!v.codecTag.empty()) {
    a.push_back("-vtag");
    a.push_back(v.codecTag);
  }
  if (p.muxRate > 0) {
    a.push_back("-muxrate");
    a.push_back(std::to_string(p.muxRate));
  }
  a.push_back("-f");
  a.push_back(p.muxer);
  a.push_back(output);
  return a;
}

Measure runFfmpeg(const Kind& kind, const QImage& photo, const std::string& output) {
  std::vector<std::string> args = ffmpegArguments(kind, output);
  std::vector<char*> argv;
  for (std::string& s : args) argv.push_back(s.data());
  argv.push_back(nullptr);
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {-1, 0};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[0], 0);
  posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
  const double started = now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ) != 0) return {-1, 0};
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[0]);
  for (int i = 0; i < kFrames; ++i) {
    const QImage frame = frameAt(photo, i);
    const char* data = reinterpret_cast<const char*>(frame.constBits());
    size_t left = size_t(frame.sizeInBytes());
    while (left > 0) {
      const ssize_t n = write(pipeFds[1], data, left);
      if (n <= 0) break;
      data += n;
      left -= size_t(n);
    }
  }
  close(pipeFds[1]);
  return waitChild(pid, started);
}

// Luma of frame i of the source at the output size, through the same bicubic scaler and in the
// colour matrix of the kind.
std::vector<uint8_t> sourceLuma(const QImage& photo, int i, int width, int height, bool bt709) {
  const QImage frame = frameAt(photo, i);
  SwsContext* sws = sws_getContext(kWidth, kHeight, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                   nullptr, nullptr, nullptr);
  if (bt709) {
    int* inverse = nullptr;
    int* table = nullptr;
    int sourceRange = 0, range = 0, brightness = 0, contrast = 0, saturation = 0;
    sws_getColorspaceDetails(sws, &inverse, &sourceRange, &table, &range, &brightness, &contrast, &saturation);
    sws_setColorspaceDetails(sws, inverse, sourceRange, sws_getCoefficients(SWS_CS_ITU709), range, brightness,
                             contrast, saturation);
  }
  std::vector<uint8_t> luma(size_t(width) * height);
  std::vector<uint8_t> chroma(size_t(width / 2) * (height / 2) * 2);
  const uint8_t* in[1] = {frame.constBits()};
  const int inStride[1] = {int(frame.bytesPerLine())};
  uint8_t* out[3] = {luma.data(), chroma.data(), chroma.data() + chroma.size() / 2};
  const int outStride[3] = {width, width / 2, width / 2};
  sws_scale(sws, in, inStride, 0, kHeight, out, outStride);
  sws_freeContext(sws);
  return luma;
}

// Mean luma PSNR of the album against the source frames (one output frame per picture).
double lumaPsnr(const std::string& file, const QImage& photo) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) < 0) return 0;
  avformat_find_stream_info(format, nullptr);
  const int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const AVCodec* codec = avcodec_find_decoder(format->streams[stream]->codecpar->codec_id);
  AVCodecContext* decoder = avcodec_alloc_context3(codec);
  avcodec_parameters_to_context(decoder, format->streams[stream]->codecpar);
  avcodec_open2(decoder, codec, nullptr);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  double squaredErrorSum = 0;
  long long samples = 0;
  int index = 0;
  const auto take = [&] {
    while (avcodec_receive_frame(decoder, frame) == 0) {
      // Every kind is 4:2:0 here, so plane 0 is the luma; pictures are compared at 1 in 5.
      if (index % 5 == 0) {
        const std::vector<uint8_t> ref =
            sourceLuma(photo, index, frame->width, frame->height, frame->colorspace == AVCOL_SPC_BT709);
        for (int y = 0; y < frame->height; ++y) {
          for (int x = 0; x < frame->width; ++x) {
            const double d = double(frame->data[0][y * frame->linesize[0] + x]) - ref[size_t(y) * frame->width + x];
            squaredErrorSum += d * d;
          }
        }
        samples += static_cast<long long>(frame->width) * frame->height;
      }
      ++index;
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == stream) {
      avcodec_send_packet(decoder, packet);
      take();
    }
    av_packet_unref(packet);
  }
  avcodec_send_packet(decoder, nullptr);
  take();
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&decoder);
  avformat_close_input(&format);
  const double mse = squaredErrorSum / std::max(1LL, samples);
  return 10 * std::log10(255.0 * 255.0 / std::max(mse, 1e-9));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> only(argv + 1, argv + argc);
  signal(SIGPIPE, SIG_IGN);
  const QImage photo = makePhotograph();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("solvane-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const Kind kinds[] = {
      {"DVD 1080p", FormatPreset::Dvd, "mpg", 1920, 1080},
      {"VCD 720p", FormatPreset::Vcd, "mpg", 1280, 720},
      {"AVI 1080p", std::nullopt, "avi", 1920, 1080},
      {"MP4 1080p", std::nullopt, "mp4", 1920, 1080},
  };
  std::printf("Converter: %d generated frames of %dx%d per kind, video only, 2 encoder threads each side\n", kFrames,
              kWidth, kHeight);
  for (const Kind& kind : kinds) {
    const std::string name = kind.name;
    const auto named = [&](const std::string& o) { return name.rfind(o, 0) == 0; };
    if (!only.empty() && std::none_of(only.begin(), only.end(), named)) continue;
    const std::string ours = (dir / (std::string("ours.") + kind.ending)).string();
    const std::string theirs = (dir / (std::string("ffmpeg.") + kind.ending)).string();
    // Best of two alternating runs each: the machine is shared, so the faster run is the one
    // least disturbed by others.
    Measure a = runOurs(kind, photo, ours);
    Measure b = runFfmpeg(kind, photo, theirs);
    const Measure a2 = runOurs(kind, photo, ours);
    const Measure b2 = runFfmpeg(kind, photo, theirs);
    if (a2.seconds > 0 && a2.seconds < a.seconds) a = a2;
    if (b2.seconds > 0 && b2.seconds < b.seconds) b = b2;
    if (a.seconds <= 0 || b.seconds <= 0) {
      std::printf("Converter: %-10s failed (ours %.1f s, ffmpeg %.1f s)\n", kind.name, a.seconds, b.seconds);
      continue;
    }
    const double fpsOurs = kFrames / a.seconds;
    const double fpsTheirs = kFrames / b.seconds;
    std::printf("Converter: %-10s ours %6.1f fps (%4.1f ms CPU/frame, %5.1f MB, peak RSS %5.1f MB, luma PSNR %.1f dB) "
                "| ffmpeg %6.1f fps (%4.1f ms CPU/frame, %5.1f MB, peak RSS %5.1f MB) | ratio %.2f\n",
                kind.name, fpsOurs, 1000 * a.cpuSeconds / kFrames, std::filesystem::file_size(ours) / 1e6, a.peakMb,
                lumaPsnr(ours, photo), fpsTheirs, 1000 * b.cpuSeconds / kFrames,
                std::filesystem::file_size(theirs) / 1e6, b.peakMb, fpsOurs / fpsTheirs);
  }
  // Memory must not grow with the album: four times as many frames, same peak. The MP4 muxer
  // keeps the index of every frame until the end, so it is checked too.
  const Kind longAlbums[] = {{"VCD 720p", FormatPreset::Vcd, "mpg", 1280, 720},
                             {"MP4 1080p", std::nullopt, "mp4", 1920, 1080}};
  for (const Kind& kind : longAlbums) {
    const std::string name = kind.name;
    const auto named = [&](const std::string& o) { return o == "memory" || name.rfind(o, 0) == 0; };
    if (!only.empty() && std::none_of(only.begin(), only.end(), named)) continue;
    const Measure shortRun = runOurs(kind, photo, (dir / (std::string("short.") + kind.ending)).string(), kFrames);
    const Measure longRun = runOurs(kind, photo, (dir / (std::string("long.") + kind.ending)).string(), 4 * kFrames);
    std::printf("Converter: %s peak RSS for %d frames %.1f MB, for %d frames %.1f MB\n", kind.name, kFrames,
                shortRun.peakMb, 4 * kFrames, longRun.peakMb);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
