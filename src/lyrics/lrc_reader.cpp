#include "lyrics/lrc_reader.h"

#include "lyrics/lyric_file.h"
#include "model/error.h"

namespace solvane {
namespace {

const QString kSentinelTime = QStringLiteral("00:00");
const QStringList kIdentificationKeys = {QStringLiteral("ti"), QStringLiteral("ar"),
                                         QStringLiteral("al"), QStringLiteral("by")};

// Step 4: rows whose tag starts with an identification key leave the timed rows and join
// the closed lines as "[tag]", key by key, keeping their order.
void moveIdentificationTags(std::vector<LrcRow>& rows, QStringList& closedLines) {
  for (const QString& key : kIdentificationKeys) {
    std::vector<LrcRow> kept;
    for (LrcRow& row : rows) {
      if (row.tag.startsWith(key))
        closedLines << QStringLiteral("[") + row.tag + QStringLiteral("]");
      else
        kept.push_back(std::move(row));
    }
    rows = std::move(kept);
  }
}

// Step 5: "[ti:月光]" gives the row ("ti", "月光"); every other closed line is dropped.
void appendIdentificationRows(const QStringList& closedLines, std::vector<LrcRow>& rows) {
  for (const QString& line : closedLines) {
    const QString key = line.mid(1, 2);
    if (!kIdentificationKeys.contains(key)) continue;
    rows.push_back({key, line.mid(4, line.size() - 5)});
  }
}

}  // namespace

QStringList textFileLines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  // A final line break ends the last line; it does not start another one.
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return lines;
}

std::vector<LrcRow> splitLrcLine(const QString& line) {
  // Positions are 0-based here; the scan runs from the second-last character to the
  // first, right to left, as the line's last character is never a bracket of a tag.
  std::vector<LrcRow> rows;
  std::vector<int> opens;   // "[" positions, rightmost first
  std::vector<int> closes;  // "]" positions, rightmost first
  QString rest = line;
  for (int p = static_cast<int>(line.size()) - 2; p >= 0; --p) {
    const QChar c = line[p];
    if (c == QLatin1Char(']')) {
      closes.push_back(p);
    } else if (c == QLatin1Char('[')) {
      opens.push_back(p);
      const size_t k = opens.size() - 1;
      // Every "[" so far must have found exactly one "]" to its right; anything else is
      // a bracket inside the lyric text, which has no well-defined split.
      if (closes.size() != k + 1) return {};
      const int close = closes[k];
      const QString tag = line.mid(p + 1, close - p - 1);
      QString text;
      if (k > 0 && closes.back() + 1 == opens[k - 1])
        text = rows.back().text;  // side by side with the tag to its right
      else
        text = rest.mid(close + 1);
      rows.push_back({tag, text});
      rest.truncate(p);
    }
  }
  return rows;
}

void LrcLyrics::clear() {
  openLines_.clear();
  closedLines_.clear();
  timed_.clear();
}

void LrcLyrics::ReadLrcFile(const QString& path) {
  clear();
  readText(readLyricFile(path));
}

void LrcLyrics::readText(const QString& text) {
  clear();
  for (const QString& line : textFileLines(text)) {
    if (line.endsWith(QLatin1Char(']')))
      closedLines_ << line;
    else
      openLines_ << line;
  }

  std::vector<LrcRow> rows;
  for (const QString& line : openLines_) {
    if (line.isEmpty()) continue;
    for (LrcRow& row : splitLrcLine(line)) rows.push_back(std::move(row));
  }
  moveIdentificationTags(rows, closedLines_);
  appendIdentificationRows(closedLines_, rows);

  timed_.push_back({kSentinelTime, QString()});
  for (LrcRow& row : rows) timed_.push_back(std::move(row));
}

std::optional<QString> LrcLyrics::FindLrcLine(const QString& mmss) const {
  for (const LrcRow& row : timed_)
    if (row.tag.startsWith(mmss, Qt::CaseInsensitive)) return row.text;
  return std::nullopt;
}

}  // namespace solvane
