#include "lyrics/lrc_words.h"

#include "lyrics/time_text.h"

namespace solvane {
namespace {

// A word tag after its "<" is at most "mm:ss.fff>".
constexpr int kLongestWordTag = 10;

// Digits from `at`, at most `most` of them; their value, and `at` moved past them.
int takeDigits(QStringView text, qsizetype& at, int most, int& count) {
  int value = 0;
  count = 0;
  while (at < text.size() && count < most && text[at].isDigit() && text[at].unicode() < 128) {
    value = value * 10 + (text[at].unicode() - '0');
    ++at;
    ++count;
  }
  return value;
}

std::optional<int> timeMs(QStringView time, int mostMinuteDigits) {
  qsizetype at = 0;
  int digits = 0;
  const int minutes = takeDigits(time, at, mostMinuteDigits, digits);
  if (digits == 0 || at >= time.size() || time[at] != QLatin1Char(':')) return std::nullopt;
  ++at;
  const int seconds = takeDigits(time, at, 2, digits);
  if (digits != 2) return std::nullopt;
  int ms = 0;
  if (at < time.size()) {
    if (time[at] != QLatin1Char('.') && time[at] != QLatin1Char(':')) return std::nullopt;
    ++at;
    const int fraction = takeDigits(time, at, 3, digits);
    if (digits == 0) return std::nullopt;
    ms = digits == 1 ? fraction * 100 : digits == 2 ? fraction * 10 : fraction;
  }
  if (at != time.size()) return std::nullopt;
  return (minutes * 60 + seconds) * 1000 + ms;
}

}  // namespace

std::optional<int> lrcTimeMs(QStringView time) { return timeMs(time, 3); }

QString lrcTimeText(int ms) {
  if (ms < 0) ms = 0;
  const int seconds = ms / 1000;
  return twoDigits(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60) +
         QLatin1Char('.') + QString::number(ms % 1000).rightJustified(3, QLatin1Char('0'));
}

LrcWordTimes takeWordTags(QString& text, int lineMs) {
  LrcWordTimes times;
  QString shown;
  QString word;
  int wordStart = lineMs;
  bool tagged = false;
  const QStringView view(text);
  for (qsizetype i = 0; i < view.size(); ++i) {
    if (view[i] == QLatin1Char('<')) {
      const qsizetype length = view.mid(i + 1, kLongestWordTag).indexOf(QLatin1Char('>'));
      if (length >= 0) {
        if (const std::optional<int> ms = timeMs(view.mid(i + 1, length), 2)) {
          if (!word.isEmpty()) times.words.push_back({wordStart, word});
          word.clear();
          wordStart = *ms;
          tagged = true;
          i += length + 1;
          continue;
        }
      }
    }
    word += view[i];
    shown += view[i];
  }
  if (!tagged) return {};
  // A tag with nothing but blanks after it closes the last word.
  if (word.trimmed().isEmpty())
    times.endMs = wordStart;
  else
    times.words.push_back({wordStart, word});
  text = shown;
  return times;
}

std::optional<int> lrcOffsetMs(const QString& line) {
  const QString t = line.trimmed();
  const QLatin1String key("[offset:");
  if (!t.startsWith(key, Qt::CaseInsensitive) || !t.endsWith(QLatin1Char(']')))
    return std::nullopt;
  bool ok = false;
  const int ms = t.mid(key.size(), t.size() - key.size() - 1).trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return ms;
}

}  // namespace solvane
