// Times the template player: every frame of every installed template, painted on one thread
// at 1920 x 1080 (albums) and 800 x 450 (previews). Prints the median frame time over all
// frames, and the template with the slowest mean and the slowest single frame.
//   bench_template_render [-v] [executable folder]   (default: the folder of this program)
// Times are CPU time of the process, so other work on the machine does not count. Frames are
// painted the way the album paints them (on this machine's thread choice: see
// runAsAlbumPainter), so Qt's splitting of fills is counted only where the album has it.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "model/error.h"
#include "model/sentinels.h"
#include "render/pool_thread.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/layer_art.h"
#include "templates/movie_model.h"
#include "templates/package.h"
#include "templates/template_player.h"

namespace {

using namespace solvane;

// CPU time of the whole process: the figure does not depend on what else the machine is
// doing, and it includes the work Qt's raster engine hands to its helper threads.
double cpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// A photograph-like test picture: soft colour fields and fine detail, so JPEG and scaling
// costs are realistic.
QImage samplePhoto(int w, int h, int seed) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 120, 230));
  g.setColorAt(1, QColor::fromHsv((seed * 47 + 120) % 360, 160, 90));
  p.fillRect(img.rect(), g);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 60; ++i) {
    p.setBrush(QColor::fromHsv((seed * 31 + i * 13) % 360, 140, 200, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF((i * 7919 % w), (i * 104729 % h)), 20 + i % 70, 20 + i % 50);
  }
  return img;
}

struct TemplateTimes {
  QString name;
  std::vector<double> ms;
  double mean() const { return std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size()); }
  double worst() const { return *std::max_element(ms.begin(), ms.end()); }
};

QByteArray readWhole(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw Error(path + ": cannot be read");
  return file.readAll();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void report(const char* label, const std::vector<TemplateTimes>& all) {
  std::vector<double> every;
  for (const TemplateTimes& t : all) every.insert(every.end(), t.ms.begin(), t.ms.end());
  const auto slowMean = std::max_element(all.begin(), all.end(), [](auto& a, auto& b) {
    return a.mean() < b.mean();
  });
  const auto slowFrame = std::max_element(all.begin(), all.end(), [](auto& a, auto& b) {
    return a.worst() < b.worst();
  });
  std::printf("%s: %zu frames of %zu templates, median %.2f ms/frame; slowest template %s "
              "%.2f ms/frame mean; slowest frame %.2f ms (%s)\n",
              label, every.size(), all.size(), median(every), qPrintable(slowMean->name),
              slowMean->mean(), slowFrame->worst(), qPrintable(slowFrame->name));
}

}  // namespace

int benchmark(QGuiApplication& app);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    int status = 1;
    runAsAlbumPainter([&] { status = benchmark(app); });
    return status;
  } catch (const Error& e) {
    std::fprintf(stderr, "bench_template_render: %s\n", e.what());
    return 1;
  }
}

int benchmark(QGuiApplication& app) {
  QStringList args = app.arguments().mid(1);
  const bool verbose = args.removeAll("-v") > 0;
  // Per-template figures are printed as they come, so a long run shows progress.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const QString bin = !args.isEmpty() ? args.first() : app.applicationDirPath();
  const QString params = bin + "/smxcwjj/wj_0_or_2/wjj_02/";
  const QString movies = bin + "/smxcwjj/wj_0_or_2/wjj_01/";
  const QStringList names = QDir(params).entryList({"*.rar"}, QDir::Files, QDir::Name);
  if (names.isEmpty()) {
    std::fprintf(stderr, "no template library under %s\n", qPrintable(bin));
    return 1;
  }
  QTemporaryDir stage;
  const QString folder = stage.path() + "/tp_wjj/tp_wjj/tp_wjj_1/";
  QDir().mkpath(folder);
  QDir().mkpath(stage.path() + "/tp_wjj/pic");
  samplePhoto(1920, 1080, 99).save(stage.path() + "/tp_wjj/pic/picture_0.rar", "JPEG", 90);
  const QImage landscape = samplePhoto(2400, 1600, 1), portrait = samplePhoto(1200, 1800, 2);

  for (const QSize host : {QSize(1920, 1080), QSize(800, 450)}) {
    std::vector<TemplateTimes> all;
    // One frame picture for the whole run, as a host keeps its frame bitmap.
    QImage frame(host, QImage::Format_RGB32);
    frame.fill(Qt::black);
    for (const QString& name : names) {
      unpack_package(params + name, stage.path() + "/mid.rar", stage.path() + "/p.ini");
      const IniFile ini = IniFile::load(stage.path() + "/p.ini");
      const QStringList w = split_bar_list(ini.value("1", "xpkd"));
      const QStringList h = split_bar_list(ini.value("1", "xpgd"));
      const QStringList o = split_bar_list(ini.value("1", "szhz"));
      for (int k = 0; k < o.size(); ++k) {
        const bool tall = o[k] == word::shu;
        QSize slot(w[k].toInt(), h[k].toInt());
        if (slot.isEmpty()) slot = tall ? QSize(720, 1080) : QSize(1920, 1080);
        coverPicture(tall ? portrait : landscape, slot)
            .save(folder + QString("picture_%1.rar").arg(k + 1), "JPEG", 90);
      }
      unpack_package(movies + name, stage.path() + "/mid.rar", folder + "w_j_1.rar");
      TemplatePlayer player;
      player.setSize(host);
      player.setMovie(folder + "w_j_1.rar");
      const QString title =
          name + " " + parse_movie(readWhole(folder + "w_j_1.rar"), name).name;
      TemplateTimes times{title, {}};
      for (int f = 0; f < player.TotalFrames(); ++f) {
        // Each frame is painted twice and the quicker time kept: frames are pure, and the
        // shared machine adds noise that only ever makes a frame look slower.
        double best = 1e9;
        for (int round = 0; round < 2; ++round) {
          const double start = cpuMs();
          player.setFrameNum(f);
          player.paint(frame);
          best = std::min(best, cpuMs() - start);
        }
        times.ms.push_back(best);
      }
      if (verbose)
        std::printf("  %s: mean %.2f ms, worst %.2f ms at frame %ld\n", qPrintable(title),
                    times.mean(), times.worst(),
                    long(std::max_element(times.ms.begin(), times.ms.end()) - times.ms.begin()));
      all.push_back(std::move(times));
    }
    report(QString("%1x%2").arg(host.width()).arg(host.height()).toUtf8().constData(), all);
  }
  return 0;
}
