// Text effects without windows: the chooser, adding with its checks, reordering by drag,
// the motion step and the preview that ends by itself.
#include <functional>
#include <vector>

#include <QPoint>

#include <gtest/gtest.h>

#include "effects/text_effect_catalog.h"
#include "effects/text_effect_editor.h"
#include "effects/text_motion.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/frame_clock.h"

namespace solvane {
namespace {

constexpr int kW = 513;
constexpr int kH = 289;

TextEffectForm validForm() {
  TextEffectForm f;
  f.text = QStringLiteral("生日快乐");
  f.minuteEntry = QStringLiteral("01  分");
  f.secondEntry = QStringLiteral("05  秒");
  f.effectEntry = 1;
  f.colorName = QStringLiteral("clWhite");
  f.colorValue = QStringLiteral("16777215");
  f.fontName = QStringLiteral("黑体");
  f.fontSize = QStringLiteral("10");
  return f;
}

struct Fixture {
  Project project;
  TextEffectEditor editor{project};
  Fixture() { editor.open(kW, kH); }
  void addTexts(const QStringList& texts) {
    for (const QString& t : texts) {
      TextEffectForm f = validForm();
      f.text = t;
      ASSERT_FALSE(editor.add(f).has_value());
    }
  }
  QStringList order() {
    QStringList texts;
    for (int i = 0; i < editor.rows().count(); ++i) texts << editor.rows().cell(i, label_col::text);
    return texts;
  }
  void select(std::vector<int> rows) {
    for (int r : rows) editor.display().setSelected(r, true);
  }
};

// --- The clock ----------------------------------------------------------------------

TEST(FrameClockText, TruncatesFramesToWholeSecondsAndWrapsHours) {
  const struct {
    long long frames;
    const char* text;
  } cases[] = {{0, "00:00"},    {24, "00:00"},    {-24, "00:00"},   {25, "00:01"},
               {75, "00:03"},   {1530, "01:01"},  {1499, "00:59"},  {90000, "60:00"},
               {91500, "01:00"}, {250 * 60, "10:00"}};
  for (const auto& c : cases) EXPECT_EQ(FrameClockText(c.frames), c.text) << c.frames;
}

// --- The chooser and the motion table ------------------------------------------------

TEST(EffectChooser, EntriesOneToSevenTakeMotionRowsByPosition) {
  const Table motions = BuildMotionTable(kW, kH);
  ASSERT_EQ(motions.count(), 7);
  ASSERT_EQ(EffectChooserCaptions().size(), kEffectEntryCount);
  const struct {
    int entry;
    QLatin1String decoration;
    const char* x;
    const char* y;
  } cases[] = {
      {1, motion::zuoshangxiangyouxia, "0", "0"},
      {2, motion::congzuoxiangyou, "0", "256"},    // half the width as the top
      {3, motion::congshangxiangxia, "144", "0"},  // half the height as the left
      {4, motion::congyouxiangzuo, "0", "256"},
      {5, motion::zuoxiadaoyoushang, "0", "0"},
      {6, motion::youshangdaozuoxia, "0", "0"},
      {7, motion::youxiadaozuoshang, "0", "0"},
  };
  for (const auto& c : cases) {
    const MotionChoice m = MotionForEntry(motions, c.entry, kW, kH);
    EXPECT_EQ(m.decoration, c.decoration) << c.entry;
    EXPECT_EQ(m.x, c.x) << c.entry;
    EXPECT_EQ(m.y, c.y) << c.entry;
  }
}

TEST(EffectChooser, LaterEntriesFollowTheirCaptionsPath) {
  const Table motions = BuildMotionTable(kW, kH);
  const struct {
    int entry;
    QLatin1String decoration;
    int x;
    int y;
  } cases[] = {
      {8, motion::zuoshangxiangyouxia, 0, 0},    {11, motion::congshangxiangxia, kW / 2, 0},
      {13, motion::congshangxiangxia, kW / 3, 0}, {15, motion::congshangxiangxia, kW * 2 / 3, 0},
      {19, motion::congzuoxiangyou, 0, kH / 3},   {22, motion::congyouxiangzuo, 0, kH * 2 / 3},
      {23, motion::congzuoxiangyou, 0, kH / 2},   {24, motion::congyouxiangzuo, 0, kH / 2},
      {27, motion::youshangdaozuoxia, 0, 0},      {30, motion::congyouxiangzuo, 0, kH / 2},
  };
  for (const auto& c : cases) {
    const MotionChoice m = MotionForEntry(motions, c.entry, kW, kH);
    EXPECT_EQ(m.decoration, c.decoration) << c.entry;
    EXPECT_EQ(m.x.toInt(), c.x) << c.entry;
    EXPECT_EQ(m.y.toInt(), c.y) << c.entry;
  }
  EXPECT_THROW(MotionForEntry(motions, 31, kW, kH), Error);
  EXPECT_THROW(MotionForEntry(motions, 0, kW, kH), Error);
}

TEST(EffectChooser, TimeAndSizeEntries) {
  EXPECT_EQ(MinuteEntries().size(), 60);
  EXPECT_EQ(MinuteEntries().front(), QStringLiteral("00  分"));
  EXPECT_EQ(SecondEntries().back(), QStringLiteral("59  秒"));
  EXPECT_EQ(FontSizeEntries().front(), "10");
  EXPECT_EQ(FontSizeEntries().back(), "40");
  EXPECT_EQ(FontSizeEntries().size(), 31);
}

// --- Adding --------------------------------------------------------------------------

TEST(AddTextEffect, EachMissingChoiceIsRefusedWithItsMessage) {
  const struct {
    std::function<void(TextEffectForm&)> spoil;
    const char* message;
  } cases[] = {
      {[](TextEffectForm& f) { f.text.clear(); }, "没有输入文字内容！"},
      {[](TextEffectForm& f) { f.minuteEntry.clear(); }, "(文字出现时间)不能为空！"},
      {[](TextEffectForm& f) { f.secondEntry.clear(); }, "(文字出现时间)不能为空！"},
      {[](TextEffectForm& f) { f.effectEntry = 0; }, "(文字特效)不能为空！"},
      {[](TextEffectForm& f) { f.fontName.clear(); }, "(文字字体)不能为空！"},
      {[](TextEffectForm& f) { f.fontSize.clear(); }, "(文字大小)不能为空！"},
      // The first failing check wins.
      {[](TextEffectForm& f) { f.text.clear(); f.fontSize.clear(); }, "没有输入文字内容！"},
  };
  for (const auto& c : cases) {
    Fixture fx;
    fx.addTexts({"已有"});
    TextEffectForm f = validForm();
    c.spoil(f);
    const auto refused = fx.editor.add(f);
    ASSERT_TRUE(refused.has_value()) << c.message;
    EXPECT_EQ(*refused, QString::fromUtf8(c.message));
    EXPECT_EQ(fx.editor.rows().count(), 1);
    EXPECT_EQ(fx.editor.display().count(), 1);
  }
}

TEST(AddTextEffect, StoresTheRowWithUnsetEndAndStyles) {
  Fixture fx;
  TextEffectForm f = validForm();
  f.effectEntry = 2;
  ASSERT_FALSE(fx.editor.add(f).has_value());
  const QStringList row = fx.editor.rows().row(0);
  const QStringList expected = {"生日快乐", "01:05", "暂无", "tingzhi", "congzuoxiangyou", "0",
                                "256", "从左下到右下", "clWhite", "黑体", "10", "0", "0", "0",
                                "16777215"};
  EXPECT_EQ(row, expected);
  const QStringList shown = {"生日快乐", "01:05", "从左下到右下", "clWhite", "黑体", "10",
                             "无", "无", "无", "16777215"};
  EXPECT_EQ(fx.editor.display().row(0), shown);
}

TEST(AddTextEffect, TheWindowsDefaultsAddAWhiteCaptionAtTheStart) {
  Fixture fx;
  ASSERT_FALSE(fx.editor.add(DefaultTextEffectForm()).has_value());
  EXPECT_EQ(fx.editor.rows().row(0),
            (QStringList{"此处输入文字", "00:00", "暂无", "tingzhi", "zuoshangxiangyouxia", "0",
                         "0", "从左上向右下", "clWhite", "黑体", "10", "0", "0", "0",
                         "16777215"}));
}

TEST(AddTextEffect, CheckedStylesStoreTheirWords) {
  Fixture fx;
  TextEffectForm f = validForm();
  f.bold = f.italic = f.underline = true;
  ASSERT_FALSE(fx.editor.add(f).has_value());
  EXPECT_EQ(fx.editor.rows().cell(0, label_col::bold), "cuti");
  EXPECT_EQ(fx.editor.rows().cell(0, label_col::italic), "xieti");
  EXPECT_EQ(fx.editor.rows().cell(0, label_col::underline), "xiahuaxian");
  EXPECT_EQ(fx.editor.display().cell(0, 6), "粗体");
  EXPECT_EQ(fx.editor.display().cell(0, 7), "斜体");
  EXPECT_EQ(fx.editor.display().cell(0, 8), "下划线");
}

// --- Deleting and handing over ---------------------------------------------------------

TEST(EditTextEffects, DeleteNeedsASelectionAndRemovesEverySelectedRow) {
  Fixture fx;
  fx.addTexts({"a", "b", "c", "d"});
  EXPECT_EQ(fx.editor.removeSelected().value_or(""), QStringLiteral("没有选中已添加的特效！"));
  fx.select({1, 3});
  EXPECT_FALSE(fx.editor.removeSelected().has_value());
  EXPECT_EQ(fx.order(), QStringList({"a", "c"}));
  EXPECT_EQ(fx.editor.display().count(), 2);
  fx.editor.removeAll();
  EXPECT_TRUE(fx.editor.rows().empty());
  EXPECT_TRUE(fx.editor.display().empty());
}

TEST(EditTextEffects, ClosingReplacesTheProjectRowsAndReopeningKeepsThem) {
  Fixture fx;
  fx.project.ListView_Label.append({"old"});
  fx.addTexts({"a", "b"});
  fx.editor.close(fx.project);
  ASSERT_EQ(fx.project.ListView_Label.count(), 2);
  EXPECT_EQ(fx.project.ListView_Label.cell(1, label_col::text), "b");
  fx.editor.open(kW, kH);
  EXPECT_EQ(fx.order(), QStringList({"a", "b"}));
}

// --- Drag reordering -----------------------------------------------------------------

TEST(DropDraggedRows, MovesTheBlockByTheInsertionRule) {
  const struct {
    const char* name;
    std::vector<int> selected;
    int s;
    int d;
    QStringList expected;
  } cases[] = {
      {"drop on the pressed row", {1}, 1, 1, {"a", "b", "c", "d", "e"}},
      {"drop below the last row", {0, 1}, 0, 9, {"c", "d", "e", "a", "b"}},
      {"downward single row", {0}, 0, 3, {"b", "c", "a", "d", "e"}},
      {"downward block", {1, 2}, 1, 4, {"a", "d", "b", "c", "e"}},
      {"upward single row", {3}, 3, 1, {"a", "d", "b", "c", "e"}},
      {"upward block", {3, 4}, 3, 0, {"d", "e", "a", "b", "c"}},
      {"drop on the last row", {0}, 0, 4, {"b", "c", "d", "a", "e"}},
      // Selection above the pressed row pushes d − n below zero: the block goes first.
      {"block larger than the distance", {0, 1, 2}, 2, 1, {"d", "a", "b", "c", "e"}},
      {"upward past the block start", {0, 1, 2}, 2, 1, {"d", "a", "b", "c", "e"}},
  };
  for (const auto& c : cases) {
    Project project;
    Table rows = project.ListView_Label;
    Table scratch = project.ListView_Label;
    for (const char* t : {"a", "b", "c", "d", "e"}) rows.append({t});
    DropDraggedRows(rows, scratch, c.selected, c.s, c.d);
    QStringList got;
    for (int i = 0; i < rows.count(); ++i) got << rows.cell(i, 0);
    EXPECT_EQ(got, c.expected) << c.name;
    EXPECT_TRUE(scratch.empty()) << c.name;
  }
}

int rowY(int row) { return kListHeaderHeight + row * kDragRowHeight + 5; }

TEST(DragTextEffects, DroppingOnTheStartRowKeepsTheOrder) {
  Fixture fx;
  fx.addTexts({"a", "b", "c"});
  fx.select({1});
  fx.editor.pressMouse(rowY(1));
  EXPECT_EQ(fx.editor.Edit_tuodong_kaiguan, "anxia");
  fx.editor.moveMouse(20, rowY(1), 400, 200);
  EXPECT_TRUE(fx.editor.ghostVisible());
  fx.editor.releaseMouse(rowY(1));
  EXPECT_EQ(fx.order(), QStringList({"a", "b", "c"}));
  EXPECT_FALSE(fx.editor.ghostVisible());
  EXPECT_EQ(fx.editor.Edit_tuodong_kaiguan, "songkai");
}

TEST(DragTextEffects, DroppingBelowTheLastRowMovesTheRowsToTheEndInOrder) {
  Fixture fx;
  fx.addTexts({"a", "b", "c", "d"});
  fx.select({0, 2});
  fx.editor.pressMouse(rowY(0));
  EXPECT_EQ(fx.editor.ghost().count(), 2);
  fx.editor.moveMouse(20, rowY(6), 400, 200);
  EXPECT_EQ(fx.editor.ghostGeometry().topLeft(), QPoint(10, rowY(6) + 2));
  EXPECT_EQ(fx.editor.ghostGeometry().height(), 2 * 17);
  fx.editor.releaseMouse(rowY(6));
  EXPECT_EQ(fx.order(), QStringList({"b", "d", "a", "c"}));
  EXPECT_EQ(fx.editor.display().cell(3, 0), "c");
}

TEST(DragTextEffects, LeavingTheListOrSelectingEveryRowDropsNothing) {
  Fixture fx;
  fx.addTexts({"a", "b", "c"});
  fx.select({0});
  fx.editor.pressMouse(rowY(0));
  fx.editor.moveMouse(20, rowY(2), 400, 200);
  fx.editor.moveMouse(-5, rowY(2), 400, 200);  // left the list
  fx.editor.releaseMouse(rowY(2));
  EXPECT_EQ(fx.order(), QStringList({"a", "b", "c"}));

  fx.select({0, 1, 2});
  fx.editor.pressMouse(rowY(0));
  fx.editor.moveMouse(20, rowY(2), 400, 200);
  fx.editor.releaseMouse(rowY(2));
  EXPECT_EQ(fx.order(), QStringList({"a", "b", "c"}));
}

// --- The motion step -----------------------------------------------------------------

TEST(TextMotion, StartsAtItsStartPositionAndMovesInTheSameTick) {
  const MotionField field{1920, 1080, 3};
  const int w = 200, h = 40;
  const struct {
    QLatin1String decoration;
    int x, y;
    QPoint afterFirst;
    QPoint perTick;
  } cases[] = {
      {motion::zuoshangxiangyouxia, 0, 0, {-w + 3, -h + 2}, {3, 2}},
      {motion::congzuoxiangyou, 0, 500, {-w + 3, 500}, {3, 0}},
      {motion::congshangxiangxia, 700, 0, {700, -h + 3}, {0, 3}},
      {motion::congyouxiangzuo, 0, 500, {1917, 500}, {-3, 0}},
      {motion::zuoxiadaoyoushang, 0, 0, {-w + 3, 1077}, {3, -3}},
      {motion::youshangdaozuoxia, 0, 0, {1917, -h + 3}, {-3, 3}},
      {motion::youxiadaozuoshang, 0, 0, {1917, 1077}, {-3, -3}},
  };
  for (const auto& c : cases) {
    Project p;
    Table& t = p.ListView_Label;
    t.append({"t", "00:03", "暂无", "tingzhi", c.decoration, QString::number(c.x),
              QString::number(c.y)});
    MovingLabel label{0, 0, w, h, false};
    StepTextMotion(t, 0, "00:02", field, label);
    EXPECT_FALSE(label.visible) << c.decoration.data();
    EXPECT_EQ(t.cell(0, label_col::state), "tingzhi");
    StepTextMotion(t, 0, "00:03", field, label);
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(t.cell(0, label_col::state), "qidong");
    EXPECT_EQ(QPoint(label.left, label.top), c.afterFirst) << c.decoration.data();
    StepTextMotion(t, 0, "00:03", field, label);  // running rows ignore the clock
    EXPECT_EQ(QPoint(label.left, label.top), c.afterFirst + c.perTick) << c.decoration.data();
  }
}

TEST(TextMotion, StopsOncePastTheRightOrBottomOrEntirelyOffTheTopOrLeft) {
  const MotionField field{100, 60, 3};
  const int w = 30, h = 10;
  const struct {
    QLatin1String decoration;
    int ticksToStop;  // the tick in which the state returns to "tingzhi"
  } cases[] = {
      {motion::congzuoxiangyou, (100 + w) / 3 + 1},  // left > 100 after the move
      {motion::congshangxiangxia, (60 + h) / 3 + 1},
      {motion::zuoshangxiangyouxia, 36},             // top passes 60 at 2 px per tick
      {motion::zuoxiadaoyoushang, (100 + w) / 3 + 1},
      {motion::youshangdaozuoxia, (60 + h) / 3 + 1},
      {motion::congyouxiangzuo, (100 + w) / 3 + 1},  // left + w < 0
      {motion::youxiadaozuoshang, (60 + h) / 3 + 1}, // top + h < 0
  };
  for (const auto& c : cases) {
    Project p;
    Table& t = p.ListView_Label;
    t.append({"t", "00:00", "暂无", "tingzhi", c.decoration, "0", "0"});
    MovingLabel label{0, 0, w, h, false};
    int ticks = 0;
    // A clock past the start time, so a stopped text does not start again.
    StepTextMotion(t, 0, "00:00", field, label);
    ++ticks;
    while (t.cell(0, label_col::state) == word::qidong && ticks < 1000) {
      StepTextMotion(t, 0, "00:09", field, label);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.ticksToStop) << c.decoration.data();
    const MovingLabel stopped = label;
    StepTextMotion(t, 0, "00:09", field, label);
    EXPECT_EQ(label.left, stopped.left) << "a stopped text stays where it is";
  }
}

TEST(TextMotion, AStoppedTextStartsAgainWhileTheClockShowsItsStartTime) {
  Project p;
  Table& t = p.ListView_Label;
  t.append({"t", "00:00", "暂无", "tingzhi", motion::congzuoxiangyou, "0", "0"});
  MovingLabel label{0, 0, 3, 3, false};
  const MotionField field{6, 6, 3};
  for (int i = 0; i < 4; ++i) StepTextMotion(t, 0, "00:00", field, label);
  // Starts at -3 and moves to 0, then 3, 6 and 9: past the right edge in the 4th tick.
  EXPECT_EQ(t.cell(0, label_col::state), "tingzhi");
  StepTextMotion(t, 0, "00:00", field, label);
  EXPECT_EQ(t.cell(0, label_col::state), "qidong");
  EXPECT_EQ(label.left, 0);
}

// --- The preview -------------------------------------------------------------------

TEST(TextEffectPreview, RefusesWithoutRowsOrSelection) {
  Fixture fx;
  EXPECT_EQ(fx.editor.startAllPreview({}).value_or(""), QStringLiteral("没有添加文字特效!"));
  EXPECT_EQ(fx.editor.startSinglePreview({}).value_or(""), QStringLiteral("没有添加文字特效!"));
  fx.addTexts({"a"});
  EXPECT_EQ(fx.editor.startSinglePreview({QSize(10, 10)}).value_or(""),
            QStringLiteral("没有选中已添加的特效！"));
  EXPECT_FALSE(fx.editor.preview().running());
}

TEST(TextEffectPreview, PreviewOfAllRowsMovesTextsAndEndsByItself) {
  Fixture fx;
  TextEffectForm f = validForm();
  f.minuteEntry = QStringLiteral("00  分");
  f.secondEntry = QStringLiteral("00  秒");
  f.effectEntry = 2;  // congzuoxiangyou at y = W/2
  ASSERT_FALSE(fx.editor.add(f).has_value());
  f.secondEntry = QStringLiteral("01  秒");
  f.effectEntry = 1;
  ASSERT_FALSE(fx.editor.add(f).has_value());

  const int w = 60;
  ASSERT_FALSE(fx.editor.startAllPreview({QSize(w, 20), QSize(w, 20)}).has_value());
  TextEffectPreview& preview = fx.editor.preview();
  EXPECT_EQ(preview.Edit_yulanfangshi, "quanbuyulan");
  EXPECT_EQ(preview.Edit_chuangjian, "chuangjian");

  ASSERT_TRUE(preview.tick());
  EXPECT_EQ(preview.Edit_shijian, "00:00");
  EXPECT_EQ(preview.labels()[0].left, -w + 3);
  EXPECT_EQ(preview.labels()[0].top, kW / 2);
  EXPECT_EQ(preview.Edit_jiance_zhuangtai_qidongleijia, "1");
  EXPECT_EQ(preview.Edit_jiance_zhuangtai, "1");
  ASSERT_TRUE(preview.tick());
  EXPECT_EQ(preview.labels()[0].left, -w + 6);

  int ticks = 2;
  while (preview.tick()) ++ticks;
  ++ticks;
  // The second text (00:01, tick 25) has dropped past the bottom by tick 179; the preview
  // waits for the first one to pass the right edge.
  EXPECT_EQ(ticks, (kW + w) / 3 + 1);
  EXPECT_EQ(preview.Edit_wenzi_num, "0");
  EXPECT_EQ(preview.Edit_shijian, "00:00");
  EXPECT_EQ(preview.Edit_chuangjian, "wu");
  EXPECT_TRUE(preview.labels().empty());
  for (int i = 0; i < fx.editor.rows().count(); ++i)
    EXPECT_EQ(fx.editor.rows().cell(i, label_col::state), "tingzhi");
}

TEST(TextEffectPreview, SinglePreviewMovesOnlyTheFocusedRow) {
  Fixture fx;
  fx.addTexts({"a", "b"});  // both start at 01:05
  for (int i = 0; i < 2; ++i) fx.editor.rows().setCell(i, label_col::start_time, "00:00");
  fx.select({1});
  fx.editor.display().setFocused(1);
  ASSERT_FALSE(fx.editor.startSinglePreview({QSize(10, 10), QSize(10, 10)}).has_value());
  EXPECT_EQ(fx.editor.preview().Edit_yulanfangshi, "dangeyulan");
  fx.editor.preview().tick();
  EXPECT_EQ(fx.editor.rows().cell(0, label_col::state), "tingzhi");
  EXPECT_EQ(fx.editor.rows().cell(1, label_col::state), "qidong");
  fx.editor.stopPreview();
  EXPECT_EQ(fx.editor.rows().cell(1, label_col::state), "tingzhi");
  EXPECT_FALSE(fx.editor.preview().running());
}

}  // namespace
}  // namespace solvane
