// "文字特效" over a real project: the six checks of "添加特效", deleting, dragging rows by
// the insertion rule, both previews running at the album's frame rate, ending by
// themselves and stopping, and the rows going to the project when the window closes.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "ui/effects/text_effect_window.h"
#include "ui/main/summary_panel.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::TextEffectWindow;

class TextEffectWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    effects = std::make_unique<TextEffectWindow>(*session);
    effects->show();
  }
  void TearDown() override {
    effects.reset();
    UiTest::TearDown();
  }

  void click(const QString& caption) {
    QPushButton* b = effects->button(caption);
    ASSERT_NE(b, nullptr) << caption.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void add(const QString& text, int minute = 0, int second = 0, int entry = 2) {
    effects->textField()->setText(text);
    effects->minuteChooser()->setCurrentIndex(minute);
    effects->secondChooser()->setCurrentIndex(second);
    effects->effectChooser()->setCurrentIndex(entry - 1);
    click(QStringLiteral("添加特效"));
  }
  QStringList shownTexts() const {
    QStringList texts;
    const QAbstractItemModel* m = effects->list()->model();
    for (int r = 0; r < m->rowCount(); ++r) texts << m->index(r, 0).data().toString();
    return texts;
  }
  void selectRow(int row) { effects->list()->selectRow(row); }
  // A mouse event on the list's rows with the buttons held as given.
  void mouse(QEvent::Type type, int row, Qt::MouseButtons held, int extraY = 0) {
    QWidget* viewport = effects->list()->viewport();
    const QPointF at(40, row * 17 + 8 + extraY);
    QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
  }
  void drag(int from, int to) {
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(QEvent::MouseMove, from, Qt::LeftButton, 4);
    mouse(QEvent::MouseMove, to, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }

  std::unique_ptr<TextEffectWindow> effects;
};

TEST_F(TextEffectWindowTest, OpensWithTheChoosersOnTheirFirstEntriesAndTheSample) {
  EXPECT_EQ(effects->windowTitle(), QStringLiteral("文字特效"));
  EXPECT_EQ(effects->textField()->text(), QStringLiteral("此处输入文字"));
  EXPECT_EQ(effects->effectChooser()->count(), 30);
  EXPECT_EQ(effects->effectChooser()->currentText(), QStringLiteral("从左上向右下"));
  EXPECT_EQ(effects->minuteChooser()->currentText(), QStringLiteral("00  分"));
  EXPECT_EQ(effects->secondChooser()->count(), 60);
  EXPECT_EQ(effects->sizeChooser()->itemText(30), QStringLiteral("40"));
  EXPECT_EQ(effects->colourChooser()->currentText(), QStringLiteral("clWhite"));
  EXPECT_EQ(effects->fontChooser()->currentText(), QStringLiteral("黑体"));
  EXPECT_EQ(effects->list()->objectName(), QStringLiteral("suiListView_Label_2"));
  const QStringList headers = {"文字内容", "开始时间", "文字特效名称", "字体颜色", "字体名称",
                               "字体大小", "粗体字型", "斜体字型", "下划线字型"};
  for (int c = 0; c < headers.size(); ++c)
    EXPECT_EQ(effects->list()->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
  EXPECT_TRUE(effects->list()->isColumnHidden(9));
}

TEST_F(TextEffectWindowTest, EachMissingChoiceIsRefusedWithItsMessage) {
  const struct {
    const char* what;
    std::function<void(TextEffectWindow&)> clear;
    const char* message;
  } cases[] = {
      {"text", [](TextEffectWindow& w) { w.textField()->clear(); }, "没有输入文字内容！"},
      {"minute", [](TextEffectWindow& w) { w.minuteChooser()->setCurrentIndex(-1); }, "(文字出现时间)不能为空！"},
      {"second", [](TextEffectWindow& w) { w.secondChooser()->setCurrentIndex(-1); }, "(文字出现时间)不能为空！"},
      {"effect", [](TextEffectWindow& w) { w.effectChooser()->setCurrentIndex(-1); }, "(文字特效)不能为空！"},
      {"font", [](TextEffectWindow& w) { w.fontChooser()->setCurrentIndex(-1); }, "(文字字体)不能为空！"},
      {"size", [](TextEffectWindow& w) { w.sizeChooser()->setCurrentIndex(-1); }, "(文字大小)不能为空！"},
  };
  for (const auto& c : cases) {
    effects->prepare();
    questions.messages.clear();
    c.clear(*effects);
    click(QStringLiteral("添加特效"));
    ASSERT_EQ(questions.messages, QStringList{QString::fromUtf8(c.message)}) << c.what;
    EXPECT_EQ(effects->list()->model()->rowCount(), 0) << c.what;
  }
}

TEST_F(TextEffectWindowTest, AddingShowsTheRowAndTheDefaultsButtonsResetTheChoosers) {
  effects->colourChooser()->setCurrentText(QStringLiteral("clRed"));
  effects->sizeChooser()->setCurrentText(QStringLiteral("24"));
  effects->boldBox()->setChecked(true);
  effects->underlineBox()->setChecked(true);
  add(QStringLiteral("生日快乐"), 1, 5, 2);
  EXPECT_TRUE(questions.messages.isEmpty());
  const QAbstractItemModel* m = effects->list()->model();
  ASSERT_EQ(m->rowCount(), 1);
  const QStringList expected = {"生日快乐", "01:05", "从左下到右下", "clRed", "黑体", "24",
                                "粗体", "无", "下划线"};
  for (int c = 0; c < expected.size(); ++c) EXPECT_EQ(m->index(0, c).data().toString(), expected[c]);
  // The caption runs on the 1920 × 1080 frame: "从左下到右下" keeps its top at half the width.
  EXPECT_EQ(effects->editor().rows().cell(0, label_col::y), QStringLiteral("960"));

  for (const char* name : {"默认特效", "默认颜色", "默认字体", "默认大小", "默认字型"})
    click(QString::fromUtf8(name));
  EXPECT_EQ(effects->effectChooser()->currentIndex(), 0);
  EXPECT_EQ(effects->colourChooser()->currentText(), QStringLiteral("clWhite"));
  EXPECT_EQ(effects->sizeChooser()->currentText(), QStringLiteral("10"));
  EXPECT_FALSE(effects->boldBox()->isChecked());
  EXPECT_FALSE(effects->underlineBox()->isChecked());
}

TEST_F(TextEffectWindowTest, DeletingNeedsASelectionAndDeleteAllEmptiesTheList) {
  add("一");
  add("二");
  add("三");
  click(QStringLiteral("删除特效"));
  EXPECT_EQ(questions.messages, QStringList{QStringLiteral("没有选中已添加的特效！")});
  selectRow(1);
  click(QStringLiteral("删除特效"));
  EXPECT_EQ(shownTexts(), (QStringList{"一", "三"}));
  EXPECT_EQ(effects->editor().rows().count(), 2);
  click(QStringLiteral("全部删除"));
  EXPECT_EQ(shownTexts(), QStringList{});
  EXPECT_TRUE(effects->editor().rows().empty());
}

TEST_F(TextEffectWindowTest, DraggingRowsMovesThemByTheInsertionRule) {
  for (const char* t : {"A", "B", "C", "D"}) add(t);
  selectRow(0);
  drag(0, 2);  // downward: in at d − n
  EXPECT_EQ(shownTexts(), (QStringList{"B", "A", "C", "D"}));
  EXPECT_FALSE(effects->ghost()->isVisible());
  selectRow(3);
  drag(3, 1);  // upward: in at d
  EXPECT_EQ(shownTexts(), (QStringList{"B", "D", "A", "C"}));
  selectRow(2);
  drag(2, 2);  // back on its own row
  EXPECT_EQ(shownTexts(), (QStringList{"B", "D", "A", "C"}));
  selectRow(0);
  drag(0, 9);  // below the last row: to the end
  EXPECT_EQ(shownTexts(), (QStringList{"D", "A", "C", "B"}));
  EXPECT_EQ(effects->editor().rows().cell(3, label_col::text), QStringLiteral("B"));
}

TEST_F(TextEffectWindowTest, TheGhostFollowsTheMouseWhileDragging) {
  for (const char* t : {"A", "B", "C"}) add(t);
  selectRow(0);
  mouse(QEvent::MouseButtonPress, 0, Qt::LeftButton);
  mouse(QEvent::MouseMove, 1, Qt::LeftButton);
  EXPECT_TRUE(effects->ghost()->isVisible());
  EXPECT_EQ(effects->ghost()->text(), QStringLiteral("A"));
  mouse(QEvent::MouseButtonRelease, 1, Qt::NoButton);
  EXPECT_FALSE(effects->ghost()->isVisible());
}

TEST_F(TextEffectWindowTest, PreviewsRefuseWithoutRowsOrSelection) {
  click(QStringLiteral("全部预览"));
  click(QStringLiteral("单个预览"));
  add("A");
  effects->list()->clearSelection();
  click(QStringLiteral("单个预览"));
  EXPECT_EQ(questions.messages, (QStringList{"没有添加文字特效!", "没有添加文字特效!", "没有选中已添加的特效！"}));
  EXPECT_FALSE(effects->previewing());
}

TEST_F(TextEffectWindowTest, ThePreviewOfAllRowsRunsAt25FramesASecondAndEndsByItself) {
  add("A");
  add("B", 0, 1);
  click(QStringLiteral("全部预览"));
  ASSERT_TRUE(effects->previewing());
  EXPECT_FALSE(effects->button(QStringLiteral("添加特效"))->isEnabled());
  EXPECT_FALSE(effects->textField()->isEnabled());
  EXPECT_TRUE(effects->button(QStringLiteral("停止预览"))->isEnabled());
  EXPECT_TRUE(effects->button(QStringLiteral("返     回"))->isEnabled());

  QTest::qWait(400);  // the clock's ten frames, give or take a busy machine
  const int frames = effects->editor().preview().Edit_wenzi_num.toInt();
  EXPECT_GE(frames, 5);
  EXPECT_LE(frames, 12);
  ASSERT_EQ(effects->stage().labelCount(), 2);
  EXPECT_TRUE(effects->stage().label(0).visible());
  EXPECT_FALSE(effects->stage().label(1).visible()) << "B starts at 00:01";

  effects->runDueFrames(2000);  // far past both captions leaving the frame
  EXPECT_FALSE(effects->previewing()) << "ended by itself";
  EXPECT_TRUE(effects->button(QStringLiteral("添加特效"))->isEnabled());
  EXPECT_EQ(effects->editor().rows().cell(1, label_col::state), word::tingzhi);
}

TEST_F(TextEffectWindowTest, TheSinglePreviewMovesOnlyTheSelectedRowAndStopResetsIt) {
  add("A");
  add("B");
  selectRow(1);
  click(QStringLiteral("单个预览"));
  ASSERT_TRUE(effects->previewing());
  effects->runDueFrames(10);
  EXPECT_FALSE(effects->stage().label(0).visible());
  EXPECT_TRUE(effects->stage().label(1).visible());
  EXPECT_EQ(effects->editor().rows().cell(1, label_col::state), word::qidong);
  click(QStringLiteral("停止预览"));
  EXPECT_FALSE(effects->previewing());
  EXPECT_EQ(effects->editor().rows().cell(1, label_col::state), word::tingzhi);
  EXPECT_EQ(effects->editor().preview().Edit_shijian, QStringLiteral("00:00"));
  EXPECT_TRUE(effects->textField()->isEnabled());
}

class TextEffectCommandTest : public UiTest {};

TEST_F(TextEffectCommandTest, ClosingTheWindowWritesItsRowsToTheProjectAndReopeningShowsThem) {
  questions.answerWindow([](QDialog& dialog) {
    auto& w = static_cast<TextEffectWindow&>(dialog);
    w.textField()->setText(QStringLiteral("生日快乐"));
    QTest::mouseClick(w.button(QStringLiteral("添加特效")), Qt::LeftButton);
    w.textField()->setText(QStringLiteral("万事如意"));
    w.secondChooser()->setCurrentIndex(3);
    QTest::mouseClick(w.button(QStringLiteral("添加特效")), Qt::LeftButton);
    QTest::mouseClick(w.button(QStringLiteral("全部预览")), Qt::LeftButton);
    QTest::mouseClick(w.button(QStringLiteral("返     回")), Qt::LeftButton);
    EXPECT_FALSE(w.previewing()) << "closing stops the preview";
    return w.result();
  });
  QTest::mouseClick(window->command(QStringLiteral("文字特效")), Qt::LeftButton);
  const Table& rows = session->project.ListView_Label;
  ASSERT_EQ(rows.count(), 2);
  EXPECT_EQ(rows.cell(0, label_col::text), QStringLiteral("生日快乐"));
  EXPECT_EQ(rows.cell(1, label_col::start_time), QStringLiteral("00:03"));
  EXPECT_EQ(rows.cell(1, label_col::state), word::tingzhi);
  EXPECT_TRUE(window->summary()->lines().join("|").contains(QStringLiteral("文字特效:2")))
      << window->summary()->lines().join("|").toStdString();

  int shown = -1;
  questions.answerWindow([&shown](QDialog& dialog) {
    auto& w = static_cast<TextEffectWindow&>(dialog);
    shown = w.list()->model()->rowCount();
    w.reject();
    return w.result();
  });
  window->textEffectsCommand();
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(session->project.ListView_Label.count(), 2);
  EXPECT_TRUE(questions.allAnswered());
}

}  // namespace
}  // namespace solvane
