#pragma once
// Real photographs for the library tools (contact sheets, motion report): loaded once,
// cropped for a slot the way photo staging crops them. Header-only, since every tool is a
// single source file.
#include <vector>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "model/error.h"
#include "model/sentinels.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/package.h"

namespace solvane {

struct Photos {
  std::vector<QImage> landscape, portrait;
};

inline Photos loadPhotos(const QString& folder) {
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
inline QImage stagedCrop(const QImage& photo, int sw, int sh) {
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

inline void saveJpeg(const QImage& img, const QString& path) {
  if (!img.save(path, "JPEG", 90)) throw Error(path + ": cannot be written");
}


// Unpacks one template into `folder` (the movie as w_j_1.rar beside its slot pictures) with
// the next photographs of the right orientations; either-way slots alternate. Returns the
// parameter file.
inline IniFile stageTemplate(const QString& paramPackage, const QString& moviePackage,
                             const QString& scratch, const QString& folder, const Photos& photos,
                             int index, size_t& next) {
  unpack_package(paramPackage, scratch + "/mid.rar", scratch + "/p.ini");
  IniFile ini = IniFile::load(scratch + "/p.ini");
  const QStringList widths = split_bar_list(ini.value("1", "xpkd"));
  const QStringList heights = split_bar_list(ini.value("1", "xpgd"));
  const QStringList orient = split_bar_list(ini.value("1", "szhz"));
  for (const QString& f : QDir(folder).entryList(QDir::Files)) QFile::remove(folder + "/" + f);
  for (int k = 0; k < orient.size(); ++k) {
    const bool portrait = orient[k] == word::shu || (orient[k] == word::shuheng && (index + k) % 2);
    const auto& pool = portrait ? photos.portrait : photos.landscape;
    const QImage& photo = pool[next++ % pool.size()];
    saveJpeg(stagedCrop(photo, widths.value(k).toInt(), heights.value(k).toInt()),
             folder + QString("/picture_%1.rar").arg(k + 1));
  }
  unpack_package(moviePackage, scratch + "/mid.rar", folder + "/w_j_1.rar");
  return ini;
}

}  // namespace solvane
