// Measures how much every installed template moves once the previous picture has gone:
//   motion_report <executable folder> [photo folder]
// Each template is played with real photographs at 480 x 270. From the end of its hand-over
// to its last frame every 5th frame is taken in grey; a step is the mean absolute
// difference between two such frames, and "30-95" the difference between the frames at
// 30 % and 95 % of the movie. Prints a Markdown table and exits with 1 when a template
// stands still by the thresholds below.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "library_photos.h"
#include "model/error.h"
#include "model/file_io.h"
#include "templates/bar_list.h"
#include "templates/movie_model.h"
#include "templates/template_player.h"

namespace {

using namespace solvane;

constexpr int kStep = 5;
// A 5-frame step of a slow zoom over a photograph changes about 2 grey levels at this size;
// particles drifting over a still card change well under 1.
constexpr double kMovingStep = 0.8;
constexpr double kMovingShare = 0.9;     // of the steps after the hand-over
constexpr double kApart = 6.0;           // frames at 30 % and 95 %

std::vector<uint8_t> grey(const QImage& frame) {
  const QImage g = frame.convertToFormat(QImage::Format_Grayscale8);
  std::vector<uint8_t> out;
  out.reserve(size_t(g.width() * g.height()));
  for (int y = 0; y < g.height(); ++y)
    out.insert(out.end(), g.constScanLine(y), g.constScanLine(y) + g.width());
  return out;
}

double difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

struct Row {
  double medianStep = 0, slowestStep = 0, movingShare = 0, apart = 0;
  bool moving() const { return movingShare >= kMovingShare && apart >= kApart; }
};

Row measure(TemplatePlayer& player, int from) {
  Row row;
  const int last = player.TotalFrames() - 1;
  auto frameAt = [&](int f) {
    player.setFrameNum(f);
    return grey(player.grab());
  };
  std::vector<double> steps;
  std::vector<uint8_t> before = frameAt(from);
  for (int f = from + kStep; f <= last; f += kStep) {
    std::vector<uint8_t> now = frameAt(f);
    steps.push_back(difference(before, now));
    before = std::move(now);
  }
  if (!steps.empty()) {
    std::vector<double> sorted = steps;
    std::sort(sorted.begin(), sorted.end());
    row.medianStep = sorted[sorted.size() / 2];
    row.slowestStep = sorted.front();
    row.movingShare = double(std::count_if(steps.begin(), steps.end(),
                                           [](double s) { return s >= kMovingStep; })) /
                      double(steps.size());
  }
  row.apart = difference(frameAt(last * 30 / 100), frameAt(last * 95 / 100));
  return row;
}

int run(const QString& bin, const QString& photoFolder) {
  const Photos photos = loadPhotos(photoFolder);
  const QString params = bin + "/smxcwjj/wj_0_or_2/wjj_02/";
  const QString movies = bin + "/smxcwjj/wj_0_or_2/wjj_01/";
  const QStringList names = QDir(params).entryList({"*.rar"}, QDir::Files, QDir::Name);
  if (names.isEmpty()) throw Error(bin + ": no template library");
  QTemporaryDir stage;
  const QString folder = stage.path() + "/tp_wjj/tp_wjj/tp_wjj_1";
  QDir().mkpath(folder);
  QDir().mkpath(stage.path() + "/tp_wjj/pic");
  saveJpeg(stagedCrop(photos.landscape.back(), 1920, 1080), stage.path() + "/tp_wjj/pic/picture_0.rar");

  std::printf("| # | Template | Family | Slots | Frames | Hand-over ends | Median step | Slowest step | "
              "Steps >= %.1f | 30-95 | |\n|---|---|---|---|---|---|---|---|---|---|---|\n",
              kMovingStep);
  size_t next = 0;
  int still = 0;
  for (int i = 0; i < names.size(); ++i) {
    const IniFile ini = stageTemplate(params + names[i], movies + names[i], stage.path(), folder,
                                      photos, i, next);
    const QByteArray source = readWholeFile(folder + "/w_j_1.rar");
    const Movie movie = parse_movie(source, names[i]);
    const QString family = QJsonDocument::fromJson(source)
                               .object().value("template").toObject().value("family").toString();
    TemplatePlayer player;
    player.setSize({480, 270});
    player.setMovie(folder + "/w_j_1.rar");
    const int from = movie.handoverEnd() + 1;
    const Row row = measure(player, from);
    still += row.moving() ? 0 : 1;
    std::printf("| %d | %s | %s | %s | %d | %d | %.1f | %.1f | %.0f %% | %.1f | %s |\n", i + 1,
                qPrintable(movie.name), qPrintable(family),
                qPrintable(split_bar_list(ini.value("1", "szhz")).join(' ')),
                movie.frames, from, row.medianStep, row.slowestStep, row.movingShare * 100,
                row.apart, row.moving() ? "moves" : "STILL");
  }
  std::printf("\n%d of %lld templates stand still (a template moves when at least %.0f %% of its "
              "5-frame steps change by %.1f grey levels or more and its frames at 30 %% and "
              "95 %% differ by %.1f or more)\n",
              still, qlonglong(names.size()), kMovingShare * 100, kMovingStep, kApart);
  return still == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <executable folder> [photo folder]\n", argv[0]);
    return 2;
  }
  try {
    return run(QString::fromLocal8Bit(argv[1]),
               argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString("/usr/share/backgrounds/mate"));
  } catch (const solvane::Error& e) {
    std::fprintf(stderr, "motion_report: %s\n", e.what());
    return 2;
  }
}
