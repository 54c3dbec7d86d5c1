#include "photos/staging.h"

#include <algorithm>
#include <cstring>
#include <map>

#include <QFileInfo>

#include "model/columns.h"
#include "model/error.h"
#include "model/file_io.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "photos/jpeg_encoder.h"
#include "photos/photo_renderer.h"
#include "photos/photo_rows.h"
#include "photos/picture_memory.h"
#include "photos/staging_paths.h"
#include "photos/staging_words.h"
#include "model/working_file.h"
#include "templates/package.h"

namespace solvane {
namespace {

QString bumpCounter(QString& counter) {
  counter = QString::number(counter.toInt() + 1);
  return counter;
}

QSize slotSize(const Table& photos, int row) {
  return {photos.cell(row, photo_col::need_width).toInt(),
          photos.cell(row, photo_col::need_height).toInt()};
}

QString withEnding(const QString& path, const QString& ending) {
  const QFileInfo info(path);
  const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
  return path.left(path.size() - info.fileName().size()) + stem + ending;
}

}  // namespace

void stageMovies(Project& project, const Workspace& ws) {
  if (project.Edit_daoru_moban_kaishishiyong_kaiguan == word::kai) {
    ClearFolder(staging::root(ws));
    ClearFolder(staging::renderPicFolder(ws));
    EnsureFolder(staging::root(ws));
    EnsureFolder(staging::renderPicFolder(ws));
    project.Edit_daoru_moban_kaishishiyong_kaiguan = word::guan;
  }
  bumpCounter(project.Edit_wj_1_jy_leijia);

  // Every photograph of an instance, and every instance of the same template, would unpack
  // the same movie again; each package is unpacked once per run and its movie copied to the
  // other instances that show it.
  std::map<QString, QString> unpacked;  // package → the movie file unpacked from it
  const Table& photos = project.ListView_daoruxiangpian;
  for (int i = 0; i < photos.count(); ++i) {
    const QString n = bumpCounter(project.Edit_wj_1_jy_leijia);
    if (photos.cell(i, photo_col::thumb_done) != word::jiancai_no) continue;
    const QString package = photos.cell(i, photo_col::template_path);
    const QString t = photos.cell(i, photo_col::template_folder);
    const QString movie = staging::instanceMovie(ws, t);
    EnsureFolder(staging::instanceFolder(ws, t));
    const auto earlier = unpacked.find(package);
    if (earlier == unpacked.end()) {
      EnsureFolder(QFileInfo(staging::movieScratch(ws, n)).path());
      unpack_package(package, staging::movieScratch(ws, n), movie);
      unpacked.emplace(package, movie);
    } else if (earlier->second != movie) {
      writeWorkingFile(movie, readWholeFile(earlier->second));
    }
  }
  if (project.Edit_mobanleijia_sum != QLatin1String("0"))
    project.Edit_str_mulu1 = staging::instancePrefix(ws);
}

void stageClosingMovie(const Workspace& ws) {
  ClearFolder(staging::closingFolder(ws));
  EnsureFolder(staging::closingFolder(ws));
  EnsureFolder(QFileInfo(staging::closingScratch(ws)).path());
  unpack_package(staging::closingPackage(ws), staging::closingScratch(ws),
                 staging::closingMovie(ws));
}

QImage cropPicture(const DecodedPhoto& photo, const CropGeometry& geometry) {
  const QImage scaled = photo.draw(geometry.scaled, geometry.canvas);
  if (geometry.canvas == geometry.scaled) return scaled;
  const QSize kept = geometry.canvas.boundedTo(geometry.scaled);
  if (kept == geometry.canvas) {  // the canvas lies inside the picture: its top-left part
    if (!photo.memory()) return scaled.copy(QRect(QPoint(0, 0), kept));
    // A view into the photo's memory, which outlives this picture.
    return QImage(scaled.constBits(), kept.width(), kept.height(), scaled.bytesPerLine(),
                  QImage::Format_RGB32);
  }
  QImage canvas = pictureIn(photo.memory(), PictureMemory::canvas, geometry.canvas);
  canvas.fill(Qt::black);
  for (int y = 0; y < kept.height(); ++y)
    std::memcpy(canvas.scanLine(y), scaled.constScanLine(y), std::size_t(kept.width()) * 4);
  return canvas;
}

void writeStagedPicture(const QImage& picture, const QString& target, PictureMemory* memory) {
  writeWorkingFile(withEnding(target, Project::Edit_kuozhanming_2),
                   encodeJpeg(picture, kStagedJpegQuality, memory));
}

void replacementCrop(Project& project, const Workspace& ws, int row, const QString& file,
                     bool addRow) {
  Table& photos = project.ListView_daoruxiangpian;
  const QByteArray bytes = readPhotoFile(file);
  const QString name = QFileInfo(file).fileName();
  // The size as seen: a phone portrait is measured upright, like an imported photograph.
  const QSize photo = readJpegHeader(bytes, name).upright();
  const CropGeometry geometry = replacementGeometry(photo, slotSize(photos, row));
  const QImage picture = cropPicture(DecodedPhoto(bytes, geometry.scaled, name), geometry);
  const QString instance = photos.cell(row, photo_col::template_folder);
  writeStagedPicture(picture, staging::slotPicture(ws, instance,
                                                   photos.cell(row, photo_col::picture_name)));
  if (!addRow) return;
  QStringList cells{QString::number(photos.count() + 1), file, fileNameWithoutExtension(file),
                    fileTypeOf(file), QString::number(photo.width()),
                    QString::number(photo.height())};
  cells << photos.row(row).mid(photo_col::orientation);
  photos.append(cells);
}

void makePreviewCopies(const Project& project, const Workspace& ws, int row, QSize previewBox) {
  const Table& photos = project.ListView_daoruxiangpian;
  const QString instance = photos.cell(row, photo_col::template_folder);
  const int slots = photos.cell(row, photo_col::template_photo_count).toInt();
  for (int k = 1; k <= slots; ++k) {
    const QString pictureName = QStringLiteral("picture_%1").arg(k);
    const QByteArray bytes = readPhotoFile(staging::slotPicture(ws, instance, pictureName));
    const QSize stored = readJpegHeader(bytes, pictureName).upright();
    const QSize size(std::max<qint64>(1, qint64(stored.width()) * previewBox.width() / kCanvasWidth),
                     std::max<qint64>(1, qint64(stored.height()) * previewBox.height() / kCanvasHeight));
    const QString target = staging::previewSlotPicture(ws, instance, pictureName);
    EnsureFolder(QFileInfo(target).path());
    writeStagedPicture(DecodedPhoto(bytes, size, pictureName).draw(size), target);
  }
}

}  // namespace solvane
