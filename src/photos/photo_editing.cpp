#include "photos/photo_editing.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include <QFileInfo>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/thumbnail_file.h"
#include "model/workspace.h"
#include "photos/edit_journal.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_renderer.h"
#include "photos/photo_rows.h"
#include "photos/photo_snapshot.h"
#include "photos/staging.h"
#include "photos/staging_paths.h"
#include "photos/thumbnails.h"

namespace solvane {
namespace {

// One edit: tables and files are put back unless finish() was reached.
class Edit {
 public:
  Edit(Project& p, const Workspace& ws) : project(p), ws(ws), saved_(p), files(ws) {}
  ~Edit() {
    if (!finished_) saved_.restore(project);
  }
  void finish() {
    files.commit();
    finished_ = true;
  }

  Project& project;
  const Workspace& ws;

 private:
  PhotoTablesSnapshot saved_;

 public:
  EditJournal files;

 private:
  bool finished_ = false;
};

Table& photosOf(Edit& e) { return e.project.ListView_daoruxiangpian; }

QString stagingFolder(const Workspace& ws, const QString& name) {
  return staging::root(ws) + name + QLatin1Char('/');
}

QString parkedName(const QString& t) { return t + QStringLiteral("_tp_wjj_") + t; }

QString movieName(const QString& t) {
  return QStringLiteral("w_j_") + t + Project::Edit_kuozhanming_1;
}

bool sharesInstance(const Table& photos, int row) {
  const QString t = photos.cell(row, photo_col::template_folder);
  if (photos.cell(row, photo_col::template_photo_count).toInt() <= 1) return false;
  for (int i = 0; i < photos.count(); ++i)
    if (i != row && photos.cell(i, photo_col::template_folder) == t) return true;
  return false;
}

// Row `row` leaves the table; thumbnail files after it move up one place so that file i + 1
// still shows row i.
void removeRow(Edit& e, int row) {
  Table& photos = photosOf(e);
  const int n = photos.count();
  e.files.remove(staging::thumbnailFile(e.ws, row + 1));
  for (int k = row + 2; k <= n; ++k)
    e.files.move(staging::thumbnailFile(e.ws, k), staging::thumbnailFile(e.ws, k - 1));
  photos.remove(row);
}

void compact(Edit& e) {
  Project& p = e.project;
  Table& photos = p.ListView_daoruxiangpian;
  // Instances in the order of their first photograph.
  std::vector<QString> order;
  std::map<QString, QString> renumbered;
  for (int i = 0; i < photos.count(); ++i) {
    const QString t = photos.cell(i, photo_col::template_folder);
    if (renumbered.count(t)) continue;
    order.push_back(t);
    renumbered[t] = QString::number(order.size());
  }
  // Every folder that changes its number is parked under a name of its own first, so that
  // no rename lands on a folder that has not moved yet.
  for (const QString& t : order)
    if (renumbered[t] != t)
      e.files.move(staging::instanceFolder(e.ws, t), stagingFolder(e.ws, parkedName(t)));
  for (const QString& t : order) {
    const QString m = renumbered[t];
    if (m == t) continue;
    const QString parked = stagingFolder(e.ws, parkedName(t));
    e.files.move(parked + movieName(t), parked + movieName(m));
    e.files.move(parked, staging::instanceFolder(e.ws, m));
  }
  for (int i = 0; i < photos.count(); ++i) {
    photos.setCell(i, photo_col::template_folder,
                   renumbered[photos.cell(i, photo_col::template_folder)]);
    photos.setCell(i, photo_col::thumb_done, word::jiancai_yes);
  }
  p.Edit_mobanleijia_sum = QString::number(order.size());
  if (photos.empty()) {
    p.ListView_daoruxiangpian_tuodong_linshi.clear();
    p.ListView_daoruxiangpianchuli.clear();
    p.ListView_hengzhaopian_suijishu.clear();
    p.ListView_shuzhaopian_suijishu.clear();
    p.ListView_hengzhaopian_suijishu_wei_1.clear();
    p.ListView_shuzhaopian_suijishu_wei_1.clear();
  }
  photos.renumber();
  rebuildPhotoDisplayList(p);
  p.Edit_xiangpian_down_id = word::wu;
  p.Edit_xianshikuang_pailie = QString::number(photos.count());
}

QString orientationName(const Project& p, int row) {
  return p.ListView_daoruxiangpian.cell(row, photo_col::orientation) == word::heng_zhao
             ? QStringLiteral("横照片")
             : QStringLiteral("竖照片");
}

// The slot of `row` is about to be refilled: keep its picture for undoing.
void keepSlotPicture(Edit& e, int row) {
  const Table& photos = photosOf(e);
  e.files.keep(staging::slotPicture(e.ws, photos.cell(row, photo_col::template_folder),
                                    photos.cell(row, photo_col::picture_name)));
}

void checkRow(const Project& p, int row) {
  if (row < 0 || row >= p.ListView_daoruxiangpian.count())
    throw Error(QStringLiteral("photo row %1 does not exist").arg(row + 1));
}

// A replacement keeps the instance for its other photographs; a lone photograph would leave
// a folder without photographs behind.
void checkShared(const Project& p, int row) {
  checkRow(p, row);
  if (!sharesInstance(p.ListView_daoruxiangpian, row))
    throw Error(QStringLiteral("photo row %1 is alone in its template: it is deleted, not replaced")
                    .arg(row + 1));
}

void makeThumbnail(const Project& p, const QString& file, const QString& target) {
  const QString name = QFileInfo(file).fileName();
  const QByteArray bytes = readPhotoFile(file);
  const QSize size = requestInBox(readJpegHeader(bytes, name).upright(), thumbnailBox(p));
  saveThumbnail(borderedThumbnail(DecodedPhoto(bytes, size, name).draw(size)), target);
}

}  // namespace

DeleteOutcome deletePhoto(Project& project, const Workspace& ws, int row) {
  checkRow(project, row);
  return deletePhotos(project, ws, {row}).empty() ? DeleteOutcome::Deleted
                                                  : DeleteOutcome::NeedsReplacement;
}

std::vector<int> deletePhotos(Project& project, const Workspace& ws, std::vector<int> rows) {
  for (int row : rows) checkRow(project, row);
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  Edit e(project, ws);
  Table& photos = photosOf(e);
  std::vector<int> kept;
  bool removed = false;
  for (int row : rows) {
    if (sharesInstance(photos, row)) {
      kept.push_back(row);
      continue;
    }
    e.files.remove(staging::instanceFolder(ws, photos.cell(row, photo_col::template_folder)));
    removeRow(e, row);
    for (int& k : kept) --k;  // every kept row stands after this one
    removed = true;
  }
  if (removed) compact(e);
  e.finish();
  return kept;
}

void deleteAllPhotos(Project& project, const Workspace& ws) {
  Edit e(project, ws);
  e.files.remove(staging::thumbnailFolder(ws));
  e.files.remove(staging::root(ws));
  EnsureFolder(staging::thumbnailFolder(ws));
  EnsureFolder(staging::root(ws));
  project.ListView_daoruxiangpian.clear();
  compact(e);
  e.finish();
}

void compactInstances(Project& project, const Workspace& ws) {
  Edit e(project, ws);
  compact(e);
  e.finish();
}

std::vector<int> replacementCandidates(const Project& project, int row) {
  checkRow(project, row);
  const Table& photos = project.ListView_daoruxiangpian;
  const QString orientation = photos.cell(row, photo_col::orientation);
  std::vector<int> candidates;
  for (int i = 0; i < photos.count(); ++i)
    if (i != row && photos.cell(i, photo_col::orientation) == orientation) candidates.push_back(i);
  return candidates;
}

QString newFileMismatch(const Project& project, int row, const QString& file) {
  checkRow(project, row);
  // Seen upright, as import classifies it: a phone portrait stored sideways is a portrait.
  const QSize seen = checkPhotoFile(file).upright();
  const QLatin1String orientation = seen.width() >= seen.height() ? word::heng_zhao : word::shu_zhao;
  if (project.ListView_daoruxiangpian.cell(row, photo_col::orientation) == orientation) return {};
  return QStringLiteral("添加的新相片不是") + orientationName(project, row) +
         QStringLiteral(",请重新添加！");
}

QString noCandidateMessage(const Project& project, int row) {
  return QStringLiteral("没有其它的") + orientationName(project, row) +
         QStringLiteral("可以用来补充模板，请手动添加新相片！");
}

void replaceWithPhoto(Project& project, const Workspace& ws, int row, int candidate) {
  checkShared(project, row);
  checkRow(project, candidate);
  if (candidate == row) throw Error(QStringLiteral("a photograph cannot replace itself"));
  Edit e(project, ws);
  keepSlotPicture(e, row);
  replacementCrop(project, ws, row, photosOf(e).cell(candidate, photo_col::path), false);
  removeRow(e, row);
  compact(e);
  e.finish();
}

bool replaceWithRandomPhoto(Project& project, const Workspace& ws, int row, const DrawIndex& draw) {
  const std::vector<int> candidates = replacementCandidates(project, row);
  if (candidates.empty()) return false;
  const int pick = std::clamp(draw(static_cast<int>(candidates.size())), 0,
                              static_cast<int>(candidates.size()) - 1);
  replaceWithPhoto(project, ws, row, candidates[static_cast<std::size_t>(pick)]);
  return true;
}

void replaceWithNewFile(Project& project, const Workspace& ws, int row, const QString& file) {
  checkShared(project, row);
  Edit e(project, ws);
  keepSlotPicture(e, row);
  replacementCrop(project, ws, row, file, true);
  const QString thumbnail = staging::thumbnailFile(ws, photosOf(e).count());
  e.files.created(thumbnail);
  makeThumbnail(project, file, thumbnail);
  removeRow(e, row);
  compact(e);
  e.finish();
}

bool dropLandsOn(QPoint dropped, QPoint cell) {
  return std::abs(dropped.x() - cell.x()) < kSwapDistance &&
         std::abs(dropped.y() - cell.y()) < kSwapDistance;
}

int swapTarget(int dragged, QPoint dropped, const std::vector<QPoint>& cells) {
  for (int s = 0; s < static_cast<int>(cells.size()); ++s)
    if (s != dragged && dropLandsOn(dropped, cells[static_cast<std::size_t>(s)])) return s;
  return -1;
}

void swapPhotos(Project& project, const Workspace& ws, int a, int b) {
  checkRow(project, a);
  checkRow(project, b);
  Edit e(project, ws);
  Table& photos = photosOf(e);
  if (a != b) {
    const QStringList rowA = photos.row(a);
    const QStringList rowB = photos.row(b);
    for (int c = 0; c < photos.columnCount(); ++c) {
      photos.setCell(a, c, rowB.value(c));
      photos.setCell(b, c, rowA.value(c));
    }
    const QString fileA = staging::thumbnailFile(ws, a + 1);
    const QString fileB = staging::thumbnailFile(ws, b + 1);
    const QString parked = fileA + QStringLiteral(".huhuan");
    const bool hadA = e.files.move(fileA, parked);
    e.files.move(fileB, fileA);
    if (hadA) e.files.move(parked, fileB);
  }
  compact(e);
  e.finish();
}

QStringList photoDescription(const Project& project, int row) {
  checkRow(project, row);
  const Table& photos = project.ListView_daoruxiangpian;
  const bool landscape = photos.cell(row, photo_col::orientation) == word::heng_zhao;
  return {QStringLiteral("相片名称：") + photos.cell(row, photo_col::file_name),
          QStringLiteral("相片类型：") + photos.cell(row, photo_col::file_type).toUpper(),
          QStringLiteral("相片尺寸：") + photos.cell(row, photo_col::width) + QLatin1Char('*') +
              photos.cell(row, photo_col::height),
          QStringLiteral("横照竖照：") +
              (landscape ? QStringLiteral("横照相片") : QStringLiteral("竖照相片")),
          QStringLiteral("相片序号：") + QString::number(row + 1)};
}

}  // namespace solvane
