#include "lyrics/lrc_karaoke.h"

#include <algorithm>
#include <cmath>

namespace solvane {
namespace {

constexpr int kFrameMs = 40;
constexpr int kLongestLastWordMs = 2000;

struct TimedRow {
  int ms;
  const LrcRow* row;
};

// Blanks in front of a word belong to the word before it, so a word's fill starts on its
// first letter; blanks in front of the line are not sung at all.
std::vector<LrcWord> sungWords(const LrcWordTimes& times) {
  std::vector<LrcWord> words;
  for (const LrcWord& w : times.words) {
    LrcWord word = w;
    qsizetype blanks = 0;
    while (blanks < word.text.size() && word.text[blanks].isSpace()) ++blanks;
    if (blanks > 0 && !words.empty()) words.back().text += word.text.left(blanks);
    word.text.remove(0, blanks);
    if (word.text.isEmpty()) continue;
    // Times never run backwards within a line.
    if (!words.empty()) word.startMs = std::max(word.startMs, words.back().startMs);
    words.push_back(word);
  }
  return words;
}

// One unit in the karaoke text: a single character stands alone, longer words are a group.
QString unitText(const QString& word) {
  return word.size() == 1 ? word : QLatin1Char('[') + word + QLatin1Char(']');
}

int framesFrom(int originMs, int ms) {
  return static_cast<int>(std::lround(static_cast<double>(ms - originMs) / kFrameMs));
}

KscLine karaokeLine(const std::vector<LrcWord>& words, int endMs) {
  const int startMs = words.front().startMs;
  const int origin = startMs / 1000 * 1000;  // the wipe starts on this whole second
  std::vector<int> frames;
  for (const LrcWord& w : words) frames.push_back(framesFrom(origin, w.startMs));
  frames.push_back(std::max(frames.back(), framesFrom(origin, endMs)));

  KscLine line;
  line.start = lrcTimeText(startMs);
  line.end = lrcTimeText(endMs);
  QStringList durations;
  if (frames.front() > 0) {
    line.text = QStringLiteral("[]");
    durations << QString::number(frames.front() * kFrameMs);
  }
  for (size_t k = 0; k < words.size(); ++k) {
    line.text += unitText(words[k].text);
    durations << QString::number((frames[k + 1] - frames[k]) * kFrameMs);
  }
  line.durations = durations.join(QLatin1Char(','));
  return line;
}

}  // namespace

std::vector<KscLine> karaokeLinesFromLrc(const LrcLyrics& lrc) {
  std::vector<TimedRow> rows;
  for (size_t i = 1; i < lrc.timedLines().size(); ++i) {
    const LrcRow& row = lrc.timedLines()[i];
    if (const std::optional<int> ms = lrcTimeMs(row.tag)) rows.push_back({*ms, &row});
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const TimedRow& a, const TimedRow& b) { return a.ms < b.ms; });

  std::vector<KscLine> lines;
  int previousMs = -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].row->words.empty() || rows[i].ms == previousMs) continue;
    const std::vector<LrcWord> words = sungWords(rows[i].row->words);
    if (words.empty()) continue;
    previousMs = rows[i].ms;

    const int lastStart = words.back().startMs;
    int endMs = lastStart + kLongestLastWordMs;
    if (rows[i].row->words.endMs > lastStart) {
      endMs = rows[i].row->words.endMs;
    } else {
      const auto next = std::upper_bound(rows.begin(), rows.end(), lastStart,
                                         [](int ms, const TimedRow& r) { return ms < r.ms; });
      if (next != rows.end()) endMs = std::min(endMs, next->ms);
    }
    lines.push_back(karaokeLine(words, endMs));
  }
  return lines;
}

}  // namespace solvane
