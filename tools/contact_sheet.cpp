// Renders the whole installed template library with real photographs into PNG sheets:
//   contact_sheet <executable folder> <output folder> [photo folder [template frame]]
// With a template number (1 = first) and a frame, also writes that frame at full size as
// frame.png, for looking at edges and detail.
// Each row is one template at frames 0, 10 (mid hand-over), 25 %, 50 %, 75 % and its last
// frame; each movie
// opens with the last picture of the one before, as in an album. Also writes overview.png,
// a small grid of every template at its middle frame.
#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>

#include "model/error.h"
#include "model/file_io.h"
#include "model/sentinels.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/package.h"
#include "templates/template_player.h"
#include "library_photos.h"

namespace {

using namespace solvane;

constexpr int kCellW = 384, kCellH = 216, kLabelW = 260, kRowsPerSheet = 7;

struct Rendered {
  QString title;
  QString family;
  std::vector<QImage> cells;
  QImage last;
};

class SheetMaker {
 public:
  SheetMaker(const QString& bin, const Photos& photos) : bin_(bin), photos_(photos) {
    QDir(stage_.path()).mkpath("tp_wjj/tp_wjj/tp_wjj_1");
    QDir(stage_.path()).mkpath("tp_wjj/pic");
    previous_ = QImage(1920, 1080, QImage::Format_RGB32);
    previous_.fill(Qt::black);
  }

  Rendered renderTemplate(const QString& paramPackage, const QString& moviePackage, int index) {
    const QString folder = stage_.path() + "/tp_wjj/tp_wjj/tp_wjj_1/";
    const IniFile ini =
        stageTemplate(paramPackage, moviePackage, stage_.path(), folder, photos_, index, next_);
    Rendered r = play(folder + "w_j_1.rar", index + 1 == probeTemplate ? probeFrame : -1);
    const QJsonObject source =
        QJsonDocument::fromJson(readWholeFile(folder + "w_j_1.rar")).object();
    r.family = source.value("template").toObject().value("family").toString();
    r.title = QString("%1  %2\n%3 x%4\n%5 frames")
                  .arg(index + 1, 2, 10, QChar('0'))
                  .arg(source.value("name").toString(), ini.value("1", "szhz"),
                       ini.value("1", "xpsl"), ini.value("1", "mbdx"));
    return r;
  }

  void probe(int templateNumber, int frame, const QString& path) {
    probeTemplate = templateNumber;
    probeFrame = frame;
    probePath = path;
  }

  Rendered play(const QString& moviePath, int fullFrame = -1) {
    saveJpeg(previous_, stage_.path() + "/tp_wjj/pic/picture_0.rar");
    TemplatePlayer player;
    player.setMovie(moviePath);
    for (const QString& m : player.missingPictures())
      std::fprintf(stderr, "missing picture: %s\n", qPrintable(m));
    Rendered r;
    const int last = player.TotalFrames() - 1;
    for (int f : {0, std::min(10, last), last / 4, last / 2, last * 3 / 4, last}) {
      player.setFrameNum(f);
      const QImage frame = player.grab();
      r.cells.push_back(frame.scaled(kCellW, kCellH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
      if (f == last) r.last = frame;
    }
    previous_ = r.last;
    if (fullFrame >= 0) {
      player.setFrameNum(fullFrame);
      player.grab().save(probePath);
    }
    return r;
  }

 private:
  QString bin_;
  const Photos& photos_;
  QTemporaryDir stage_;
  QImage previous_;
  size_t next_ = 0;
  int probeTemplate = -1, probeFrame = -1;
  QString probePath;
};

QImage sheet(const std::vector<Rendered>& rows, int fontPx = 20) {
  QImage img(kLabelW + 6 * (kCellW + 8) + 8, int(rows.size()) * (kCellH + 8) + 8, QImage::Format_RGB32);
  img.fill(QColor("#202228"));
  QPainter p(&img);
  p.setPen(QColor("#e8e8e8"));
  QFont font = p.font();
  font.setPixelSize(fontPx);
  p.setFont(font);
  for (size_t r = 0; r < rows.size(); ++r) {
    const int y = 8 + int(r) * (kCellH + 8);
    p.drawText(QRect(12, y, kLabelW - 16, kCellH), Qt::AlignVCenter | Qt::TextWordWrap, rows[r].title);
    for (size_t c = 0; c < rows[r].cells.size(); ++c)
      p.drawImage(kLabelW + 8 + int(c) * (kCellW + 8), y, rows[r].cells[c]);
  }
  return img;
}

QImage overview(const std::vector<Rendered>& rows, int columns, int cellW) {
  const int cellH = cellW * 9 / 16, gap = 4;
  const int rowsCount = (int(rows.size()) + columns - 1) / columns;
  QImage img(columns * (cellW + gap) + gap, rowsCount * (cellH + gap) + gap, QImage::Format_RGB32);
  img.fill(QColor("#202228"));
  QPainter p(&img);
  for (size_t i = 0; i < rows.size(); ++i) {
    const QImage& cell = rows[i].cells[4];
    p.drawImage(QRect(gap + int(i % columns) * (cellW + gap), gap + int(i / columns) * (cellH + gap),
                      cellW, cellH),
                cell.scaled(cellW, cellH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return img;
}

int run(const QString& bin, const QString& out, const QString& photoFolder, int probeTemplate,
        int probeFrame) {
  const Photos photos = loadPhotos(photoFolder);
  QDir().mkpath(out);
  const QString params = bin + "/smxcwjj/wj_0_or_2/wjj_02";
  const QString movies = bin + "/smxcwjj/wj_0_or_2/wjj_01";
  const QStringList paramFiles = QDir(params).entryList({"*.rar"}, QDir::Files, QDir::Name);
  const QStringList movieFiles = QDir(movies).entryList({"*.rar"}, QDir::Files, QDir::Name);
  if (paramFiles.isEmpty() || paramFiles.size() != movieFiles.size())
    throw Error(bin + ": the template library is missing or unpaired");
  SheetMaker maker(bin, photos);
  maker.probe(probeTemplate, probeFrame, out + "/frame.png");
  std::vector<Rendered> rows;
  for (int i = 0; i < paramFiles.size(); ++i)
    rows.push_back(maker.renderTemplate(params + "/" + paramFiles[i], movies + "/" + movieFiles[i], i));
  QTemporaryDir closingDir;
  QDir(closingDir.path()).mkpath("a/b");
  unpack_package(bin + "/smxcwjj/wj_0_or_1/wj_1.rar", closingDir.path() + "/mid.rar",
                 closingDir.path() + "/a/b/w_j_zuihou.rar");
  // The closing movie looks for its opening picture next to the staging tree it is in.
  QDir(closingDir.path()).mkpath("pic");
  saveJpeg(rows.back().last, closingDir.path() + "/pic/picture_0.rar");
  Rendered closing = maker.play(closingDir.path() + "/a/b/w_j_zuihou.rar");
  closing.title = "closing movie";
  rows.push_back(closing);

  int sheetNo = 0;
  for (size_t first = 0; first < rows.size(); first += kRowsPerSheet) {
    const std::vector<Rendered> part(rows.begin() + long(first),
                                     rows.begin() + long(std::min(rows.size(), first + kRowsPerSheet)));
    const QString path = QString("%1/sheet_%2.png").arg(out).arg(++sheetNo);
    sheet(part).save(path);
    std::printf("%s\n", qPrintable(path));
  }
  // One sheet per themed family, at 40 % and in a palette, small enough for docs/.
  std::vector<QString> families;
  for (const Rendered& r : rows)
    if (!r.family.isEmpty() && std::find(families.begin(), families.end(), r.family) == families.end())
      families.push_back(r.family);
  for (const QString& family : families) {
    std::vector<Rendered> part;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(part),
                 [&](const Rendered& r) { return r.family == family; });
    const QImage full = sheet(part, 34);
    const QString path = QString("%1/family_%2.png").arg(out, family);
    full.scaled(full.size() * 0.4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither)
        .save(path);
    std::printf("%s\n", qPrintable(path));
  }
  // A palette picture keeps the overview small enough for the README.
  overview(rows, 12, 132)
      .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither)
      .save(out + "/overview.png");
  std::printf("%s/overview.png\n", qPrintable(out));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <executable folder> <output folder> [photo folder]\n", argv[0]);
    return 2;
  }
  try {
    return run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
               argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString("/usr/share/backgrounds/mate"),
               argc > 5 ? std::atoi(argv[4]) : -1, argc > 5 ? std::atoi(argv[5]) : -1);
  } catch (const solvane::Error& e) {
    std::fprintf(stderr, "contact_sheet: %s\n", e.what());
    return 1;
  }
}
