#pragma once
// The music and lyric pane lists (suiListView_yinyue_liebiao, suiListView_geci_liebiao):
// one display row per data row, with user-facing texts instead of sentinel words.
#include <QString>
#include <QStringList>

#include "model/project.h"

namespace solvane {

// Texts of the lyric list's style columns.
QString lyricFontStyleText(const QString& bold, const QString& italic, const QString& underline);
QString lyricHAlignText(const QString& hAlign);
QString lyricVAlignText(const QString& vAlign);

// The bound partner's name, or `unboundMarker` when the name cell is "wu".
QString boundNameOr(const QString& name, const QString& unboundMarker);

// Display rows for music row i and lyric row i; an unbound row shows `unboundMarker`.
QStringList musicListRow(const Table& music, int i, const QString& unboundMarker);
QStringList lyricListRow(const Table& lyrics, int i, const QString& unboundMarker);

// Clear and refill a pane list from its data table.
void rebuildMusicList(Project& project, const QString& unboundMarker);
void rebuildLyricList(Project& project, const QString& unboundMarker);

// Rewrite only the binding column of display row i from data row i (the display list is
// extended when it is shorter, so a write never falls outside it).
void showMusicBinding(Project& project, int i, const QString& unboundMarker);
void showLyricBinding(Project& project, int i, const QString& unboundMarker);
// Rewrites the whole lyric display row i (after a style change).
void refreshLyricListRow(Project& project, int i, const QString& unboundMarker);

}  // namespace solvane
