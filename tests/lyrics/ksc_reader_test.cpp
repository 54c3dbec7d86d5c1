// KSC files: the line table, lookup lists, unit grids of both variants and script conversion.
#include <gtest/gtest.h>

#include "lyrics/ksc_reader.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/script_conversion.h"
#include "model/columns.h"
#include "model/error.h"
#include "support/fixtures.h"
#include "support/lyrics_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;
using test::toQString;

QString kscLine(const QString& start, const QString& end, const QString& text,
                const QString& durations) {
  return QStringLiteral("karaoke.add('%1', '%2', '%3', '%4');\r\n")
      .arg(start, end, text, durations);
}

const QString kHeader = QStringLiteral("// 卡拉OK歌词\r\nkaraoke.rows := 2;\r\n\r\n");

QString threeLineSong() {
  return kHeader +
         kscLine("00:05.800", "00:16.200", QString::fromUtf8("月亮代表"), "400,350,520,610") +
         QStringLiteral("  ") + kscLine("00:09.000", "00:10.000", "ignored", "100") +
         kscLine("00:17.000", "00:19.500", QString::fromUtf8("我[love]你"), "300,900,400") +
         kscLine("00:20.000", "00:23.000", QString::fromUtf8("头发"), "450,30");
}

TEST(KscRead, BuildsTheLineTableAndLookupLists) {
  KaraokeTiming timing;
  timing.readText(threeLineSong(), KscVariant::Render, 25, "jianti");
  ASSERT_EQ(timing.lines().size(), 3u);  // the line that starts with blanks is not used
  const KscLine& first = timing.lines()[0];
  EXPECT_EQ(first.start, "00:05.800");
  EXPECT_EQ(first.end, "00:16.200");
  EXPECT_EQ(first.durations, "400,350,520,610");
  EXPECT_EQ(first.appear, "00:04");
  EXPECT_EQ(first.hide, "00:17");
  EXPECT_EQ(first.wipeStart, "00:05");
  EXPECT_EQ(timing.lines()[1].text, QString::fromUtf8("我[love]你"));
  EXPECT_EQ(timing.lines()[1].processed, QString::fromUtf8("我love你"));

  QStringList slots;
  for (const KscLine& line : timing.lines()) slots << line.slot;
  EXPECT_EQ(slots, (QStringList{"A", "B", "A"}));
  EXPECT_EQ(timing.appearList(), (QStringList{"00:04", "00:16", "00:19"}));
  EXPECT_EQ(timing.hideList(), (QStringList{"00:17", "00:20", "00:24"}));
  EXPECT_EQ(timing.wipeStartList(), (QStringList{"00:05", "00:17", "00:20"}));

  EXPECT_EQ(timing.findAppearing("00:16"), 1);
  EXPECT_EQ(timing.findWipeStarting("00:17"), 1);
  EXPECT_EQ(timing.findWipeStarting("00:06"), -1);
  // Only the last line's hide time hides anything.
  EXPECT_FALSE(timing.hidesAll("00:17"));
  EXPECT_TRUE(timing.hidesAll("00:24"));
}

TEST(KscRead, PreviewKeepsNoWipeListAndMatchesStartTimes) {
  KaraokeTiming timing;
  timing.readText(threeLineSong(), KscVariant::Preview, 25, "jianti");
  EXPECT_TRUE(timing.wipeStartList().isEmpty());
  EXPECT_EQ(timing.findWipeStarting("00:17"), 1);
}

TEST(KscRead, FramesRoundHalfToEven) {
  struct Case {
    double ms;
    int frames;
  };
  const Case cases[] = {{400, 10}, {450, 11}, {30, 1},  {10, 0}, {20, 0},
                        {60, 2},   {100, 2},  {140, 4}, {0, 0},  {900, 22}};
  for (const Case& c : cases) EXPECT_EQ(kscFrames(c.ms), c.frames) << c.ms;
}

TEST(KscRead, GroupedCharactersAreOneUnit) {
  EXPECT_EQ(kscUnits(QString::fromUtf8("我[love]你")), (QStringList{"我", "love", "你"}));
  EXPECT_EQ(kscUnits("ab"), (QStringList{"a", "b"}));
  EXPECT_EQ(kscUnits("[open"), (QStringList{"open"}));
}

TEST(KscRead, StringsPairQuotesAndAcceptEscapedApostrophes) {
  EXPECT_EQ(kscLineStrings("karaoke.add('00:01.000', '00:02.000', 'I\\'m', '500', 'x');"),
            (QStringList{"00:01.000", "00:02.000", "I'm", "500", "x"}));
  EXPECT_EQ(kscLineStrings("karaoke.add('a', 'b"), (QStringList{"a"}));
}

TEST(KscRead, IncompleteOrUntimedLinesAreSkipped) {
  KaraokeTiming timing;
  timing.readText(QStringLiteral("karaoke.add('00:01.000', '00:02.000', 'ab');\n"
                                 "karaoke.add('soon', '00:02.000', 'ab', '1,1');\n"
                                 "karaoke.add('00:00.300', '00:02.000', 'ab', '500,500');\n"),
                  KscVariant::Render, 25, "jianti");
  ASSERT_EQ(timing.lines().size(), 1u);
  EXPECT_EQ(timing.lines()[0].slot, "A");
  // A line starting within the first second appears at 00:00 instead of never.
  EXPECT_EQ(timing.lines()[0].appear, "00:00");
}

struct VariantCase {
  KscVariant variant;
  int fontSize;
  int measureSize;
};

class KscGrids : public ::testing::TestWithParam<VariantCase> {};

TEST_P(KscGrids, HoldCountsFramesTextsAndWidths) {
  const VariantCase c = GetParam();
  const bool preview = c.variant == KscVariant::Preview;
  KaraokeTiming timing;
  timing.readText(threeLineSong(), c.variant, c.fontSize, "jianti", KscReadOptions{500});
  const int line = 1;  // 我[love]你 with 300,900,400
  const QStringList units = {"我", "love", "你"};
  const int durations[] = {300, 900, 400};
  const int frames[] = {8, 22, 10};

  EXPECT_EQ(timing.grid(3).cell(0, line), "3");
  EXPECT_EQ(timing.grid(4).cell(0, line), "3");
  EXPECT_EQ(timing.grid(5).cell(0, line), "3");
  EXPECT_EQ(timing.grid(6).cell(0, line), "3");
  EXPECT_EQ(timing.grid(7).cell(0, line), "3");
  int total = 0;
  for (int r = 1; r <= 3; ++r) {
    const int w = kscUnitWidth(units[r - 1], c.measureSize);
    ASSERT_GT(w, 0);
    total += w;
    EXPECT_EQ(timing.grid(3).number(r, line), frames[r - 1]) << r;
    EXPECT_EQ(timing.grid(4).cell(r, line), units[r - 1]);
    if (preview) {
      EXPECT_EQ(timing.grid(5).number(r, line), total);
      EXPECT_EQ(timing.grid(6).cell(r, line), QString::number(durations[r - 1]));
      EXPECT_EQ(timing.grid(7).number(r, line), durations[r - 1] / 2);  // 500 ticks a second
    } else {
      EXPECT_EQ(timing.grid(5).number(r, line), w);
      EXPECT_EQ(timing.grid(6).number(r, line), total);
      EXPECT_EQ(timing.grid(7).number(r, line),
                static_cast<int>(std::nearbyint(double(w) / frames[r - 1])));
    }
  }
  EXPECT_EQ(timing.grid(4).cell(4, line), "0");
  EXPECT_EQ(timing.grid(3).cell(0, 3), "0");  // no fourth line
}

INSTANTIATE_TEST_SUITE_P(Variants, KscGrids,
                         ::testing::Values(VariantCase{KscVariant::Preview, 25, 25},
                                           VariantCase{KscVariant::Render, 25, 60}),
                         [](const auto& info) {
                           return info.param.variant == KscVariant::Preview ? "Preview" : "Render";
                         });

TEST(KscRead, RenderUnitsOfNoFramesTakeTheirWholeWidth) {
  KaraokeTiming timing;
  timing.readText(kscLine("00:01.000", "00:02.000", "ab", "10,500"), KscVariant::Render, 20,
                  "jianti");
  EXPECT_EQ(timing.grid(3).number(1, 0), 0);
  EXPECT_EQ(timing.grid(7).number(1, 0), kscUnitWidth("a", kscMeasureSize(20, KscVariant::Render)));
}

TEST(KscRead, KeepsAtMost100LinesAnd99Units) {
  QString text;
  for (int i = 0; i < 101; ++i) text += kscLine("00:01.000", "00:02.000", "x", "100");
  QString longText;
  QStringList durations;
  for (int u = 0; u < 100; ++u) {
    longText += QChar('a' + u % 26);
    durations << "40";
  }
  text = kscLine("00:01.000", "00:02.000", longText, durations.join(',')) + text;
  KaraokeTiming timing;
  timing.readText(text, KscVariant::Render, 10, "jianti");
  EXPECT_EQ(timing.lines().size(), 100u);
  EXPECT_EQ(timing.unitCount(0), 99);
  EXPECT_EQ(timing.grid(3).cell(0, 0), "99");
  EXPECT_EQ(timing.lines()[0].processed, longText.left(99));
  EXPECT_EQ(timing.grid(4).cell(1, 99), "x");
}

TEST(KscRead, RenderConvertsTheProcessedTextToTheRowsScript) {
  KaraokeTiming timing;
  timing.readText(threeLineSong(), KscVariant::Render, 25, "fanti");
  EXPECT_EQ(timing.lines()[2].processed, QString::fromUtf8("頭發"));
  timing.readText(threeLineSong(), KscVariant::Preview, 25, "fanti");
  EXPECT_EQ(timing.lines()[2].processed, QString::fromUtf8("头发"));  // converted when shown
}

TEST(ScriptConversion, MapsCharacterByCharacterKeepingTheLength) {
  struct Case {
    const char* in;
    const char* simplified;
    const char* traditional;
  };
  const Case cases[] = {{"月亮代表我的心", "月亮代表我的心", "月亮代表我的心"},
                        {"头发后来干燥", "头发后来干燥", "頭發後來幹燥"},
                        {"頭髮後來", "头发后来", "頭髮後來"},
                        {"love 你 123", "love 你 123", "love 你 123"},
                        {"", "", ""}};
  for (const Case& c : cases) {
    const QString in = QString::fromUtf8(c.in);
    EXPECT_EQ(ToSimplified(in), QString::fromUtf8(c.simplified)) << c.in;
    EXPECT_EQ(ToTraditional(in), QString::fromUtf8(c.traditional)) << c.in;
    EXPECT_EQ(ToTraditional(in).toUcs4().size(), in.toUcs4().size());
    EXPECT_EQ(ToSimplified(in).toUcs4().size(), in.toUcs4().size());
  }
}

TEST(KscRead, ReadsTheFileOfAKaraokeRowInGbkAndUtf8) {
  ScratchDir dir;
  const std::pair<const char*, QByteArray> files[] = {
      {"gbk.ksc", test::gbkBytes(threeLineSong())},
      {"utf8.ksc", threeLineSong().toUtf8()},
      {"utf8bom.ksc", test::utf8BomBytes(threeLineSong())}};
  Table ksc = Project().suiListView_ksc;
  for (const auto& [name, bytes] : files) {
    test::writeFile(dir / name, bytes);
    const int row = appendKaraokeRow(ksc, toQString(dir / name));
    KaraokeTiming timing;
    timing.ReadKscFile(ksc, row, KscVariant::Render);
    ASSERT_EQ(timing.lines().size(), 3u) << name;
    EXPECT_EQ(timing.lines()[0].processed, QString::fromUtf8("月亮代表")) << name;
    EXPECT_EQ(timing.grid(5).number(1, 0),
              kscUnitWidth(QString::fromUtf8("月"), kscMeasureSize(25, KscVariant::Render)));
  }
}

TEST(KscRead, AMissingFileRaisesAndLeavesTheTablesCleared) {
  ScratchDir dir;
  Table ksc = Project().suiListView_ksc;
  const int row = appendKaraokeRow(ksc, toQString(dir / "gone.ksc"));
  KaraokeTiming timing;
  timing.readText(threeLineSong(), KscVariant::Render, 25, "jianti");
  EXPECT_THROW(timing.ReadKscFile(ksc, row, KscVariant::Render), Error);
  EXPECT_TRUE(timing.empty());
  EXPECT_TRUE(timing.appearList().isEmpty());
  EXPECT_EQ(timing.grid(3).cell(0, 0), "0");
}

}  // namespace
}  // namespace solvane
