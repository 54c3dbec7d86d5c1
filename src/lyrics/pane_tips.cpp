#include "lyrics/pane_tips.h"

#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

QString orNone(const QString& name) { return name == word::wu ? QStringLiteral("无") : name; }

}  // namespace

QStringList musicTipLines(const Table& music, int row) {
  const bool bound = music.cell(row, music_col::bound_lyric) != word::wu;
  return {QStringLiteral("音乐名称：") + music.cell(row, music_col::file_name),
          QStringLiteral("音乐类型：") + music.cell(row, music_col::file_type).toUpper(),
          QStringLiteral("绑定状态：") +
              (bound ? QStringLiteral("已绑定歌词") : QStringLiteral("未绑定歌词")),
          QStringLiteral("绑定歌词：") + orNone(music.cell(row, music_col::bound_lyric_name)),
          QStringLiteral("音乐序号：") + QString::number(row + 1),
          QStringLiteral("音乐时长：") + music.cell(row, music_col::duration)};
}

QStringList lyricTipLines(const Table& lyrics, int row) {
  const bool bound = lyrics.cell(row, lyric_col::bound_music) != word::wu;
  return {QStringLiteral("歌词名称：") + lyrics.cell(row, lyric_col::file_name),
          QStringLiteral("歌词类型：") + lyrics.cell(row, lyric_col::file_type).toUpper(),
          QStringLiteral("绑定状态：") +
              (bound ? QStringLiteral("已绑定音乐") : QStringLiteral("未绑定音乐")),
          QStringLiteral("绑定音乐：") + orNone(lyrics.cell(row, lyric_col::bound_music_name)),
          QStringLiteral("歌词序号：") + QString::number(row + 1)};
}

}  // namespace solvane
