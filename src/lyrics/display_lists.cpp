#include "lyrics/display_lists.h"

#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

constexpr int kMusicListBindingColumn = 5;  // 绑定歌词
constexpr int kLyricListBindingColumn = 4;  // 绑定音乐

void ensureRow(Table& display, const Table& data, int i, const QString& marker,
               QStringList (*makeRow)(const Table&, int, const QString&)) {
  while (display.count() <= i) display.append(makeRow(data, display.count(), marker));
}

}  // namespace

QString lyricFontStyleText(const QString& bold, const QString& italic, const QString& underline) {
  QString text;
  if (bold == word::cuti) text += QStringLiteral("[粗体]");
  if (italic == word::xieti) text += QStringLiteral("[斜体]");
  if (underline == word::xiahuaxian) text += QStringLiteral("[下划线]");
  return text;
}

QString lyricHAlignText(const QString& hAlign) {
  if (hAlign == word::zuobian) return QStringLiteral("歌词左边");
  if (hAlign == word::juzhong) return QStringLiteral("歌词居中");
  if (hAlign == word::youbian) return QStringLiteral("歌词右边");
  return {};
}

QString lyricVAlignText(const QString& vAlign) {
  if (vAlign == word::shangmian) return QStringLiteral("歌词在上面");
  if (vAlign == word::zhongjian) return QStringLiteral("歌词在中间");
  if (vAlign == word::xiamian) return QStringLiteral("歌词在下面");
  return {};
}

QString boundNameOr(const QString& name, const QString& unboundMarker) {
  return name == word::wu ? unboundMarker : name;
}

QStringList musicListRow(const Table& music, int i, const QString& unboundMarker) {
  return {QString::number(i + 1),
          music.cell(i, music_col::file_name),
          music.cell(i, music_col::file_type),
          music.cell(i, music_col::duration),
          music.cell(i, music_col::path),
          boundNameOr(music.cell(i, music_col::bound_lyric_name), unboundMarker)};
}

QStringList lyricListRow(const Table& lyrics, int i, const QString& unboundMarker) {
  return {QString::number(i + 1),
          lyrics.cell(i, lyric_col::file_name),
          lyrics.cell(i, lyric_col::file_type),
          lyrics.cell(i, lyric_col::path),
          boundNameOr(lyrics.cell(i, lyric_col::bound_music_name), unboundMarker),
          lyrics.cell(i, lyric_col::color_name),
          lyrics.cell(i, lyric_col::font_size),
          lyrics.cell(i, lyric_col::font_name),
          lyricFontStyleText(lyrics.cell(i, lyric_col::bold), lyrics.cell(i, lyric_col::italic),
                             lyrics.cell(i, lyric_col::underline)),
          lyricHAlignText(lyrics.cell(i, lyric_col::h_align)),
          lyricVAlignText(lyrics.cell(i, lyric_col::v_align))};
}

void rebuildMusicList(Project& project, const QString& unboundMarker) {
  project.suiListView_yinyue_liebiao.clear();
  for (int i = 0; i < project.ListView_daoru_yinyue.count(); ++i)
    project.suiListView_yinyue_liebiao.append(
        musicListRow(project.ListView_daoru_yinyue, i, unboundMarker));
}

void rebuildLyricList(Project& project, const QString& unboundMarker) {
  project.suiListView_geci_liebiao.clear();
  for (int i = 0; i < project.ListView_daoru_LRC.count(); ++i)
    project.suiListView_geci_liebiao.append(
        lyricListRow(project.ListView_daoru_LRC, i, unboundMarker));
}

void showMusicBinding(Project& project, int i, const QString& unboundMarker) {
  const Table& music = project.ListView_daoru_yinyue;
  ensureRow(project.suiListView_yinyue_liebiao, music, i, unboundMarker, musicListRow);
  project.suiListView_yinyue_liebiao.setCell(
      i, kMusicListBindingColumn,
      boundNameOr(music.cell(i, music_col::bound_lyric_name), unboundMarker));
}

void showLyricBinding(Project& project, int i, const QString& unboundMarker) {
  const Table& lyrics = project.ListView_daoru_LRC;
  ensureRow(project.suiListView_geci_liebiao, lyrics, i, unboundMarker, lyricListRow);
  project.suiListView_geci_liebiao.setCell(
      i, kLyricListBindingColumn,
      boundNameOr(lyrics.cell(i, lyric_col::bound_music_name), unboundMarker));
}

void refreshLyricListRow(Project& project, int i, const QString& unboundMarker) {
  const Table& lyrics = project.ListView_daoru_LRC;
  ensureRow(project.suiListView_geci_liebiao, lyrics, i, unboundMarker, lyricListRow);
  const QStringList cells = lyricListRow(lyrics, i, unboundMarker);
  for (int c = 0; c < cells.size(); ++c) project.suiListView_geci_liebiao.setCell(i, c, cells[c]);
}

}  // namespace solvane
