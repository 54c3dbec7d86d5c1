// Times the template player: every frame of every installed template, painted on one thread
// at 1920 x 1080 (albums) and 800 x 450 (previews). Prints the median frame time over all
// frames, and the template with the slowest mean and the slowest single frame.
//   bench_template_render [-v] [executable folder]   (default: the folder of this program)
// Times are CPU time of the painting thread, so other work on the machine does not count.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "model/sentinels.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/layer_art.h"
#include "templates/package.h"
#include "templates/template_player.h"

namespace {

using namespace solvane;

// CPU time of this thread: the figure does not depend on what else the machine is doing.
double threadMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
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

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool verbose = args.removeAll("-v") > 0;
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

  const QList<QSize> hosts = args.size() > 1 ? QList<QSize>{QSize(800, 450)}
                                              : QList<QSize>{QSize(1920, 1080), QSize(800, 450)};
  for (const QSize host : hosts) {
    std::vector<TemplateTimes> all;
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
      QImage frame(host, QImage::Format_RGB32);
      TemplateTimes times{name, {}};
      for (int f = 0; f < player.TotalFrames(); ++f) {
        const double start = threadMs();
        player.setFrameNum(f);
        player.paint(frame);
        times.ms.push_back(threadMs() - start);
      }
      if (verbose)
        std::printf("  %s %s: mean %.2f ms, worst %.2f ms\n", qPrintable(name),
                    qPrintable(player.GetVariable("name")), times.mean(), times.worst());
      all.push_back(std::move(times));
    }
    report(QString("%1x%2").arg(host.width()).arg(host.height()).toUtf8().constData(), all);
  }
  return 0;
}
