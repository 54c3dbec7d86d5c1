#pragma once
// Reading a lyric file (LRC or KSC) from outside: lyric sites and old players write them,
// so their size and their line length are bounded before any line is split or measured.
#include <QString>

namespace solvane {

// A lyric file is a few kilobytes; a megabyte holds hours of lines.
inline constexpr qint64 kMaxLyricFileBytes = 1024 * 1024;
// A line, tags and durations included, of more characters than this cannot be shown: at the
// smallest lyric font it would run across the 1920-pixel frame dozens of times.
inline constexpr int kMaxLyricLineLength = 4096;

// The decoded text of the file (GBK, UTF-8 or UTF-16, see decodeTextFile). Throws Error
// naming the file when it cannot be read, is larger than kMaxLyricFileBytes or holds a line
// longer than kMaxLyricLineLength characters.
QString readLyricFile(const QString& path);

}  // namespace solvane
