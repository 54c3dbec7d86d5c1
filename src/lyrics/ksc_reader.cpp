#include "lyrics/ksc_reader.h"

#include <algorithm>
#include <cmath>

#include "lyrics/lrc_karaoke.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lyric_file.h"
#include "lyrics/script_conversion.h"
#include "lyrics/text_fonts.h"
#include "lyrics/time_text.h"
#include "model/columns.h"
#include "model/error.h"

namespace solvane {
namespace {

const QString kLineStart = QStringLiteral("karaoke.add");
const QString kMeasureFamily = QStringLiteral("微软雅黑");
constexpr QChar kQuote = QLatin1Char('\'');

// Grid numbers as the tables name them: suiListView_KSC_3 … suiListView_KSC_7.
enum GridNumber { kFrames = 3, kUnitText = 4, kWidths = 5, kDurationsOrCumulative = 6, kFill = 7 };

// "mm:ss" at the start of a time string: two digits, a colon, two digits.
bool hasMinutesAndSeconds(const QString& time) {
  if (time.size() < 5 || time[2] != QLatin1Char(':')) return false;
  for (int i : {0, 1, 3, 4})
    if (!time[i].isDigit()) return false;
  return true;
}

int secondsOf(const QString& time) { return time.mid(0, 2).toInt() * 60 + time.mid(3, 2).toInt(); }

// Durations come from the file as written ("1e30", "nan"): the result is kept inside int.
int roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

// The lines of every usable karaoke.add statement, in file order.
std::vector<KscLine> statementLines(const QString& text) {
  std::vector<KscLine> lines;
  for (const QString& fileLine : textFileLines(text)) {
    for (const QString& statement : kscStatements(fileLine)) {
      const QStringList strings = kscLineStrings(statement);
      // A statement without its four strings, or whose times are not mm:ss, cannot be timed.
      if (strings.size() < 4 || !hasMinutesAndSeconds(strings[0]) ||
          !hasMinutesAndSeconds(strings[1]))
        continue;
      KscLine line;
      line.start = strings[0];
      line.end = strings[1];
      line.text = strings[2];
      line.durations = strings[3];
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace

KscGrid::KscGrid() : cells_(kSize * kSize, QStringLiteral("0")) {}

const QString& KscGrid::cell(int row, int line) const { return cells_.at(row * kSize + line); }

int KscGrid::number(int row, int line) const { return cell(row, line).toInt(); }

void KscGrid::set(int row, int line, const QString& text) { cells_.at(row * kSize + line) = text; }

void KscGrid::reset() { std::fill(cells_.begin(), cells_.end(), QStringLiteral("0")); }

QStringList kscStatements(const QString& line) {
  QStringList statements;
  qsizetype start = 0;
  bool inString = false;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    const bool end = i == line.size();
    if (!end) {
      const QChar c = line[i];
      if (inString && c == QLatin1Char('\\') && i + 1 < line.size() && line[i + 1] == kQuote) {
        ++i;
        continue;
      }
      if (c == kQuote) inString = !inString;
      if (inString || c != QLatin1Char(';')) continue;
    }
    const QString statement = line.mid(start, i - start);
    if (statement.startsWith(kLineStart)) statements << statement;
    if (end) break;
    start = i + 1;
    while (start < line.size() && line[start].isSpace()) ++start;
    i = start - 1;
  }
  return statements;
}

QStringList kscLineStrings(const QString& line) {
  QStringList strings;
  QString current;
  bool inString = false;
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (inString && c == QLatin1Char('\\') && i + 1 < line.size() && line[i + 1] == kQuote) {
      current += kQuote;
      ++i;
    } else if (c == kQuote) {
      if (inString) strings << current;
      current.clear();
      inString = !inString;
    } else if (inString) {
      current += c;
    }
  }
  return strings;
}

QStringList kscUnits(const QString& text) {
  QStringList units;
  QString group;
  bool inGroup = false;
  for (const QChar c : text) {
    if (!inGroup && c == QLatin1Char('[')) {
      inGroup = true;
      group.clear();
    } else if (inGroup && c == QLatin1Char(']')) {
      inGroup = false;
      units << group;
    } else if (inGroup) {
      group += c;
    } else {
      units << QString(c);
    }
  }
  if (inGroup) units << group;
  return units;
}

int kscFrames(double milliseconds) { return roundHalfEven(milliseconds / 1000.0 / 0.04); }

int kscMeasureSize(int fontSize, KscVariant variant) {
  return variant == KscVariant::Render ? fontSize * 1920 / 800 : fontSize;
}

int kscUnitWidth(const QString& unit, int points) {
  return textWidth(fontAtPoints(kMeasureFamily, points), unit);
}

void KaraokeTiming::clear() {
  ++generation_;
  lines_.clear();
  appear_.clear();
  hide_.clear();
  wipeStart_.clear();
  for (KscGrid& grid : grids_) grid.reset();
}

const KscGrid& KaraokeTiming::grid(int number) const { return grids_[number - kFrames]; }

void KaraokeTiming::ReadKscFile(const Table& ksc, int row, KscVariant variant,
                                const KscReadOptions& options) {
  clear();
  variant_ = variant;
  bool ok = false;
  int fontSize = ksc.cell(row, ksc_col::font_size).toInt(&ok);
  if (!ok) fontSize = 25;
  readText(readLyricFile(ksc.cell(row, ksc_col::position)), variant, fontSize,
           ksc.cell(row, ksc_col::script), options);
}

void KaraokeTiming::readText(const QString& text, KscVariant variant, int fontSize,
                             const QString& script, const KscReadOptions& options) {
  clear();
  variant_ = variant;
  fontSize_ = fontSize;
  lines_ = statementLines(text);
  if (lines_.empty() && !text.contains(kLineStart)) {
    LrcLyrics lrc;
    lrc.readText(text);
    lines_ = karaokeLinesFromLrc(lrc);
  }
  // The grids hold no more lines.
  if (static_cast<int>(lines_.size()) > kMaxLines) lines_.resize(kMaxLines);

  // The album's clock reduces minutes above 60, and so do its keys; the karaoke window's
  // clock tells the real time.
  const auto timeText = variant == KscVariant::Preview ? karaokeRealTimeText : karaokeTimeText;
  for (size_t i = 0; i < lines_.size(); ++i) {
    KscLine& line = lines_[i];
    line.appear = timeText(secondsOf(line.start) - 1);
    line.hide = timeText(secondsOf(line.end) + 1);
    line.wipeStart = line.start.left(5);
    line.slot = i % 2 == 0 ? QStringLiteral("A") : QStringLiteral("B");
    appear_ << line.appear;
    hide_ << line.hide;
    if (variant == KscVariant::Render) wipeStart_ << line.wipeStart;
  }

  for (size_t i = 0; i < lines_.size(); ++i) {
    const int column = static_cast<int>(i);
    fillGrids(column, fontSize, options);
    QString joined;
    for (int r = 1; r <= unitCount(column); ++r) joined += grid(kUnitText).cell(r, column);
    lines_[i].processed = variant == KscVariant::Render ? convertToScript(joined, script) : joined;
  }
}

void KaraokeTiming::fillGrids(int line, int fontSize, const KscReadOptions& options) {
  KscGrid& frames = grids_[kFrames - kFrames];
  KscGrid& unitText = grids_[kUnitText - kFrames];
  KscGrid& widths = grids_[kWidths - kFrames];
  KscGrid& sixth = grids_[kDurationsOrCumulative - kFrames];
  KscGrid& fill = grids_[kFill - kFrames];
  const bool preview = variant_ == KscVariant::Preview;

  const QStringList pieces = lines_[line].durations.split(QLatin1Char(','));
  const int durationCount = std::min(static_cast<int>(pieces.size()), kMaxUnits);
  std::vector<double> milliseconds(durationCount, 0.0);
  frames.set(0, line, QString::number(durationCount));
  if (preview) sixth.set(0, line, QString::number(durationCount));
  for (int k = 0; k < durationCount; ++k) {
    milliseconds[k] = pieces[k].trimmed().toDouble();  // not a number reads as 0
    frames.set(k + 1, line, QString::number(kscFrames(milliseconds[k])));
    if (preview) sixth.set(k + 1, line, pieces[k]);
  }

  const QStringList units = kscUnits(lines_[line].text);
  const int unitCount = std::min(static_cast<int>(units.size()), kMaxUnits);
  const QString count = QString::number(unitCount);
  unitText.set(0, line, count);
  widths.set(0, line, count);
  fill.set(0, line, count);
  if (!preview) sixth.set(0, line, count);

  const int points = kscMeasureSize(fontSize, variant_);
  int total = 0;
  for (int r = 1; r <= unitCount; ++r) {
    const QString& unit = units[r - 1];
    const int w = kscUnitWidth(unit, points);
    total += w;
    unitText.set(r, line, unit);
    if (preview) {
      const double ms = r <= durationCount ? milliseconds[r - 1] : 0.0;
      widths.set(r, line, QString::number(total));
      fill.set(r, line, QString::number(roundHalfEven(options.ticksPerSecond * ms / 1000.0)));
    } else {
      const int unitFrames = frames.number(r, line);
      widths.set(r, line, QString::number(w));
      sixth.set(r, line, QString::number(total));
      // A unit of no frames takes its whole width in one step.
      fill.set(r, line,
               QString::number(unitFrames > 0 ? roundHalfEven(double(w) / unitFrames) : w));
    }
  }
}

int KaraokeTiming::findAppearing(const QString& t) const {
  for (int i = 0; i < appear_.size(); ++i)
    if (appear_[i].startsWith(t)) return i;
  return -1;
}

int KaraokeTiming::findWipeStarting(const QString& t) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const QString& caption = variant_ == KscVariant::Render ? wipeStart_[i] : lines_[i].start;
    if (caption.startsWith(t)) return static_cast<int>(i);
  }
  return -1;
}

bool KaraokeTiming::hidesAll(const QString& t) const {
  return !hide_.isEmpty() && hide_.last() == t;
}

int KaraokeTiming::unitCount(int line) const { return grid(kUnitText).number(0, line); }

std::vector<FillUnit> KaraokeTiming::fillUnits(int line) const {
  std::vector<FillUnit> units;
  for (int r = 1; r <= unitCount(line); ++r) {
    if (variant_ == KscVariant::Preview)
      units.push_back({grid(kWidths).number(r, line), grid(kFill).number(r, line), 1});
    else
      units.push_back({grid(kDurationsOrCumulative).number(r, line), grid(kFrames).number(r, line),
                       grid(kFill).number(r, line)});
  }
  return units;
}

}  // namespace solvane
