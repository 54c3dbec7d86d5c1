// Lyric and karaoke styles: defaults, "默认" resets, write-back, colours and placement.
#include <gtest/gtest.h>

#include "lyrics/colour_names.h"
#include "lyrics/display_lists.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "lyrics/text_fonts.h"
#include "model/columns.h"

namespace solvane {
namespace {

TEST(ColourNames, StandardNamesMapToBgrNumbers) {
  struct Case {
    const char* name;
    int value;
  };
  const Case cases[] = {{"clWhite", 16777215}, {"clBlue", 16711680},  {"clRed", 255},
                        {"clBlack", 0},        {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
                        {"clNavy", 0x800000},  {"clMaroon", 0x000080}};
  for (const Case& c : cases) EXPECT_EQ(colourValue(c.name), c.value) << c.name;
  EXPECT_GE(colourNames().size(), 16);
  EXPECT_EQ(colourValue("clNoSuch"), std::nullopt);
  EXPECT_EQ(colourNameOf(16711680), QString("clBlue"));
}

TEST(ColourNames, EveryNameHasItsOwnNumber) {
  for (const QString& name : colourNames()) {
    ASSERT_TRUE(colourValue(name)) << name.toStdString();
    EXPECT_EQ(colourNameOf(*colourValue(name)), name);
  }
}

TEST(ColourNames, StoredNumbersDrawInTheirColour) {
  EXPECT_EQ(colourFromValueText("16711680"), QColor(0, 0, 255));
  EXPECT_EQ(colourFromValueText("255"), QColor(255, 0, 0));
  EXPECT_EQ(colourFromValueText("garbage"), QColor(Qt::white));
  EXPECT_EQ(colourValueOf(QColor(0x12, 0x34, 0x56)), 0x563412);
}

TEST(LrcPlacement, FollowsAlignmentWithTruncatingDivision) {
  struct Case {
    const char* h;
    const char* v;
    int w, h_;
    QPoint at;
  };
  const Case cases[] = {{"zuobian", "shangmian", 100, 20, {10, 10}},
                        {"juzhong", "zhongjian", 100, 21, {206, 134}},
                        {"youbian", "xiamian", 100, 20, {403, 259}},
                        {"juzhong", "xiamian", 600, 20, {-43, 259}},  // wider than the area
                        {"juzhong", "zhongjian", 600, 310, {-43, -10}}};
  for (const Case& c : cases)
    EXPECT_EQ(lrcPlacement(513, 289, c.w, c.h_, c.h, c.v), c.at) << c.h << " " << c.v << " " << c.w;
  EXPECT_EQ(lrcFontSizeOnArea(10, 1920), 37);
  EXPECT_EQ(lrcFontSizeOnArea(10, 513), 10);
}

TEST(LrcPlacement, TheSampleShowsTheFrameLineScaledDown) {
  const QSize sample(513, 289), frame(1920, 1080);
  for (const char* h : {"zuobian", "juzhong", "youbian"})
    for (const char* v : {"shangmian", "zhongjian", "xiamian"})
      for (const int size : {10, 25, 40}) {
        SCOPED_TRACE(std::string(h) + " " + v + " " + std::to_string(size));
        LrcStyle style;
        style.hAlign = h;
        style.vAlign = v;
        style.fontSize = size;
        const LrcLineLayout small = lrcLineLayout(style, QStringLiteral("此处歌词内容"), sample);
        const LrcLineLayout large = lrcLineLayout(style, QStringLiteral("此处歌词内容"), frame);
        // Both follow the placement rule for their own box on their own area.
        EXPECT_EQ(small.box.topLeft(), lrcPlacement(513, 289, small.box.width(),
                                                    small.box.height(), h, v));
        EXPECT_EQ(large.box.topLeft(), lrcPlacement(1920, 1080, large.box.width(),
                                                    large.box.height(), h, v));
        // The frame's line is the sample's, about 1920 / 513 times larger.
        const double scale = 1920.0 / 513.0;
        EXPECT_NEAR(large.box.width() / double(small.box.width()), scale, 0.35);
        EXPECT_NEAR(large.box.center().x() / 1920.0, small.box.center().x() / 513.0, 0.03);
        EXPECT_NEAR(large.box.center().y() / 1080.0, small.box.center().y() / 289.0, 0.05);
      }
}

TEST(LrcStyles, ImportDefaultsDrawWhiteBoldCentredAtTheBottom) {
  const LrcStyle style = defaultLrcStyle();
  EXPECT_EQ(style.cells(), (QStringList{"clWhite", "16777215", "10", "黑体", "cuti", "wu", "wu",
                                        "juzhong", "xiamian"}));
  Project p;
  p.ListView_daoru_LRC.append(QStringList{"1", "a", ".lrc", "/a.lrc", "wu", "wu"} + style.cells());
  const QFont font = lrcFont(p.ListView_daoru_LRC, 0, 1920);
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.italic());
  EXPECT_EQ(font.pixelSize(), pointsToPixels(37));
}

TEST(LrcStyles, DefaultButtonsResetTheirGroupOnly) {
  LrcStyle style{"clRed", 30, "宋体", false, true, true, "zuobian", "shangmian"};
  resetLrcColour(style);
  EXPECT_EQ(style.colorName, "clWhite");
  EXPECT_EQ(style.fontSize, 30);
  resetLrcFont(style);
  resetLrcFontSize(style);
  EXPECT_EQ(style.fontName, "黑体");
  EXPECT_EQ(style.fontSize, 10);
  EXPECT_TRUE(style.italic);
  resetLrcFontStyle(style);
  EXPECT_TRUE(style.bold);
  EXPECT_FALSE(style.italic);
  EXPECT_FALSE(style.underline);
  EXPECT_EQ(style.hAlign, "zuobian");
  resetLrcHAlign(style);
  resetLrcVAlign(style);
  EXPECT_EQ(style.hAlign, "juzhong");
  EXPECT_EQ(style.vAlign, "xiamian");
}

TEST(LrcStyles, WritingBackUpdatesTheRowAndItsListLine) {
  Project p;
  p.ListView_daoru_LRC.append(QStringList{"1", "a", ".lrc", "/a.lrc", "wu", "wu"} +
                              defaultLrcStyle().cells());
  rebuildLyricList(p, marker::unbound_lyric);
  const LrcStyle style{"clBlue", 24, "宋体", false, true, true, "youbian", "zhongjian"};
  writeLrcStyle(p, 0, style);
  EXPECT_EQ(p.ListView_daoru_LRC.row(0).mid(lyric_col::color_name),
            (QStringList{"clBlue", "16711680", "24", "宋体", "wu", "xieti", "xiahuaxian", "youbian",
                         "zhongjian"}));
  EXPECT_EQ(p.suiListView_geci_liebiao.row(0),
            (QStringList{"1", "a", ".lrc", "/a.lrc", "未绑定音乐", "clBlue", "24", "宋体",
                         "[斜体][下划线]", "歌词右边", "歌词在中间"}));
  EXPECT_EQ(LrcStyle::fromRow(p.ListView_daoru_LRC, 0).cells(), style.cells());
  EXPECT_EQ(styleFontSizes().first(), "10");
  EXPECT_EQ(styleFontSizes().last(), "40");
  EXPECT_EQ(styleFontSizes().size(), 31);
}

TEST(KaraokeStyles, NewRowsStartBoldButTheDefaultButtonClearsBold) {
  Table ksc = Project().suiListView_ksc;
  const int row = appendKaraokeRow(ksc, "/songs/小城故事.ksc");
  EXPECT_EQ(ksc.row(row),
            (QStringList{"1", "小城故事", "clWhite", "clBlue", "黑体", "25", "T", "F", "F",
                         "/songs/小城故事.ksc", "16777215", "16711680", "jianti"}));
  KaraokeStyle style = KaraokeStyle::fromRow(ksc, row);
  style.colorName = "clYellow";
  style.fillColorName = "clRed";
  style.fontName = "宋体";
  style.fontSize = 33;
  style.italic = true;
  style.script = "fanti";
  resetKaraokeFontStyle(style);
  writeKaraokeStyle(ksc, row, style);
  EXPECT_EQ(ksc.cell(row, ksc_col::bold), "F");
  EXPECT_EQ(ksc.cell(row, ksc_col::italic), "F");
  EXPECT_EQ(ksc.cell(row, ksc_col::color_value), "65535");
  EXPECT_EQ(ksc.cell(row, ksc_col::fill_color_value), "255");
  EXPECT_EQ(karaokeDisplayRow(ksc, row),
            (QStringList{"1", "小城故事", "clYellow", "clRed", "宋体", "33", "无", "无", "无",
                         "/songs/小城故事.ksc", "繁体"}));

  const QFont frameFont = karaokeLabelFont(ksc, row, KscVariant::Render);
  EXPECT_EQ(frameFont.pixelSize(), pointsToPixels(33 * 1920 / 800));
  EXPECT_FALSE(frameFont.bold());
  EXPECT_EQ(karaokeLabelFont(ksc, row, KscVariant::Preview).pixelSize(), pointsToPixels(33));

  resetKaraokeColour(style);
  resetKaraokeFillColour(style);
  resetKaraokeFont(style);
  resetKaraokeFontSize(style);
  resetKaraokeScript(style);
  EXPECT_EQ(style.colorName, "clWhite");
  EXPECT_EQ(style.fillColorName, "clBlue");
  EXPECT_EQ(style.fontName, "黑体");
  EXPECT_EQ(style.fontSize, 25);
  EXPECT_EQ(style.script, "jianti");
}

TEST(TextFonts, PointSizesAreMeasuredAt96Dpi) {
  EXPECT_EQ(pointsToPixels(12), 16);
  EXPECT_EQ(pointsToPixels(10), 13);
  EXPECT_EQ(pointsToPixels(25), 33);
  EXPECT_EQ(fontAtPoints("黑体", 9).pixelSize(), 12);
}

}  // namespace
}  // namespace solvane
