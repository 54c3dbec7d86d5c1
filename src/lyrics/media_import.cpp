#include "lyrics/media_import.h"

#include <utility>
#include <vector>

#include <QFile>
#include <QFileInfo>

#include "lyrics/binding.h"
#include "lyrics/display_lists.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "lyrics/music_length.h"
#include "lyrics/thumbnails.h"
#include "lyrics/time_text.h"
#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

QString thumbnailPath(const Workspace& workspace, const QString& prefix, int index) {
  return workspace.WorkPath(prefix + QString::number(index + 1) + Project::Edit_kuozhanming_7);
}

// Binds row i of both tables when both are still unbound.
void pairAt(Project& project, int i) {
  if (i >= project.ListView_daoru_yinyue.count() || i >= project.ListView_daoru_LRC.count()) return;
  if (isMusicBound(project, i) || isLyricBound(project, i)) return;
  bindPair(project, i, i, i + 1);
}

// One pane's side of the pass after an import: every row is paired where it can be, gets
// its thumbnail and its line in the pane list.
struct PaneSide {
  const Table& data;
  Table& list;
  int nameColumn;
  QImage (*draw)(const QString&);
  QString (*thumbnailPath)(const Workspace&, int);
  QStringList (*listRow)(const Table&, int, const QString&);
  const QString& marker;
};

void pairDrawAndList(Project& project, const Workspace& workspace, const PaneSide& side,
                     const JobControl& job, long long done, long long total, ImportResult& result) {
  side.list.clear();
  for (int i = 0; i < side.data.count(); ++i) {
    pairAt(project, i);
    try {
      saveThumbnail(side.draw(side.data.cell(i, side.nameColumn)),
                    side.thumbnailPath(workspace, i));
    } catch (const Error& e) {
      // The row is in the project already: a missing picture must not cost it its list line.
      result.messages << e.message();
    }
    side.list.append(side.listRow(side.data, i, side.marker));
    if (done < total) job.report(++done, total);
  }
}

}  // namespace

QString importedFileName(const QString& path) { return QFileInfo(path).fileName().chopped(4); }

QString importedFileType(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const int dot = name.lastIndexOf('.');
  return dot < 0 ? QString() : name.mid(dot);
}

QString musicThumbnailPath(const Workspace& workspace, int index) {
  return thumbnailPath(workspace, QStringLiteral("smxcwjj\\tp_wj\\tp_slt_2\\tp_slt_2_"), index);
}

QString lyricThumbnailPath(const Workspace& workspace, int index) {
  return thumbnailPath(workspace, QStringLiteral("smxcwjj\\tp_wj\\tp_slt_3\\tp_slt_3_"), index);
}

ImportResult ImportMusicFiles(Project& project, const Workspace& workspace,
                              const QStringList& paths, const JobControl& job) {
  ImportResult result;
  Table& music = project.ListView_daoru_yinyue;
  const long long total = 2LL * paths.size();
  long long done = 0;
  // Every file is measured before the first row is added, so stopping part-way leaves the
  // project as it was.
  std::vector<std::pair<QString, long long>> measured;
  for (const QString& path : paths) {
    job.checkStop();
    try {
      measured.emplace_back(path, measureMusicLengthMs(path));
    } catch (const Error& e) {
      result.messages << e.message();
    }
    job.report(++done, total);
  }
  for (const auto& [path, ms] : measured) {
    music.append({QString::number(music.count() + 1), importedFileName(path),
                  importedFileType(path), path, musicDurationText(ms),
                  QString::number(musicFramesNeeded(ms)), QString(word::wu), QString(word::wu)});
    ++result.added;
  }

  pairDrawAndList(project, workspace,
                  {music, project.suiListView_yinyue_liebiao, music_col::file_name,
                   drawMusicThumbnail, musicThumbnailPath, musicListRow, marker::unbound_lyric},
                  job, done, total, result);
  for (int i = 0; i < project.ListView_daoru_LRC.count(); ++i)
    showLyricBinding(project, i, marker::unbound_lyric);

  project.Edit_tubiao_liebiao = word::tubiao;
  result.showPane = !music.empty();
  return result;
}

ImportResult ImportLyricFiles(Project& project, const Workspace& workspace,
                              const QStringList& paths, const JobControl& job) {
  ImportResult result;
  Table& lyrics = project.ListView_daoru_LRC;
  const long long total = 2LL * paths.size();
  long long done = 0;
  job.checkStop();
  for (const QString& path : paths) {
    QStringList row = {QString::number(lyrics.count() + 1),
                       importedFileName(path),
                       importedFileType(path),
                       path,
                       QString(word::wu),
                       QString(word::wu)};
    row << defaultLrcStyle().cells();
    lyrics.append(row);
    ++result.added;
    job.report(++done, total);
  }

  pairDrawAndList(project, workspace,
                  {lyrics, project.suiListView_geci_liebiao, lyric_col::file_name,
                   drawLyricThumbnail, lyricThumbnailPath, lyricListRow, marker::unbound_music},
                  job, done, total, result);
  for (int i = 0; i < project.ListView_daoru_yinyue.count(); ++i)
    showMusicBinding(project, i, marker::unbound_lyric);

  // Preview pictures of the photo pane go stale once the lyric pane is shown.
  QFile::remove(workspace.WorkPath(QStringLiteral("smxcwjj\\tp_0\\tp_slt_1_0.png")));
  QFile::remove(workspace.WorkPath(QStringLiteral("smxcwjj\\tp_0\\tp_slt_1_1.png")));

  project.Edit_tubiao_liebiao = word::tubiao;
  result.showPane = !lyrics.empty();
  return result;
}

}  // namespace solvane
