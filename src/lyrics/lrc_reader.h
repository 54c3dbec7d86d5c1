#pragma once
// LRC lyric files: text lines preceded by time tags, plus identification tags. One file is
// held at a time; the previews and the frame overlay ask it for the line of a second.
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "lyrics/lrc_words.h"

namespace solvane {

// One row of the timed-line table: the text between the brackets and the lyric text, its
// word tags taken out (they are timing, never shown). Identification rows carry their
// two-letter key ("ti") as tag. A word-timed line keeps its word times.
struct LrcRow {
  QString tag;
  QString text;
  LrcWordTimes words = {};
  bool operator==(const LrcRow&) const = default;
};

class LrcLyrics {
 public:
  // Replaces the contents with the file's lines. The file may be GBK, UTF-8 (with or
  // without BOM) or UTF-16 with BOM. Throws Error when it cannot be opened, leaving every
  // table empty.
  void ReadLrcFile(const QString& path);
  // The same split on text already decoded.
  void readText(const QString& text);
  void clear();

  // The text of the first row, from the top, whose tag begins with `mmss` (letter case
  // ignored). The sentinel row "00:00" answers for second 00:00 only when no line of the
  // file is timed inside the first second.
  std::optional<QString> FindLrcLine(const QString& mmss) const;
  // The index in timedLines() of the row FindLrcLine answers with; -1 when none.
  int findLrcRow(const QString& mmss) const;
  // The texts of the later rows timed exactly like row `row` (translations of its line),
  // in table order, empty texts left out. Empty for most rows.
  const QStringList& sameTimeLines(int row) const;
  // The [offset:N] of the file in milliseconds (0 when it has none); every timed row,
  // word times included, has already been moved earlier by it.
  int offsetMs() const { return offsetMs_; }

  // ListView_LRC_3: the sentinel row ("00:00", empty) and then every timed and
  // identification row, timed rows in file order (right to left within a line). A line of
  // time tags alone ("[02:15.18]") gives rows with empty text: the lyric clears there.
  const std::vector<LrcRow>& timedLines() const { return timed_; }
  // ListView_LRC_1: the file lines that do not end with "]".
  const QStringList& untaggedEndLines() const { return openLines_; }
  // ListBox_LRC_3: the lines ending with "]" (but for lines of time tags alone), then the
  // identification tags moved out of the timed rows.
  const QStringList& closedLines() const { return closedLines_; }

 private:
  void groupSameTimeLines();

  QStringList openLines_;
  QStringList closedLines_;
  std::vector<LrcRow> timed_;
  std::vector<QStringList> sameTime_;  // per row of timed_
  int offsetMs_ = 0;
};

// Splits one line into its (tag, text) rows, right to left: tags that stand side by side
// share the text after them. A line whose brackets do not pair up (a "[" with no "]" to
// its right, a "]" inside the lyric text) gives no rows at all.
std::vector<LrcRow> splitLrcLine(const QString& line);

// The lines of a decoded text file: split at LF, a CR before the LF dropped.
QStringList textFileLines(const QString& text);

}  // namespace solvane
