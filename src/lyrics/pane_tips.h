#pragma once
// The hover tips of the music and lyric cells: one line per field, label and value, as
// the tip windows show them.
#include <QString>
#include <QStringList>

#include "model/table.h"

namespace solvane {

// "音乐名称：", "音乐类型：" (upper case), "绑定状态：", "绑定歌词：" ("无" when unbound),
// "音乐序号：" (row + 1), "音乐时长：".
QStringList musicTipLines(const Table& music, int row);
// "歌词名称：", "歌词类型：", "绑定状态：", "绑定音乐：", "歌词序号：".
QStringList lyricTipLines(const Table& lyrics, int row);

}  // namespace solvane
