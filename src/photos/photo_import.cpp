#include "photos/photo_import.h"

#include <atomic>
#include <mutex>
#include <vector>

#include <QFile>
#include <QFileInfo>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/thumbnail_file.h"
#include "model/workspace.h"
#include "photos/crop_geometry.h"
#include "photos/parallel_for.h"
#include "photos/photo_renderer.h"
#include "photos/photo_rows.h"
#include "photos/photo_snapshot.h"
#include "photos/picture_memory.h"
#include "photos/staging.h"
#include "photos/staging_paths.h"
#include "photos/staging_words.h"
#include "photos/thumbnails.h"

namespace solvane {
namespace {

struct CheckedFile {
  QString path;
  QSize stored;
  QSize upright;
  QString problem;  // why the file cannot be imported; empty when it can
};

CheckedFile checkFile(const QString& path) {
  CheckedFile f{path, {}, {}, {}};
  try {
    const JpegHeader header = checkPhotoFile(path);
    f.stored = header.stored;
    f.upright = header.upright();
  } catch (const Error& e) {
    f.problem = e.message();
  } catch (const std::exception& e) {
    f.problem = QFileInfo(path).fileName() + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
  }
  return f;
}

// A photograph that passed the check but failed while it was prepared; the batch is undone
// and run again without it.
struct PhotoFailure {
  int batchIndex;
  QString message;
};

// What the import may change, so that a stopped or failed import can put it back.
class ProjectSnapshot {
 public:
  explicit ProjectSnapshot(const Project& p) : tables_(p) {}

  // Removes the thumbnails and instance folders made since the snapshot, then puts the
  // tables and fields back.
  void restore(Project& p, const Workspace& ws) const {
    for (int n = tables_.photoCount() + 1; n <= p.ListView_daoruxiangpian.count(); ++n)
      QFile::remove(staging::thumbnailFile(ws, n));
    for (int t = tables_.instanceCount() + 1; t <= p.Edit_mobanleijia_sum.toInt(); ++t)
      ClearFolder(staging::instanceFolder(ws, QString::number(t)));
    tables_.restore(p);
  }

 private:
  PhotoTablesSnapshot tables_;
};

// Steps done of the import's 4 × n; workers report from their own threads.
class Progress {
 public:
  Progress(const JobControl& job, long long total) : job_(job), total_(total) {}
  void step() {
    std::lock_guard lock(mutex_);
    job_.report(++done_, total_);
  }
  void finish() {
    std::lock_guard lock(mutex_);
    done_ = total_;
    job_.report(done_, total_);
  }

 private:
  const JobControl& job_;
  const long long total_;
  long long done_ = 0;
  std::mutex mutex_;
};

// The pictures one new photo row needs, worked out before the parallel part so that the
// workers never touch the project.
struct PhotoWork {
  QString path;
  QSize thumbnail;
  CropGeometry crop;
  QString thumbnailFile;
  QString slotFile;
};

std::vector<PhotoWork> planPictures(const Project& p, const Workspace& ws, int firstRow,
                                    const CropSettings& settings) {
  const Table& photos = p.ListView_daoruxiangpian;
  std::vector<PhotoWork> work;
  for (int i = firstRow; i < photos.count(); ++i) {
    const QSize seen(photos.cell(i, photo_col::width).toInt(),
                     photos.cell(i, photo_col::height).toInt());
    const QSize slot(photos.cell(i, photo_col::need_width).toInt(),
                     photos.cell(i, photo_col::need_height).toInt());
    work.push_back({photos.cell(i, photo_col::path), requestInBox(seen, thumbnailBox(p)),
                    cropGeometry(seen, slot, settings), staging::thumbnailFile(ws, i + 1),
                    staging::slotPicture(ws, photos.cell(i, photo_col::template_folder),
                                         photos.cell(i, photo_col::picture_name))});
  }
  return work;
}

// One decode serves the thumbnail and the crop: it covers the larger of the two.
void makePictures(const PhotoWork& w, PictureMemory& memory, Progress& progress) {
  const QString name = QFileInfo(w.path).fileName();
  const DecodedPhoto photo(readPhotoFile(w.path, &memory),
                           w.thumbnail.expandedTo(w.crop.scaled), name, &memory);
  saveThumbnail(borderedThumbnail(photo.draw(w.thumbnail)), w.thumbnailFile);
  progress.step();
  writeStagedPicture(cropPicture(photo, w.crop), w.slotFile, &memory);
  progress.step();
}

void runBatch(Project& p, const Workspace& ws, const std::vector<CheckedFile>& batch,
              const PhotoImportOptions& options, const JobControl& job) {
  Table& staged = p.ListView_daoruxiangpianchuli;
  staged.clear();
  for (std::size_t i = 0; i < batch.size(); ++i)
    staged.append(stagingRow(static_cast<int>(i) + 1, batch[i].path,
                             classifyPhoto(batch[i].stored, batch[i].upright)));
  Progress progress(job, 4 * static_cast<long long>(batch.size()));
  job.report(0, 4 * static_cast<long long>(batch.size()));

  if (p.ListView_daoruxiangpian.empty()) p.Edit_daoru_moban_kaishishiyong_kaiguan = word::kai;
  const int firstRow = p.ListView_daoruxiangpian.count();
  assignTemplates(p, options.draw, [&] { progress.step(); });
  job.checkStop();
  stageMovies(p, ws);
  stageClosingMovie(ws);
  progress.step();
  job.checkStop();

  const std::vector<PhotoWork> work = planPictures(p, ws, firstRow, p.crop_settings);
  EnsureFolder(staging::thumbnailFolder(ws));
  std::vector<QString> failures(work.size());
  std::atomic<bool> failed{false};
  std::vector<PictureMemory> memory(static_cast<std::size_t>(parallelWorkers(options.threads)));
  parallelFor(static_cast<int>(work.size()), options.threads, [&](int i, int worker) {
    if (failed || job.stopRequested()) return;
    try {
      makePictures(work[i], memory[static_cast<std::size_t>(worker)], progress);
    } catch (const std::exception& e) {
      failures[i] = QString::fromUtf8(e.what());
      failed = true;
    }
  });
  job.checkStop();
  for (std::size_t i = 0; i < failures.size(); ++i)
    if (!failures[i].isEmpty()) throw PhotoFailure{static_cast<int>(i), failures[i]};

  Table& photos = p.ListView_daoruxiangpian;
  for (int i = firstRow; i < photos.count(); ++i) {
    photos.setCell(i, photo_col::thumb_done, word::jiancai_yes);
    photos.setCell(i, photo_col::crop_done, word::jiancai_yes);
  }
  rebuildPhotoDisplayList(p);
  photos.renumber();
  progress.finish();
}

QString leftOutMessage(int leftOut, int chosen, const QStringList& reasons) {
  const QString head =
      leftOut == chosen
          ? QStringLiteral("None of the %1 chosen files could be added:").arg(chosen)
          : QStringLiteral("%1 of the %2 chosen files could not be added; the others were:")
                .arg(leftOut).arg(chosen);
  return head + QLatin1Char('\n') + reasons.join(QLatin1Char('\n'));
}

}  // namespace

PhotoImportResult importPhotos(Project& project, const Workspace& ws, const QStringList& files,
                               const PhotoImportOptions& options, const JobControl& job) {
  PhotoImportResult result;
  if (files.isEmpty()) return result;

  std::vector<CheckedFile> checked(files.size());
  parallelFor(static_cast<int>(files.size()), options.threads,
              [&](int i, int) { if (!job.stopRequested()) checked[i] = checkFile(files[i]); });
  job.checkStop();

  std::vector<int> accepted;  // indexes into `files` of the photographs of the batch
  for (int i = 0; i < static_cast<int>(checked.size()); ++i)
    if (checked[i].problem.isEmpty()) accepted.push_back(i);

  while (!accepted.empty()) {
    std::vector<CheckedFile> batch;
    for (int i : accepted) batch.push_back(checked[i]);
    const ProjectSnapshot before(project);
    try {
      runBatch(project, ws, batch, options, job);
      break;
    } catch (const PhotoFailure& f) {
      before.restore(project, ws);
      checked[accepted[f.batchIndex]].problem = f.message;
      accepted.erase(accepted.begin() + f.batchIndex);
    } catch (...) {
      before.restore(project, ws);
      throw;
    }
  }

  result.imported = static_cast<int>(accepted.size());
  QStringList reasons;
  for (const CheckedFile& f : checked) {
    if (f.problem.isEmpty()) continue;
    result.leftOut << f.path;
    reasons << f.problem;
  }
  if (!reasons.isEmpty())
    result.message = leftOutMessage(static_cast<int>(reasons.size()),
                                    static_cast<int>(files.size()), reasons);
  return result;
}

}  // namespace solvane
