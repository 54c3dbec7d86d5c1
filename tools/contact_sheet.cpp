// Renders the whole installed template library with real photographs into PNG sheets:
//   contact_sheet <executable folder> <output folder> [photo folder]
// Each row is one template at frames 0, 25 %, 50 %, 75 % and its last frame; each movie
// opens with the last picture of the one before, as in an album. Also writes overview.png,
// a small grid of every template at its middle frame.
#include <algorithm>
#include <cstdio>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "model/error.h"
#include "model/sentinels.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/package.h"
#include "templates/template_player.h"

namespace {

using namespace solvane;

constexpr int kCellW = 384, kCellH = 216, kLabelW = 260, kRowsPerSheet = 7;

struct Photos {
  std::vector<QImage> landscape, portrait;
};

Photos loadPhotos(const QString& folder) {
  Photos photos;
  QDirIterator it(folder, {"*.jpg"}, QDir::Files, QDirIterator::Subdirectories);
  QStringList files;
  while (it.hasNext()) files << it.next();
  files.sort();
  for (const QString& f : files) {
    if (f.contains("_3840") || f.contains("_5640") || f.contains("/desktop/")) continue;
    QImage img(f);
    if (img.isNull()) continue;
    img = img.scaledToHeight(1440, Qt::SmoothTransformation);
    photos.landscape.push_back(img);
    // A portrait photograph: the middle 2:3 of the landscape one.
    const int w = img.height() * 2 / 3;
    photos.portrait.push_back(img.copy((img.width() - w) / 2, 0, w, img.height()));
  }
  if (photos.landscape.empty()) throw Error(folder + ": no JPEG photographs found");
  return photos;
}

// The crop staging makes for a slot: cover the slot anchored at the top-left; a 0 x 0 slot
// takes the full-screen crop for landscape and the enlarged crop for portrait photographs.
QImage stagedCrop(const QImage& photo, int sw, int sh) {
  const int W = photo.width(), H = photo.height();
  QSize scaled, canvas;
  if (sw != 0 && sh != 0) {
    canvas = QSize(sw, sh);
    scaled = W >= H ? QSize(W * sh / H, sh) : QSize(sw, H * sw / W);
    if (scaled.width() < sw) scaled = QSize(sw, H * sw / W);
    if (scaled.height() < sh) scaled = QSize(W * sh / H, sh);
  } else if (W >= H) {
    scaled = QSize(1920, H * 1920 / W);
    canvas = QSize(1920, 1080);
  } else {
    const int w1 = W * 1080 / H;
    scaled = QSize(w1 * 1440 / 1080, 1440);
    canvas = QSize(w1 * 1440 / 1080, 1080);
  }
  QImage out(canvas, QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  p.drawImage(0, 0, photo.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return out;
}

void saveJpeg(const QImage& img, const QString& path) {
  if (!img.save(path, "JPEG", 90)) throw Error(path + ": cannot be written");
}

struct Rendered {
  QString title;
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
    unpack_package(paramPackage, stage_.path() + "/mid.rar", stage_.path() + "/p.ini");
    const IniFile ini = IniFile::load(stage_.path() + "/p.ini");
    const QStringList widths = split_bar_list(ini.value("1", "xpkd"));
    const QStringList heights = split_bar_list(ini.value("1", "xpgd"));
    const QStringList orient = split_bar_list(ini.value("1", "szhz"));
    for (const QString& f : QDir(folder).entryList(QDir::Files)) QFile::remove(folder + f);
    for (int k = 0; k < orient.size(); ++k) {
      const bool portrait = orient[k] == word::shu || (orient[k] == word::shuheng && (index + k) % 2);
      const auto& pool = portrait ? photos_.portrait : photos_.landscape;
      const QImage& photo = pool[size_t(next_++ % pool.size())];
      saveJpeg(stagedCrop(photo, widths.value(k).toInt(), heights.value(k).toInt()),
               folder + QString("picture_%1.rar").arg(k + 1));
    }
    unpack_package(moviePackage, stage_.path() + "/mid.rar", folder + "w_j_1.rar");
    Rendered r = play(folder + "w_j_1.rar");
    r.title = QString("%1  %2 x%3\n%4 frames")
                  .arg(index + 1, 2, 10, QChar('0'))
                  .arg(ini.value("1", "szhz"), ini.value("1", "xpsl"), ini.value("1", "mbdx"));
    return r;
  }

  Rendered play(const QString& moviePath) {
    saveJpeg(previous_, stage_.path() + "/tp_wjj/pic/picture_0.rar");
    TemplatePlayer player;
    player.setMovie(moviePath);
    for (const QString& m : player.missingPictures())
      std::fprintf(stderr, "missing picture: %s\n", qPrintable(m));
    Rendered r;
    const int last = player.TotalFrames() - 1;
    for (int f : {0, last / 4, last / 2, last * 3 / 4, last}) {
      player.setFrameNum(f);
      const QImage frame = player.grab();
      r.cells.push_back(frame.scaled(kCellW, kCellH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
      if (f == last) r.last = frame;
    }
    previous_ = r.last;
    return r;
  }

 private:
  QString bin_;
  const Photos& photos_;
  QTemporaryDir stage_;
  QImage previous_;
  size_t next_ = 0;
};

QImage sheet(const std::vector<Rendered>& rows) {
  QImage img(kLabelW + 5 * (kCellW + 8) + 8, int(rows.size()) * (kCellH + 8) + 8, QImage::Format_RGB32);
  img.fill(QColor("#202228"));
  QPainter p(&img);
  p.setPen(QColor("#e8e8e8"));
  QFont font = p.font();
  font.setPixelSize(20);
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
    const QImage& cell = rows[i].cells[3];
    p.drawImage(QRect(gap + int(i % columns) * (cellW + gap), gap + int(i / columns) * (cellH + gap),
                      cellW, cellH),
                cell.scaled(cellW, cellH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return img;
}

int run(const QString& bin, const QString& out, const QString& photoFolder) {
  const Photos photos = loadPhotos(photoFolder);
  QDir().mkpath(out);
  const QString params = bin + "/smxcwjj/wj_0_or_2/wjj_02";
  const QString movies = bin + "/smxcwjj/wj_0_or_2/wjj_01";
  const QStringList paramFiles = QDir(params).entryList({"*.rar"}, QDir::Files, QDir::Name);
  const QStringList movieFiles = QDir(movies).entryList({"*.rar"}, QDir::Files, QDir::Name);
  if (paramFiles.isEmpty() || paramFiles.size() != movieFiles.size())
    throw Error(bin + ": the template library is missing or unpaired");
  SheetMaker maker(bin, photos);
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
  overview(rows, 7, 220).save(out + "/overview.png");
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
               argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString("/usr/share/backgrounds/mate"));
  } catch (const solvane::Error& e) {
    std::fprintf(stderr, "contact_sheet: %s\n", e.what());
    return 1;
  }
}
