#include "lyrics/media_list_editing.h"

#include <algorithm>
#include <cstdlib>

#include <QStringList>

#include "lyrics/display_lists.h"
#include "lyrics/lyric_words.h"
#include "lyrics/media_import.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/file_moves.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

// What differs between the two panes.
struct PaneTables {
  Table& data;
  Table& list;
  Table& scratch;
  QString& cellCount;
  QString (*thumbnail)(const Workspace&, int);
  QString folder;  // workspace path of the thumbnail folder, without the trailing separator
  QString stem;    // file name stem: "tp_slt_2_"
};

PaneTables music(Project& p) {
  return {p.ListView_daoru_yinyue, p.suiListView_yinyue_liebiao,
          p.ListView_daoruyinyue_tuodong_linshi, p.Edit_xianshikuang_pailie_yinyue,
          musicThumbnailPath, QStringLiteral("smxcwjj\\tp_wj\\tp_slt_2"),
          QStringLiteral("tp_slt_2_")};
}

PaneTables lyrics(Project& p) {
  return {p.ListView_daoru_LRC, p.suiListView_geci_liebiao, p.ListView_daorulrc_tuodong_linshi,
          p.Edit_xianshikuang_pailie_geci, lyricThumbnailPath,
          QStringLiteral("smxcwjj\\tp_wj\\tp_slt_3"), QStringLiteral("tp_slt_3_")};
}

QString scratchFile(const Workspace& ws, const PaneTables& pane, const QString& tail) {
  return ws.WorkPath(pane.folder + '\\' + pane.stem + tail + Project::Edit_kuozhanming_7);
}

void checkRow(const Table& table, int row, const char* what) {
  if (row < 0 || row >= table.count())
    throw Error(QStringLiteral("%1 row %2 does not exist (the pane has %3)")
                    .arg(QLatin1String(what))
                    .arg(row + 1)
                    .arg(table.count()));
}

void renumber(Table& table) {
  for (int i = 0; i < table.count(); ++i) table.setCell(i, 0, QString::number(i + 1));
}

void swapCells(Table& table, int a, int b) {
  const QStringList rowA = table.row(a);
  const QStringList rowB = table.row(b);
  for (int c = 0; c < table.columnCount(); ++c) {
    table.setCell(a, c, rowB.value(c));
    table.setCell(b, c, rowA.value(c));
  }
}

// The pane's selection and cell fields after its cells were rebuilt.
void clearPaneFields(Project& p, PaneTables& pane) {
  pane.cellCount = QString::number(pane.data.count());
  p.Edit_xiangpian_down_id = word::wu;
}

// Removes row `row` of the pane with its thumbnail; files k+1 move down to k.
void removeRow(Project& p, const Workspace& ws, PaneTables pane, int row) {
  const int n = pane.data.count();
  FileMoves moves;
  moves.setAside(pane.thumbnail(ws, row), scratchFile(ws, pane, QStringLiteral("deleted")));
  for (int k = row + 1; k < n; ++k) moves.move(pane.thumbnail(ws, k), pane.thumbnail(ws, k - 1));
  moves.commit();

  pane.data.remove(row);
  renumber(pane.data);
  if (row < pane.list.count()) pane.list.remove(row);
  renumber(pane.list);
  clearPaneFields(p, pane);
}

// Empties the pane and its thumbnail folder (set aside first, so a folder that cannot be
// made again leaves the old one in place).
void removeAll(Project& p, const Workspace& ws, PaneTables pane) {
  const QString folder = ws.WorkPath(pane.folder);
  const QString old = ws.WorkPath(pane.folder + QStringLiteral("_deleted"));
  FileMoves moves;
  moves.setAside(folder, old);
  EnsureFolder(folder);
  moves.commit();

  pane.data.clear();
  pane.list.clear();
  pane.scratch.clear();
  clearPaneFields(p, pane);
  p.Edit_tuodong_kaiguan.clear();
  p.Edit_tuodong_huhuan_yes_or_no.clear();
  p.Edit_tuodong_huhuan_yes_id.clear();
}

void swapRows(Project& p, const Workspace& ws, PaneTables pane, int a, int b) {
  FileMoves moves;
  const QString between = scratchFile(ws, pane, QStringLiteral("000"));
  moves.move(pane.thumbnail(ws, a), between);
  moves.move(pane.thumbnail(ws, b), pane.thumbnail(ws, a));
  moves.move(between, pane.thumbnail(ws, b));
  moves.commit();

  swapCells(pane.data, a, b);
  renumber(pane.data);
  if (a < pane.list.count() && b < pane.list.count()) swapCells(pane.list, a, b);
  renumber(pane.list);
  p.Edit_tuodong_huhuan_yes_or_no = QStringLiteral("tuodong_huhuan_yes");
  p.Edit_tuodong_huhuan_yes_id = QString::number(b);
}

// A partner row loses its key; its list line shows the marker of the delete command.
void unbindLyricCells(Project& p, int g, const QString& marker) {
  p.ListView_daoru_LRC.setCell(g, lyric_col::bound_music, QString(word::wu));
  p.ListView_daoru_LRC.setCell(g, lyric_col::bound_music_name, QString(word::wu));
  showLyricBinding(p, g, marker);
}

void unbindMusicCells(Project& p, int m, const QString& marker) {
  p.ListView_daoru_yinyue.setCell(m, music_col::bound_lyric, QString(word::wu));
  p.ListView_daoru_yinyue.setCell(m, music_col::bound_lyric_name, QString(word::wu));
  showMusicBinding(p, m, marker);
}

BindingCheck deleteMessage(const QString& text) {
  return {BindingCheck::Outcome::Message, text, {}, {}, {}, -1};
}

}  // namespace

BindingCheck checkDeleteCommand(const Project& project, Pane pane, bool all) {
  const bool musicPane = pane == Pane::Music;
  const Table& list =
      musicPane ? project.suiListView_yinyue_liebiao : project.suiListView_geci_liebiao;
  if (list.empty()) return {};
  const QString title = musicPane ? QStringLiteral("删除音乐") : QStringLiteral("删除歌词");
  if (all)
    return {BindingCheck::Outcome::Confirm, {}, title,
            musicPane ? QStringLiteral("确定删除全部音乐文件吗？")
                      : QStringLiteral("确定删除全部歌词文件吗？"),
            QString(word::quan_bu_shang_chu), -1};
  const int row = selectedPaneRow(project, pane);
  if (row < 0)
    return deleteMessage(musicPane ? QStringLiteral("没有选中音乐文件！")
                                   : QStringLiteral("没有选中歌词文件！"));
  return {BindingCheck::Outcome::Confirm, {}, title,
          musicPane ? QStringLiteral("确定删除这个音乐文件吗？")
                    : QStringLiteral("确定删除这个歌词文件吗？"),
          QString(word::dan_ge_shang_chu), row};
}

void DeleteMusicRow(Project& project, const Workspace& workspace, int row) {
  checkRow(project.ListView_daoru_yinyue, row, "music");
  const QString key = project.ListView_daoru_yinyue.cell(row, music_col::bound_lyric);
  removeRow(project, workspace, music(project), row);
  // The lyric keeps its key while another song still holds it: the album plays that song
  // with the lyric, so the lyric must still show as bound, with its music recounted.
  Table& lyricTable = project.ListView_daoru_LRC;
  for (int g = 0; g < lyricTable.count(); ++g) {
    if (lyricTable.cell(g, lyric_col::bound_music) != key) continue;
    if (key == word::wu)
      unbindLyricCells(project, g, marker::unbound_music);
    else
      RecountLyricBinding(project, g);
  }
  ResetAlbumLengthWithoutMusic(project);
}

void DeleteAllMusic(Project& project, const Workspace& workspace) {
  removeAll(project, workspace, music(project));
  for (int g = 0; g < project.ListView_daoru_LRC.count(); ++g)
    unbindLyricCells(project, g, marker::unbound_lyric);
  ResetAlbumLengthWithoutMusic(project);
}

void DeleteLyricRow(Project& project, const Workspace& workspace, int row) {
  checkRow(project.ListView_daoru_LRC, row, "lyric");
  const QString key = project.ListView_daoru_LRC.cell(row, lyric_col::bound_music);
  removeRow(project, workspace, lyrics(project), row);
  for (int m = 0; m < project.ListView_daoru_yinyue.count(); ++m)
    if (project.ListView_daoru_yinyue.cell(m, music_col::bound_lyric) == key)
      unbindMusicCells(project, m, marker::unbound_lyric);
}

void DeleteAllLyrics(Project& project, const Workspace& workspace) {
  removeAll(project, workspace, lyrics(project));
  for (int m = 0; m < project.ListView_daoru_yinyue.count(); ++m)
    unbindMusicCells(project, m, marker::unbound_music);
}

void SwapMusicRows(Project& project, const Workspace& workspace, int a, int b) {
  checkRow(project.ListView_daoru_yinyue, a, "music");
  checkRow(project.ListView_daoru_yinyue, b, "music");
  if (a != b) swapRows(project, workspace, music(project), a, b);
}

void SwapLyricRows(Project& project, const Workspace& workspace, int a, int b) {
  checkRow(project.ListView_daoru_LRC, a, "lyric");
  checkRow(project.ListView_daoru_LRC, b, "lyric");
  if (a != b) swapRows(project, workspace, lyrics(project), a, b);
}

void runDeleteOperation(Project& project, const Workspace& workspace, Pane pane,
                        const QString& operation, int row) {
  const bool musicPane = pane == Pane::Music;
  if (operation == word::quan_bu_shang_chu) {
    musicPane ? DeleteAllMusic(project, workspace) : DeleteAllLyrics(project, workspace);
  } else if (operation == word::dan_ge_shang_chu) {
    musicPane ? DeleteMusicRow(project, workspace, row) : DeleteLyricRow(project, workspace, row);
  }
}

QPoint mediaCellPosition(int index, int width) {
  const int perRow = std::max(1, width / kMediaCellPitch);
  return {(index % perRow) * kMediaCellPitch + 10, (index / perRow) * kMediaCellPitch + 10};
}

int dragSwapTarget(const std::vector<QPoint>& cellPositions, int dragged, QPoint dropped) {
  for (int s = 0; s < static_cast<int>(cellPositions.size()); ++s) {
    if (s == dragged) continue;
    const QPoint d = cellPositions[s] - dropped;
    if (std::abs(d.x()) < 50 && std::abs(d.y()) < 50) return s;
  }
  return -1;
}

}  // namespace solvane
