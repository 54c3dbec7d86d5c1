#include "lyrics/lrc_reader.h"

#include <algorithm>

#include <QHash>

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

// "[02:15.18]" or "[00:30.00][01:10.00]": time tags and nothing else. Such a line clears
// the lyric at each of its times; its rows come right to left, as the split gives them.
std::vector<LrcRow> bareTimeRows(const QString& line) {
  std::vector<LrcRow> rows;
  qsizetype at = 0;
  while (at < line.size()) {
    const qsizetype close = line.indexOf(QLatin1Char(']'), at);
    if (line[at] != QLatin1Char('[') || close < 0) return {};
    const QString tag = line.mid(at + 1, close - at - 1);
    if (!lrcTimeMs(tag)) return {};
    rows.push_back({tag, QString()});
    at = close + 1;
  }
  std::reverse(rows.begin(), rows.end());
  return rows;
}

// Word tags are timing: taken out of every timed row's text, their times kept.
void takeWordTimes(std::vector<LrcRow>& rows) {
  for (LrcRow& row : rows) row.words = takeWordTags(row.text, lrcTimeMs(row.tag).value_or(0));
}

// A positive offset shows the lyrics earlier. Only tags the lookup can match (two-digit
// minutes) move; a time before the start becomes 00:00.
void applyOffset(std::vector<LrcRow>& rows, int offsetMs) {
  if (offsetMs == 0) return;
  const auto shift = [offsetMs](int& ms) { ms = std::max(0, ms - offsetMs); };
  for (LrcRow& row : rows) {
    if (row.tag.size() < 5 || row.tag[2] != QLatin1Char(':')) continue;
    std::optional<int> ms = lrcTimeMs(row.tag);
    if (!ms) continue;
    shift(*ms);
    row.tag = lrcTimeText(*ms);
    for (LrcWord& word : row.words.words) shift(word.startMs);
    if (row.words.endMs >= 0) shift(row.words.endMs);
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
  sameTime_.clear();
  offsetMs_ = 0;
}

void LrcLyrics::ReadLrcFile(const QString& path) {
  clear();
  readText(readLyricFile(path));
}

void LrcLyrics::readText(const QString& text) {
  clear();
  std::vector<LrcRow> rows;
  for (const QString& line : textFileLines(text)) {
    if (const std::optional<int> offset = lrcOffsetMs(line)) offsetMs_ = *offset;
    if (line.endsWith(QLatin1Char(']'))) {
      std::vector<LrcRow> clears = bareTimeRows(line);
      if (clears.empty()) closedLines_ << line;
      for (LrcRow& row : clears) rows.push_back(std::move(row));
    } else {
      openLines_ << line;
      if (line.isEmpty()) continue;
      for (LrcRow& row : splitLrcLine(line)) rows.push_back(std::move(row));
    }
  }
  moveIdentificationTags(rows, closedLines_);
  takeWordTimes(rows);
  applyOffset(rows, offsetMs_);
  appendIdentificationRows(closedLines_, rows);

  timed_.push_back({kSentinelTime, QString()});
  for (LrcRow& row : rows) timed_.push_back(std::move(row));
  groupSameTimeLines();
}

void LrcLyrics::groupSameTimeLines() {
  sameTime_.assign(timed_.size(), QStringList());
  QHash<int, size_t> firstAt;  // time in ms → first row with it
  for (size_t i = 1; i < timed_.size(); ++i) {
    const std::optional<int> ms = lrcTimeMs(timed_[i].tag);
    if (!ms) continue;
    const auto first = firstAt.constFind(*ms);
    if (first == firstAt.cend())
      firstAt.insert(*ms, i);
    else if (!timed_[i].text.isEmpty())
      sameTime_[*first] << timed_[i].text;
  }
}

int LrcLyrics::findLrcRow(const QString& mmss) const {
  // The sentinel row answers last, so a line timed inside the first second is shown.
  for (size_t i = 1; i < timed_.size(); ++i)
    if (timed_[i].tag.startsWith(mmss, Qt::CaseInsensitive)) return static_cast<int>(i);
  if (!timed_.empty() && timed_[0].tag.startsWith(mmss, Qt::CaseInsensitive)) return 0;
  return -1;
}

std::optional<QString> LrcLyrics::FindLrcLine(const QString& mmss) const {
  const int row = findLrcRow(mmss);
  if (row < 0) return std::nullopt;
  return timed_[static_cast<size_t>(row)].text;
}

const QStringList& LrcLyrics::sameTimeLines(int row) const {
  static const QStringList none;
  return row >= 0 && static_cast<size_t>(row) < sameTime_.size()
             ? sameTime_[static_cast<size_t>(row)]
             : none;
}

}  // namespace solvane
