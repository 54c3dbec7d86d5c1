// The photo pane's editing windows driven through the scripted questions: deleting in both
// modes, the three ways of replacing, dragging one cell onto another with real mouse events,
// the photo tip, and the single-photograph preview.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "photos/photo_editing.h"
#include "photos/staging_paths.h"
#include "render/photo_preview.h"
#include "ui/main/pane.h"
#include "ui/photos/delete_photo_windows.h"
#include "ui/photos/photo_edit_commands.h"
#include "ui/render/photo_preview_window.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::PaneKind;

QPushButton* buttonNamed(QWidget& window, const QString& caption) {
  for (QPushButton* b : window.findChildren<QPushButton*>())
    if (b->text() == caption) return b;
  ADD_FAILURE() << "no button " << caption.toStdString() << " in " << window.windowTitle().toStdString();
  return nullptr;
}

QStringList labelTexts(QWidget& window) {
  QStringList out;
  for (QLabel* l : window.findChildren<QLabel*>()) out << l->text();
  return out;
}

// A handler that presses the button with this caption and answers what the window chose.
test::ScriptedQuestions::WindowHandler press(const QString& caption,
                                             std::function<void(QDialog&)> check = {}) {
  return [caption, check](QDialog& window) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("删除相片"));
    if (check) check(window);
    if (QPushButton* b = buttonNamed(window, caption)) QTest::mouseClick(b, Qt::LeftButton);
    return window.result();
  };
}

class PhotoEditingWindows : public UiTest {
 protected:
  ui::Pane* pane() const { return window->pane(PaneKind::Photos); }
  QListView* cells() const { return pane()->iconView(); }
  const Table& photos() const { return session->project.ListView_daoruxiangpian; }
  QStringList names() const {
    QStringList out;
    for (int i = 0; i < photos().count(); ++i) out << photos().cell(i, photo_col::file_name);
    return out;
  }
  QPoint cellPoint(int row, QPoint inside = {20, 20}) const {
    return cells()->visualRect(cells()->model()->index(row, 0)).topLeft() + inside;
  }
  void pressCell(int row) { QTest::mouseClick(cells()->viewport(), Qt::LeftButton, {}, cellPoint(row)); }
  // The colour in the middle of cell i's picture.
  QColor cellColour(int row) const {
    const QPixmap p = cells()->model()->index(row, 0).data(Qt::DecorationRole).value<QPixmap>();
    return p.toImage().pixelColor(p.width() * 3 / 4, p.height() * 3 / 4);
  }
  void expectCells(const std::vector<QColor>& colours) const {
    ASSERT_EQ(cells()->model()->rowCount(), int(colours.size()));
    for (int i = 0; i < int(colours.size()); ++i)
      EXPECT_TRUE(std::abs(cellColour(i).hue() - colours[i].hue()) < 20 || cellColour(i) == colours[i])
          << "cell " << i << " shows " << cellColour(i).name().toStdString() << " not " << colours[i].name().toStdString();
  }
  void addThree() {
    addPhotos({photo("a.jpg", 640, 480, Qt::red), photo("b.jpg", 640, 480, Qt::green),
               photo("c.jpg", 640, 480, Qt::blue)});
  }
  // The test library has single-photograph templates only: rows 0 and 1 are joined into one
  // two-photograph instance, as a two-photograph template would have staged them.
  void shareFirstTwo() {
    Project& p = session->project;
    Table& t = p.ListView_daoruxiangpian;
    const QString second = staging::slotPicture(session->workspace, "2", "picture_1");
    QFile::copy(second, staging::slotPicture(session->workspace, "1", "picture_2"));
    QDir(staging::instanceFolder(session->workspace, "2")).removeRecursively();
    t.setCell(0, photo_col::template_photo_count, "2");
    t.setCell(1, photo_col::template_photo_count, "2");
    t.setCell(1, photo_col::template_folder, "1");
    t.setCell(1, photo_col::picture_name, "picture_2");
    compactInstances(p, session->workspace);
    window->reloadPanes();
  }
};

TEST_F(PhotoEditingWindows, ThePaneOffersTheEditingCommandsInTheMenuOrder) {
  QStringList menu;
  for (QAction* a : pane()->contextMenu()->actions()) menu << a->text();
  EXPECT_EQ(menu, (QStringList{"删除相片", "全部删除", "图标格式", "列表格式", "预览效果"}));
  ui::PhotoEditCommands* edits = window->photoEdits();
  EXPECT_EQ(edits->deleteButton()->text(), QStringLiteral("删除"));
  EXPECT_EQ(edits->deleteButton()->toolTip(), QStringLiteral("删除单个相片"));
  EXPECT_EQ(edits->deleteAllButton()->text(), QStringLiteral("全删"));
  EXPECT_EQ(edits->deleteAllButton()->toolTip(), QStringLiteral("删除全部相片"));
}

TEST_F(PhotoEditingWindows, DeletingThePressedCellAsksFirstAndTheCellsFollowTheRows) {
  addThree();
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  ASSERT_EQ(questions.messages, QStringList{"没有选中相片文件！"});

  pressCell(1);
  EXPECT_EQ(session->project.Edit_xiangpian_down_id, "1");
  questions.answerWindow(press("取消"));
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(photos().count(), 3);

  questions.answerWindow(press("确定删除", [](QDialog& w) {
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("确定删除此张相片吗？")));
  }));
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(names(), (QStringList{"a", "c"}));
  EXPECT_EQ(session->project.Edit_xiangpian_down_id, word::wu);
  expectCells({Qt::red, Qt::blue});
}

TEST_F(PhotoEditingWindows, ListModeDeletesEverySelectedRowFromTheMenu) {
  addThree();
  window->setListMode(PaneKind::Photos);
  QTableView* list = pane()->listView();
  list->selectRow(0);
  list->selectionModel()->select(list->model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  questions.answerWindow(press("确定删除"));
  pane()->contextMenu()->actions()[0]->trigger();
  EXPECT_EQ(names(), QStringList{"b"});
  EXPECT_EQ(list->model()->rowCount(), 1);
  window->setIconMode(PaneKind::Photos);
  expectCells({Qt::green});
}

TEST_F(PhotoEditingWindows, DeletingAllEmptiesThePaneAndTheNextImportStartsAgain) {
  addThree();
  questions.answerWindow(press("确定删除", [](QDialog& w) {
    EXPECT_TRUE(labelTexts(w).contains(QStringLiteral("确定删除全部相片吗？")));
  }));
  QTest::mouseClick(window->photoEdits()->deleteAllButton(), Qt::LeftButton);
  EXPECT_TRUE(photos().empty());
  EXPECT_EQ(cells()->model()->rowCount(), 0);
  addPhotos({photo("d.jpg", 320, 240, Qt::yellow)});
  EXPECT_EQ(photos().cell(0, photo_col::template_folder), "1");
  expectCells({Qt::yellow});
}

TEST_F(PhotoEditingWindows, RandomReplacementFillsTheSlotFromAnotherPhotograph) {
  addThree();
  shareFirstTwo();
  pressCell(0);
  questions.answerWindow(press("确定删除"));
  questions.answerWindow(press("确定删除", [](QDialog& w) {
    const QStringList texts = labelTexts(w);
    EXPECT_TRUE(texts.contains(QStringLiteral("点[确定删除]按钮，软件自动从已添加过的相片列表中随机选择")));
    EXPECT_TRUE(texts.contains(QStringLiteral("一张相片用来补充模板。")));
    EXPECT_NE(buttonNamed(w, QStringLiteral("手动为模板补充相片")), nullptr);
  }));
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(names(), (QStringList{"b", "c"}));
  EXPECT_EQ(questions.windowTitles, (QStringList{"删除相片", "删除相片"}));
  expectCells({Qt::green, Qt::blue});
}

TEST_F(PhotoEditingWindows, RandomReplacementWithNoOtherPhotographOfTheOrientationSaysSo) {
  addThree();
  shareFirstTwo();
  // A template mixing orientations: its portrait has no other portrait to stand in.
  session->project.ListView_daoruxiangpian.setCell(1, photo_col::orientation, word::shu_zhao);
  pressCell(1);
  questions.answerWindow(press("确定删除"));
  questions.answerWindow(press("确定删除"));
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(questions.messages, QStringList{noCandidateMessage(session->project, 1)});
  EXPECT_EQ(names(), (QStringList{"a", "b", "c"}));
}

TEST_F(PhotoEditingWindows, AChosenReplacementTakesTheSelectedCandidate) {
  addThree();
  shareFirstTwo();
  pressCell(1);
  questions.answerWindow(press("确定删除"));
  questions.answerWindow(press("手动为模板补充相片"));
  questions.answerWindow(press("从已添加的相片中选择一张用来补充模板", [](QDialog& w) {
    auto* list = w.findChild<QTableWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 2);  // a and c; never b itself
    EXPECT_EQ(list->item(0, 1)->text(), "a");
    EXPECT_EQ(list->item(1, 1)->text(), "c");
    list->selectRow(1);
  }));
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(names(), (QStringList{"a", "c"}));
  expectCells({Qt::red, Qt::blue});
}

TEST_F(PhotoEditingWindows, ANewFileReplacementIsCheckedUprightAndGetsItsOwnCell) {
  addThree();
  shareFirstTwo();
  pressCell(0);
  questions.answerWindow(press("确定删除"));
  questions.answerWindow(press("手动为模板补充相片"));
  questions.answerWindow(press("添加新相片用来补充"));
  questions.answerFiles({photo("tall.jpg", 300, 500, Qt::magenta)});
  questions.answerWindow(press("添加新相片用来补充"));  // asked again after the message
  questions.answerFiles({photo("wide.jpg", 500, 300, Qt::yellow)});
  QTest::mouseClick(window->photoEdits()->deleteButton(), Qt::LeftButton);
  EXPECT_EQ(questions.messages, QStringList{"添加的新相片不是横照片,请重新添加！"});
  EXPECT_EQ(names(), (QStringList{"b", "c", "wide"}));
  EXPECT_EQ(questions.fileQuestions.back().filter, QStringLiteral("添加相片文件(JPG)|*.jpg;"));
  expectCells({Qt::green, Qt::blue, Qt::yellow});
}

TEST_F(PhotoEditingWindows, ACellDroppedCloserThanFiftyPixelsToAnotherSwapsWithIt) {
  addThree();
  QWidget* viewport = cells()->viewport();
  const QPoint grip(20, 20);
  struct Case { int dx; bool swaps; };
  for (const Case& c : {Case{50, false}, Case{49, true}}) {
    const QStringList before = names();
    QTest::mousePress(viewport, Qt::LeftButton, {}, cellPoint(0, grip));
    QTest::mouseMove(viewport, cellPoint(1, grip) + QPoint(c.dx / 2, 3));
    auto* ghost = viewport->findChild<QLabel*>();
    ASSERT_NE(ghost, nullptr) << "the dragged cell follows the mouse";
    EXPECT_EQ(ghost->pos(), cellPoint(1, {}) + QPoint(c.dx / 2, 3));
    QTest::mouseMove(viewport, cellPoint(1, grip) + QPoint(c.dx, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellPoint(1, grip) + QPoint(c.dx, 0));
    if (c.swaps) {
      EXPECT_EQ(names(), (QStringList{before[1], before[0], before[2]})) << c.dx;
      EXPECT_EQ(session->project.Edit_xiangpian_down_id, "1");
    } else {
      EXPECT_EQ(names(), before) << c.dx;
    }
  }
  expectCells({Qt::green, Qt::red, Qt::blue});
  EXPECT_EQ(photos().cell(0, photo_col::template_folder), "1");
}

TEST_F(PhotoEditingWindows, ADragThatLeavesThePaneIsGivenUp) {
  addThree();
  QWidget* viewport = cells()->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, cellPoint(0));
  QTest::mouseMove(viewport, cellPoint(0) + QPoint(30, 0));
  ASSERT_NE(viewport->findChild<QLabel*>(), nullptr);
  QTest::mouseMove(viewport, QPoint(-10, 40));
  EXPECT_EQ(viewport->findChild<QLabel*>(), nullptr);
  EXPECT_EQ(session->project.Edit_tuodong_kaiguan, "songkai");
  QTest::mouseMove(viewport, cellPoint(1));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellPoint(1));
  EXPECT_EQ(names(), (QStringList{"a", "b", "c"}));
}

TEST_F(PhotoEditingWindows, HoveringACellShowsItsFiveFields) {
  addThree();
  // From another cell first: a move to where the pointer already is sends no event.
  QTest::mouseMove(cells()->viewport(), cellPoint(0, {5, 5}));
  QTest::mouseMove(cells()->viewport(), cellPoint(2));
  EXPECT_EQ(session->project.Edit_chakankongjian_shiyong_2, "Imagem_2");
  const QString tip = QToolTip::text();
  EXPECT_EQ(tip, photoDescription(session->project, 2).join("\n"));
  EXPECT_TRUE(tip.contains(QStringLiteral("相片序号：3"))) << tip.toStdString();
}

TEST_F(PhotoEditingWindows, PreviewPlaysTheInstanceThenTheClosingMovieInOrderUntilStopped) {
  addThree();
  pressCell(1);
  questions.answerWindow([&](QDialog& w) {
    auto& preview = dynamic_cast<ui::PhotoPreviewWindow&>(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("相片使用效果预览"));
    EXPECT_EQ(preview.information(), photoDescription(session->project, 1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return preview.shown().size() >= test::kTestTemplateFrames + 5; }, 15000));
    const auto shown = preview.shown();
    for (int i = 0; i < test::kTestTemplateFrames; ++i) {
      EXPECT_EQ(shown[i].movie, 0);
      EXPECT_EQ(shown[i].number, i);
    }
    for (std::size_t i = test::kTestTemplateFrames; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].movie, 1);
      EXPECT_EQ(shown[i].number, int(i) - test::kTestTemplateFrames + 1);
    }
    EXPECT_GE(shown.back().atMs - shown.front().atMs, 40 * (qint64(shown.size()) - 1) - 40)
        << "frames are paced at 25 a second";
    EXPECT_TRUE(QFile::exists(preview_path::instanceMovie(session->workspace, "2")));

    QTest::mouseClick(preview.stopButton(), Qt::LeftButton);
    EXPECT_FALSE(preview.playing());
    const std::size_t stoppedAt = preview.shown().size();
    QTest::qWait(200);
    EXPECT_EQ(preview.shown().size(), stoppedAt) << "no frame after 停止";

    QTest::mouseClick(preview.playButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !preview.shown().empty(); }, 5000));
    EXPECT_EQ(preview.shown().front().number, 0) << "播放 starts again from the instance";
    QTest::mouseClick(preview.backButton(), Qt::LeftButton);
    return w.result();
  });
  QTest::mouseDClick(cells()->viewport(), Qt::LeftButton, {}, cellPoint(1));
  EXPECT_EQ(questions.windowTitles, QStringList{"相片使用效果预览"});
  EXPECT_FALSE(QDir(session->workspace.WorkPath("smxcwjj\\wj_yl_xg_1\\")).exists());
}

TEST_F(PhotoEditingWindows, PreviewOfAMovieThatCannotPlayNamesItAndTheProgramGoesOn) {
  addThree();
  QFile movie(staging::instanceMovie(session->workspace, "1"));
  ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
  movie.write("not a movie");
  movie.close();
  window->setListMode(PaneKind::Photos);
  pane()->listView()->selectRow(0);
  questions.answerWindow([&](QDialog& w) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !questions.messages.isEmpty(); }, 10000));
    QTest::mouseClick(dynamic_cast<ui::PhotoPreviewWindow&>(w).backButton(), Qt::LeftButton);
    return w.result();
  });
  pane()->contextMenu()->actions().back()->trigger();  // "预览效果"
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains("wj_yl_xg_1.rar")) << questions.messages[0].toStdString();
  EXPECT_EQ(photos().count(), 3);
}

TEST_F(PhotoEditingWindows, PreviewWithoutPhotographsOrChoiceSaysSo) {
  window->photoEdits()->previewSelected();
  addThree();
  window->photoEdits()->previewSelected();
  EXPECT_EQ(questions.messages, (QStringList{"没有找到相片文件，不能预览效果！", "没有选中相片文件！"}));
}

}  // namespace
}  // namespace solvane
