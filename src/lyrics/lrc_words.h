#pragma once
// Times inside LRC lines as today's lyric services write them: the time of a tag in
// milliseconds, the word tags of word-timed ("enhanced") lines such as
// "[00:23.997]<00:23.997>又<00:24.694>是", and the file's [offset:N] tag.
#include <optional>
#include <vector>

#include <QString>
#include <QStringView>

namespace solvane {

// Milliseconds of a time "m:ss", "mm:ss" or "mmm:ss", optionally followed by "." (or ":")
// and a fraction of 1 to 3 digits ("5" and "50" are both half a second). Nothing else may
// stand in the text; anything that is not such a time gives nothing.
std::optional<int> lrcTimeMs(QStringView time);

// "mm:ss.fff" of a number of milliseconds (minutes not carried into hours).
QString lrcTimeText(int ms);

// One sung word of a word-timed line: its text (blanks included) and the time its word tag
// gives. Text in front of the first word tag starts with the line itself.
struct LrcWord {
  int startMs = 0;
  QString text;
  bool operator==(const LrcWord&) const = default;
};

// The word timing of one timed row; empty for plain lines.
struct LrcWordTimes {
  std::vector<LrcWord> words;
  // A word tag with no text after it (the end of the last word), or -1.
  int endMs = -1;
  bool empty() const { return words.empty(); }
  bool operator==(const LrcWordTimes&) const = default;
};

// Splits the word tags "<m:ss.xx>" / "<mm:ss.xx>" (fraction of 1 to 3 digits) out of a
// lyric text. `text` becomes what is shown, with every such tag removed; the words are
// returned with their times, untagged text in front of the first tag taking `lineMs`.
// Text holding no word tag is left as it is and gives no words.
LrcWordTimes takeWordTags(QString& text, int lineMs);

// The milliseconds of a line "[offset:N]" (key in any letter case, N an integer with an
// optional sign, blanks allowed around the line); nothing for any other line.
std::optional<int> lrcOffsetMs(const QString& line);

}  // namespace solvane
