// LRC files as lyric services hand them out: word tags taken out of the text with their
// times, [offset:N], lines of time tags alone, lines of the same time, the first second,
// and a word-timed file read as the karaoke of its song.
#include <gtest/gtest.h>

#include "lyrics/ksc_reader.h"
#include "lyrics/lrc_karaoke.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lrc_words.h"

namespace solvane {
namespace {

TEST(LrcTime, ReadsMinutesSecondsAndFractionsOfOneToThreeDigits) {
  const struct {
    const char* text;
    std::optional<int> ms;
  } cases[] = {
      {"00:23.997", 23997}, {"01:05.10", 65100}, {"1:05.1", 65100}, {"00:12", 12000},
      {"00:12:30", 12300},  {"100:00.00", 6000000},
      {"00:1", std::nullopt}, {"00:12.", std::nullopt}, {"00:12.3456", std::nullopt},
      {"ti:月光", std::nullopt}, {"00:12.3x", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(lrcTimeMs(QString::fromUtf8(c.text)), c.ms) << c.text;
}

TEST(LrcWordTags, AreTakenOutOfTheTextWithTheirTimes) {
  const struct {
    const char* name;
    const char* text;
    const char* shown;
    std::vector<LrcWord> words;
    int endMs;
  } cases[] = {
      {"Chinese", "<00:23.997>又<00:24.694>是<00:25.356>九", "又是九",
       {{23997, "又"}, {24694, "是"}, {25356, "九"}}, -1},
      {"EnglishBlanksStayInTheText", "<00:47.473>So<00:47.786> many<00:48.796> times",
       "So many times", {{47473, "So"}, {47786, " many"}, {48796, " times"}}, -1},
      {"OneDigitMinutesAndAClosingTag", "<0:03.5>a<0:04.25>b<0:05.000>", "ab",
       {{3500, "a"}, {4250, "b"}}, 5000},
      {"TextBeforeTheFirstTagStartsWithTheLine", "ah <00:02.00>la", "ah la",
       {{1000, "ah "}, {2000, "la"}}, -1},
      {"OtherAngleBracketsAreText", "I <3 you <b> <00:1.00>", "I <3 you <b> <00:1.00>", {}, -1},
      {"PlainText", "晚风", "晚风", {}, -1},
  };
  for (const auto& c : cases) {
    QString text = QString::fromUtf8(c.text);
    const LrcWordTimes times = takeWordTags(text, 1000);
    EXPECT_EQ(text, QString::fromUtf8(c.shown)) << c.name;
    EXPECT_EQ(times.words, c.words) << c.name;
    EXPECT_EQ(times.endMs, c.endMs) << c.name;
  }
}

TEST(LrcOffsetTag, KeyInAnyCaseAndOnlyWholeNumbers) {
  const struct {
    const char* line;
    std::optional<int> ms;
  } cases[] = {{"[offset:500]", 500},   {"[OFFSET:-250]", -250}, {"[Offset:+1000] ", 1000},
               {"[offset: 300 ]", 300}, {"[offset:abc]", std::nullopt},
               {"[offset:1.5]", std::nullopt}, {"[offsets:500]", std::nullopt},
               {"[00:01.00]offset", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(lrcOffsetMs(c.line), c.ms) << c.line;
}

TEST(LrcRead, WordTimedLinesShowWithoutTheirTags) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8("[00:23.997]<00:23.997>又<00:24.694>是<00:25.356>九\n"
                                 "[00:47.473]<00:47.473>So<00:47.786> many<00:48.796> times\n"));
  EXPECT_EQ(lrc.FindLrcLine("00:23"), QString::fromUtf8("又是九"));
  EXPECT_EQ(lrc.FindLrcLine("00:47"), QStringLiteral("So many times"));
  EXPECT_EQ(lrc.timedLines()[1].words.words.size(), 3u);
}

TEST(LrcRead, TheOffsetMovesEveryTimedRowAndItsWords) {
  const struct {
    const char* header;
    const char* firstSecond;  // where [00:05.30] lands
  } cases[] = {{"", "00:05"},
               {"[offset:1000]", "00:04"},
               {"[OFFSET:+500]", "00:04"},  // 4.80
               {"[offset:200]", "00:05"},   // 5.10
               {"[offset:-1000]", "00:06"},
               {"[offset:9000]", "00:00"},  // before the start: the first second
               {"[offset:later]", "00:05"}};
  for (const auto& c : cases) {
    LrcLyrics lrc;
    lrc.readText(QString::fromUtf8(c.header) + "\n[00:05.30]<00:05.30>上<00:05.80>下\n[ti:x]\n");
    EXPECT_EQ(lrc.FindLrcLine(c.firstSecond), QString::fromUtf8("上下")) << c.header;
    const LrcRow& row = lrc.timedLines()[1];
    ASSERT_EQ(row.words.words.size(), 2u);
    EXPECT_EQ(row.words.words[0].startMs, lrcTimeMs(row.tag)) << c.header;
    if (QString::fromUtf8(c.firstSecond) != "00:00") {
      EXPECT_EQ(row.words.words[1].startMs - row.words.words[0].startMs, 500) << c.header;
    }
    EXPECT_EQ(lrc.timedLines().back(), (LrcRow{"ti", "x"})) << "identification rows stay";
  }
}

TEST(LrcRead, ALineOfTimeTagsAloneClearsTheLyric) {
  LrcLyrics lrc;
  lrc.readText("[00:01.00]a\n[02:15.18]\n[00:30.00][01:00.00]\n[00:20.00]b]\n");
  EXPECT_EQ(lrc.FindLrcLine("02:15"), QString());
  EXPECT_EQ(lrc.FindLrcLine("00:30"), QString());
  EXPECT_EQ(lrc.FindLrcLine("01:00"), QString());
  EXPECT_EQ(lrc.FindLrcLine("00:20"), std::nullopt) << "a lyric ending with ] is still dropped";
  EXPECT_EQ(lrc.closedLines(), QStringList{"[00:20.00]b]"});
}

TEST(LrcRead, LinesOfTheSameTimeGoWithTheFirst) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8("[00:01.84]ここで一生泣いているんだろ\n"
                                 "[00:01.840]因为没有才能\n"
                                 "[00:01.90]不同的时间\n"
                                 "[00:05.00]二\n"
                                 "[00:01.84]\n"
                                 "[00:01.84]第三行\n"));
  const int row = lrc.findLrcRow("00:01");
  ASSERT_EQ(row, 1);
  EXPECT_EQ(lrc.sameTimeLines(row), (QStringList{QString::fromUtf8("因为没有才能"),
                                                 QString::fromUtf8("第三行")}));
  EXPECT_TRUE(lrc.sameTimeLines(lrc.findLrcRow("00:05")).isEmpty());
  EXPECT_TRUE(lrc.sameTimeLines(-1).isEmpty());
}

TEST(LrcRead, LinesOfTheFirstSecondAnswerBeforeTheSentinel) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8("[00:00.28]开场\n[00:00.02]更早\n"));
  EXPECT_EQ(lrc.FindLrcLine("00:00"), QString::fromUtf8("开场"));
  lrc.readText("[00:03.00]a\n");
  EXPECT_EQ(lrc.FindLrcLine("00:00"), QString()) << "the sentinel still answers alone";
  EXPECT_EQ(lrc.findLrcRow("00:00"), 0);
}

// --- A word-timed LRC as karaoke -------------------------------------------------------

TEST(LrcKaraoke, WordsBecomeUnitsTimedInWholeFramesFromTheWholeSecond) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8(
      "[ti:夜曲]\n"
      "[00:00.50]作词：某人\n"                                        // no word times
      "[00:02.000]<00:02.000>晚<00:02.480>风<00:03.200>吹<00:04.400>\n"  // closing tag
      "[00:05.300]<00:05.300>So<00:05.810> many<00:06.450> times\n"    // ends at the next line
      "[00:07.000]\n"
      "[00:09.000]<00:09.000>La\n"));                                  // the file's last line
  const std::vector<KscLine> lines = karaokeLinesFromLrc(lrc);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].start, "00:02.000");
  EXPECT_EQ(lines[0].end, "00:04.400");
  EXPECT_EQ(lines[0].text, QString::fromUtf8("晚风吹"));
  EXPECT_EQ(lines[0].durations, "480,720,1200");
  // 300 ms of nothing from 00:05, then the words, their bounds rounded to whole frames
  // counted from 00:05: 5.300 → 8, 5.810 → 20, 6.450 → 36, 7.000 → 50.
  EXPECT_EQ(lines[1].start, "00:05.300");
  EXPECT_EQ(lines[1].end, "00:07.000");
  EXPECT_EQ(lines[1].text, QStringLiteral("[][So ][many ][times]"));
  EXPECT_EQ(lines[1].durations, "320,480,640,560");
  EXPECT_EQ(lines[2].end, "00:11.000") << "a last word with nothing after it runs 2 seconds";
}

TEST(LrcKaraoke, AKaraokeReadOfAWordTimedLrcGivesKscLines) {
  KaraokeTiming timing;
  timing.readText(QString::fromUtf8("[offset:1000]\n"
                                    "[00:03.000]<00:03.000>月<00:03.400>亮<00:04.000>\n"
                                    "[00:06.000]<00:06.000>代<00:06.400>表<00:07.000>\n"),
                  KscVariant::Render, 25, "jianti");
  ASSERT_EQ(timing.lines().size(), 2u);
  EXPECT_EQ(timing.lines()[0].appear, "00:01");
  EXPECT_EQ(timing.lines()[0].wipeStart, "00:02");
  EXPECT_EQ(timing.lines()[1].slot, "B");
  EXPECT_EQ(timing.lines()[1].processed, QString::fromUtf8("代表"));
  EXPECT_EQ(timing.hideList().last(), "00:07");
  EXPECT_EQ(timing.unitCount(0), 2);
  EXPECT_EQ(timing.grid(3).number(1, 0), 10);

  timing.readText("[00:03.00]plain line\n", KscVariant::Render, 25, "jianti");
  EXPECT_TRUE(timing.empty()) << "an LRC without word times gives no karaoke";
}

}  // namespace
}  // namespace solvane
