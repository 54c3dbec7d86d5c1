// LRC files: the right-to-left split, identification tags, the sentinel row and lookups.
#include <gtest/gtest.h>

#include "lyrics/lrc_reader.h"
#include "model/error.h"
#include "support/fixtures.h"
#include "support/lyrics_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;
using test::toQString;

struct SplitCase {
  const char* name;
  const char* line;
  std::vector<LrcRow> rows;
};

class LrcSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LrcSplit, SplitsTagsRightToLeft) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(splitLrcLine(QString::fromUtf8(c.line)), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LrcSplit,
    ::testing::Values(
        SplitCase{"OneTag", "[00:12.30]晚风", {{"00:12.30", "晚风"}}},
        SplitCase{"SideBySideTagsShareTheText",
                  "[00:12.30][01:45.00]晚风",
                  {{"01:45.00", "晚风"}, {"00:12.30", "晚风"}}},
        SplitCase{"TagsWithTextBetween",
                  "[00:01.00]甲[00:05.00]乙",
                  {{"00:05.00", "乙"}, {"00:01.00", "甲"}}},
        SplitCase{"ThreeTagsTwoAdjacent",
                  "[00:01.00][00:02.00]甲[00:05.00]乙",
                  {{"00:05.00", "乙"}, {"00:02.00", "甲"}, {"00:01.00", "甲"}}},
        SplitCase{"TrailingBlankKeepsIdentificationTag", "[ti:月光] ", {{"ti:月光", " "}}},
        SplitCase{"NoBracketGivesNoRow", "just words", {}},
        SplitCase{"OpenBracketInTheTextSkipsTheLine", "[00:01.00]a[b", {}},
        SplitCase{"CloseBracketInTheTextSkipsTheLine", "[00:01.00]a]b", {}},
        SplitCase{"TextBeforeTheFirstTagIsDropped", "xx[00:03.00]y", {{"00:03.00", "y"}}}),
    [](const auto& info) { return std::string(info.param.name); });

const char* const kSong =
    "[ti:月光]\r\n"
    "[ar:歌手] \r\n"
    "[offset:soon]\r\n"  // not a number: no offset
    "[by:某人]\r\n"
    "[00:00.50]序\r\n"
    "[00:12.30][01:45.00]晚风\r\n"
    "[00:20.00]副歌]\r\n"
    "[00:30.00]\r\n"
    "\r\n"
    "[01:05.10]第一句\r\n"
    "[01:05.80]第二句\r\n"
    "[1:07.00]短标签\r\n";

TEST(LrcRead, BuildsTheTimedTableInFileOrderWithIdentificationRowsLast) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8(kSong));
  const std::vector<LrcRow> expected = {
      {"00:00", ""},          {"00:00.50", "序"},     {"01:45.00", "晚风"},  {"00:12.30", "晚风"},
      {"00:30.00", ""},       {"01:05.10", "第一句"}, {"01:05.80", "第二句"}, {"1:07.00", "短标签"},
      {"ti", "月光"},         {"by", "某人"},         {"ar", "歌手"}};
  EXPECT_EQ(lrc.timedLines(), expected);
}

struct LookupCase {
  const char* time;
  std::optional<QString> text;
};

TEST(LrcRead, LookupsTakeTheFirstRowOfTheSecond) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8(kSong));
  const LookupCase cases[] = {
      {"00:00", QStringLiteral("序")},  // a line of the first second comes before the sentinel
      {"00:12", QStringLiteral("晚风")},
      {"01:45", QStringLiteral("晚风")},
      {"01:05", QStringLiteral("第一句")},  // first of two lines in the same second
      {"00:30", QString()},                 // a tag alone on its line clears the lyric
      {"00:20", std::nullopt},              // a lyric ending with "]" is dropped
      {"01:07", std::nullopt},              // "1:07.00" never matches mm:ss
      {"02:00", std::nullopt},
  };
  for (const LookupCase& c : cases) EXPECT_EQ(lrc.FindLrcLine(c.time), c.text) << c.time;
}

TEST(LrcRead, LookupIgnoresLetterCase) {
  LrcLyrics lrc;
  lrc.readText("[aB:cd]x\n");
  EXPECT_EQ(lrc.FindLrcLine("Ab"), QString("x"));
}

TEST(LrcRead, OnlyIdentificationTagsLeaveJustTheSentinelForLookups) {
  LrcLyrics lrc;
  lrc.readText(QString::fromUtf8("[ti:标题]\n[ar:歌手]\n[al:专辑]\n"));
  ASSERT_EQ(lrc.timedLines().size(), 4u);
  EXPECT_EQ(lrc.timedLines()[1], (LrcRow{"ti", "标题"}));
  EXPECT_EQ(lrc.FindLrcLine("00:00"), QString());
  EXPECT_EQ(lrc.FindLrcLine("00:01"), std::nullopt);
}

TEST(LrcRead, ReadsEveryEncodingLyricFilesComeIn) {
  ScratchDir dir;
  const QString text = QString::fromUtf8("[ti:月光]\r\n[00:12.30][01:45.00]晚风吹过\r\n");
  const std::pair<const char*, QByteArray> files[] = {{"gbk.lrc", test::gbkBytes(text)},
                                                      {"utf8.lrc", text.toUtf8()},
                                                      {"utf8bom.lrc", test::utf8BomBytes(text)},
                                                      {"utf16.lrc", test::utf16LeBomBytes(text)}};
  for (const auto& [name, bytes] : files) {
    test::writeFile(dir / name, bytes);
    LrcLyrics lrc;
    lrc.ReadLrcFile(toQString(dir / name));
    EXPECT_EQ(lrc.FindLrcLine("01:45"), QString::fromUtf8("晚风吹过")) << name;
    EXPECT_EQ(lrc.timedLines().back(), (LrcRow{"ti", QString::fromUtf8("月光")})) << name;
  }
}

TEST(LrcRead, AMissingFileRaisesAndLeavesTheTablesCleared) {
  ScratchDir dir;
  LrcLyrics lrc;
  lrc.readText("[00:01.00]a\n");
  try {
    lrc.ReadLrcFile(toQString(dir / "gone.lrc"));
    FAIL() << "no error for a missing file";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("gone.lrc")) << e.message().toStdString();
  }
  EXPECT_TRUE(lrc.timedLines().empty());
  EXPECT_EQ(lrc.FindLrcLine("00:01"), std::nullopt);
}

TEST(LrcRead, LinesEndAtLfOrCrLf) {
  EXPECT_EQ(textFileLines("a\r\nb\nc"), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(textFileLines("a\n\nb\n"), (QStringList{"a", "", "b"}));
}

}  // namespace
}  // namespace solvane
