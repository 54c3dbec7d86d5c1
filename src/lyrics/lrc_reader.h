#pragma once
// LRC lyric files: text lines preceded by time tags, plus identification tags. One file is
// held at a time; the previews and the frame overlay ask it for the line of a second.
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace solvane {

// One row of the timed-line table: the text between the brackets (not parsed) and the
// lyric text. Identification rows carry their two-letter key ("ti") as tag.
struct LrcRow {
  QString tag;
  QString text;
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
  // ignored). The sentinel row "00:00" answers every query for second 00:00.
  std::optional<QString> FindLrcLine(const QString& mmss) const;

  // ListView_LRC_3: the sentinel row ("00:00", empty) and then every timed and
  // identification row, timed rows in file order (right to left within a line).
  const std::vector<LrcRow>& timedLines() const { return timed_; }
  // ListView_LRC_1: the file lines that do not end with "]".
  const QStringList& untaggedEndLines() const { return openLines_; }
  // ListBox_LRC_3: the lines ending with "]", then the identification tags moved out of
  // the timed rows.
  const QStringList& closedLines() const { return closedLines_; }

 private:
  QStringList openLines_;
  QStringList closedLines_;
  std::vector<LrcRow> timed_;
};

// Splits one line into its (tag, text) rows, right to left: tags that stand side by side
// share the text after them. A line whose brackets do not pair up (a "[" with no "]" to
// its right, a "]" inside the lyric text) gives no rows at all.
std::vector<LrcRow> splitLrcLine(const QString& line);

// The lines of a decoded text file: split at LF, a CR before the LF dropped.
QStringList textFileLines(const QString& text);

}  // namespace solvane
