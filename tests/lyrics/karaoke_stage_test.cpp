// The karaoke presentation: slots A and B, appear / wipe / hide rules and the fill steps.
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "lyrics/karaoke_stage.h"
#include "lyrics/ksc_reader.h"
#include "lyrics/text_fonts.h"

namespace solvane {
namespace {

QString kscLine(const QString& start, const QString& end, const QString& text,
                const QString& durations) {
  return QStringLiteral("karaoke.add('%1', '%2', '%3', '%4');\n").arg(start, end, text, durations);
}

const QString kSong =
    kscLine("00:02.000", "00:04.000", QString::fromUtf8("我[love]你"), "80,120,40") +
    kscLine("00:03.000", "00:06.000", QString::fromUtf8("头发"), "10,400");

// Runs fill steps until the wipe ends (or a bound is hit), returning the widths seen.
std::vector<int> runWipe(KaraokeStage& stage, KaraokeLabelId fill, int bound = 1000) {
  std::vector<int> widths;
  while (stage.wiping() && bound-- > 0) {
    stage.step();
    widths.push_back(stage.label(fill).box.width());
  }
  return widths;
}

TEST(KaraokeStage, PanelsPlaceSlotAAndScaleToTheFrame) {
  const KaraokePanel preview = KaraokePanel::preview();
  EXPECT_EQ(preview.slotA, QPoint(75, 338));
  EXPECT_EQ(preview.slotBTop, 388);
  const KaraokePanel render = KaraokePanel::render();
  EXPECT_EQ(render.slotA, QPoint(180, 811));
  EXPECT_EQ(render.slotBTop, 931);
}

TEST(KaraokeStage, LinesAppearInAlternatingSlotsWithSlotBOnTheRight) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  KaraokeStage stage(timing);
  const QFontMetrics metrics(stage.measureFont());
  EXPECT_EQ(stage.measureFont().pixelSize(), pointsToPixels(60));

  stage.onClock("00:01");
  const KaraokeLabel& a = stage.label(KaraokeLabelId::A1);
  EXPECT_TRUE(a.visible);
  EXPECT_EQ(a.text, QString::fromUtf8("我love你     "));
  EXPECT_EQ(a.box, QRect(180, 811, metrics.horizontalAdvance(a.text) + 10, metrics.height() + 10));
  const KaraokeLabel& aFill = stage.label(KaraokeLabelId::A2);
  EXPECT_FALSE(aFill.visible);
  EXPECT_EQ(aFill.box.width(), 0);
  EXPECT_EQ(aFill.box.height(), a.box.height());

  stage.onClock("00:02");  // line 1 wipes, line 2 appears in slot B
  const KaraokeLabel& b = stage.label(KaraokeLabelId::B1);
  EXPECT_TRUE(b.visible);
  EXPECT_EQ(b.box.left() + b.box.width(), 1920 - 20);
  EXPECT_EQ(b.box.top(), 931);
  EXPECT_TRUE(stage.label(KaraokeLabelId::A2).visible);
  EXPECT_EQ(stage.stackingOrder().back(), KaraokeLabelId::A2);
}

TEST(KaraokeStage, RenderFillAdvancesByFramesAndSnapsToEachUnitEnd) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  const std::vector<FillUnit> units = timing.fillUnits(0);
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[0].budget, 2);  // 80 ms
  EXPECT_EQ(units[1].budget, 3);  // 120 ms
  EXPECT_EQ(units[2].budget, 1);  // 40 ms

  KaraokeStage stage(timing);
  stage.onClock("00:01");
  stage.onClock("00:02");
  ASSERT_TRUE(stage.wiping());
  const std::vector<int> widths = runWipe(stage, KaraokeLabelId::A2);
  ASSERT_EQ(widths.size(), 6u);  // 2 + 3 + 1 frames
  EXPECT_EQ(widths[1], units[0].cumulativeWidth);
  EXPECT_EQ(widths[4], units[1].cumulativeWidth);
  // The last unit runs on past its own end by one more step.
  EXPECT_EQ(widths[5], std::min(units[1].cumulativeWidth + 2 * units[2].stepPixels,
                                stage.label(KaraokeLabelId::A1).box.width()));
  for (size_t i = 1; i < widths.size(); ++i) EXPECT_GE(widths[i], widths[i - 1]);
  EXPECT_FALSE(stage.wiping());
}

TEST(KaraokeStage, RenderWipeStartsOnceForTheFramesOfOneSecond) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  KaraokeStage stage(timing);
  stage.onClock("00:02");
  stage.step();
  stage.onClock("00:02");  // the next frame of the same second
  EXPECT_EQ(stage.unitIndex(), 0);
  EXPECT_EQ(stage.stepCounter(), 1);
}

TEST(KaraokeStage, NextLineCompletesThePreviousSlotAndZeroFrameUnitsFillAtOnce) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  KaraokeStage stage(timing);
  stage.onClock("00:01");
  stage.onClock("00:02");
  stage.step();  // slot A part-filled
  ASSERT_GT(stage.label(KaraokeLabelId::A2).box.width(), 0);
  stage.onClock("00:03");  // line 2 (slot B) starts its wipe
  EXPECT_EQ(stage.currentLine(), 1);
  stage.step();
  EXPECT_EQ(stage.label(KaraokeLabelId::A2).box.width(),
            stage.label(KaraokeLabelId::A1).box.width());
  // 头 lasts 10 ms (0 frames): its whole width in the first step.
  EXPECT_EQ(stage.label(KaraokeLabelId::B2).box.width(), timing.fillUnits(1)[0].cumulativeWidth);
  EXPECT_EQ(stage.unitIndex(), 1);
}

TEST(KaraokeStage, PreviewFillsOnePixelPerTick) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Preview, 25, "jianti", KscReadOptions{1000});
  KaraokeStage stage(timing);
  stage.onClock("00:01");
  stage.onClock("00:02");
  const std::vector<FillUnit> units = timing.fillUnits(0);
  EXPECT_EQ(units[0].budget, 80);
  EXPECT_EQ(units[0].stepPixels, 1);
  const std::vector<int> widths = runWipe(stage, KaraokeLabelId::A2);
  EXPECT_EQ(widths.size(), 240u);
  EXPECT_EQ(widths[0], 1);
  EXPECT_EQ(widths[79], units[0].cumulativeWidth);
}

TEST(KaraokeStage, PreviewShowsTheChosenScript) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Preview, 25, "jianti");
  KaraokeStage stage(timing);
  stage.setPreviewScript("fanti");
  stage.onClock("00:02");  // line 2 appears
  EXPECT_EQ(stage.label(KaraokeLabelId::B1).text, QString::fromUtf8("頭發     "));
  EXPECT_EQ(
      stage.label(KaraokeLabelId::B1).box.left() + stage.label(KaraokeLabelId::B1).box.width(),
      800 - 20);
}

TEST(KaraokeStage, TheLastLinesHideTimeEmptiesAllLabels) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  KaraokeStage stage(timing);
  stage.onClock("00:01");
  stage.onClock("00:02");
  stage.onClock("00:05");  // line 1's hide time: not the last line, nothing hides
  EXPECT_TRUE(stage.label(KaraokeLabelId::A1).visible);
  stage.onClock("00:07");
  for (KaraokeLabelId id :
       {KaraokeLabelId::A1, KaraokeLabelId::A2, KaraokeLabelId::B1, KaraokeLabelId::B2}) {
    EXPECT_FALSE(stage.label(id).visible);
    EXPECT_TRUE(stage.label(id).text.isEmpty());
  }
}

TEST(KaraokeStage, StartsAfreshWhenTheTimingIsReadAgain) {
  KaraokeTiming timing;
  timing.readText(kSong, KscVariant::Render, 25, "jianti");
  KaraokeStage stage(timing);
  stage.onClock("00:01");
  stage.onClock("00:02");
  ASSERT_TRUE(stage.wiping());
  timing.readText(kSong, KscVariant::Preview, 30, "jianti");
  stage.step();
  EXPECT_FALSE(stage.wiping());
  EXPECT_FALSE(stage.label(KaraokeLabelId::A1).visible);
  EXPECT_EQ(stage.panel().width, 800);
  EXPECT_EQ(stage.measureFont().pixelSize(), pointsToPixels(30));
}

TEST(KaraokeStage, NothingHappensWithoutLines) {
  KaraokeTiming timing;
  KaraokeStage stage(timing);
  stage.onClock("00:00");
  stage.step();
  EXPECT_FALSE(stage.wiping());
  EXPECT_FALSE(stage.label(KaraokeLabelId::A1).visible);
}

}  // namespace
}  // namespace solvane
