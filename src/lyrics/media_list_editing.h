#pragma once
// Deleting and reordering the rows of the music and lyric panes. Each call is one edit of
// the project and the pane thumbnails: thumbnail file i+1 always shows row i, the other
// table's bindings follow, and a call that fails (a thumbnail that cannot be moved) leaves
// the tables and the files as they were.
#include <vector>

#include <QPoint>

#include "lyrics/binding.h"
#include "model/project.h"
#include "model/workspace.h"

namespace solvane {

// "删除" and "全删" of a pane before anything changes: nothing (empty pane), the message for
// no selection, or the confirmation "删除音乐"/"删除歌词" with its question, the operation
// word (dan_ge_shang_chu, quan_bu_shang_chu) and the selected row.
BindingCheck checkDeleteCommand(const Project& project, Pane pane, bool all);

// Music row `row` and its thumbnail go; later thumbnails move down by one. A lyric bound to
// it stays bound when other music rows still hold its key (its music name is recounted),
// and is unbound otherwise. The album-length rule goes back to the photographs when no
// music is left. Throws Error for a row outside the table.
void DeleteMusicRow(Project& project, const Workspace& workspace, int row);
// Every music row and thumbnail; every lyric unbound.
void DeleteAllMusic(Project& project, const Workspace& workspace);
// Lyric row `row` and its thumbnail; every music row bound to it is unbound.
void DeleteLyricRow(Project& project, const Workspace& workspace, int row);
void DeleteAllLyrics(Project& project, const Workspace& workspace);

// Rows a and b exchange places with everything they carry (bindings, styles) and so do
// their thumbnails; seq and the list captions are numbered again.
void SwapMusicRows(Project& project, const Workspace& workspace, int a, int b);
void SwapLyricRows(Project& project, const Workspace& workspace, int a, int b);

// Runs the confirmed delete operation word on the pane.
void runDeleteOperation(Project& project, const Workspace& workspace, Pane pane,
                        const QString& operation, int row);

// --- Cells of the two panes ----------------------------------------------------------------

inline constexpr int kMediaCellSize = 150;
inline constexpr int kMediaCellPitch = 170;  // cell and the gap to the next one
// Top-left corner of cell i in a pane whose usable width (without scroll bar) is `width`.
QPoint mediaCellPosition(int index, int width);
// The cell a dragged cell was dropped onto: the first other cell whose top-left differs
// from the dropped cell's top-left by less than 50 pixels both across and down; -1 when
// none does (a cell dropped near its own place swaps nothing).
int dragSwapTarget(const std::vector<QPoint>& cellPositions, int dragged, QPoint dropped);

}  // namespace solvane
