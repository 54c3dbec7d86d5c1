// The music and lyric panes over real imported files: cells, tips, buttons and menus, the
// binding commands with their checks and windows, the delete windows and dragging a cell.
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "lyrics/media_import.h"
#include "lyrics/pane_tips.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "ui/lyrics/bind_choice_window.h"
#include "ui/lyrics/media_pane_commands.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/main/tip_controller.h"
#include "ui/shared/confirm_window.h"
#include "ui/shared/table_model.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::PaneKind;

class MediaPanesTest : public UiTest {
 protected:
  // Adds songs s1 … sN and lyrics l1 … lM through the two add commands.
  void addMedia(int songs, int lyrics) {
    if (songs > 0) {
      QStringList files;
      for (int i = 1; i <= songs; ++i)
        files << song("s" + std::to_string(i) + ".mp3", 1.0);
      questions.answerFiles(files);
      window->addMusicCommand();
    }
    if (lyrics > 0) {
      QStringList files;
      for (int i = 1; i <= lyrics; ++i)
        files << textFile("l" + std::to_string(i) + ".lrc", "[00:00.50]line\r\n");
      questions.answerFiles(files);
      window->addLyricsCommand();
    }
    ASSERT_TRUE(questions.messages.isEmpty()) << questions.messages.join("\n").toStdString();
  }
  ui::Pane* pane(PaneKind kind) const { return window->pane(kind); }
  QPushButton* button(PaneKind kind, const QString& caption) const {
    for (QPushButton* b : pane(kind)->findChildren<QPushButton*>())
      if (b->text() == caption) return b;
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
  }
  // A left press and release on cell `row`, as a user picks it.
  void pressCell(PaneKind kind, int row) {
    window->showPane(kind);
    QListView* view = pane(kind)->iconView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
  }
  QString listCell(PaneKind kind, int row, int column) const {
    return pane(kind)->listView()->model()->index(row, column).data().toString();
  }
  QImage cellPicture(PaneKind kind, int row) const {
    return pane(kind)->iconView()->model()->index(row, 0).data(Qt::DecorationRole).value<QPixmap>().toImage();
  }
  // Records the window's title and question and presses one of its buttons.
  static test::ScriptedQuestions::WindowHandler answerConfirm(bool yes, QString* seen) {
    return [yes, seen](QDialog& w) {
      auto& confirm = dynamic_cast<ui::ConfirmWindow&>(w);
      if (seen)
        *seen = w.objectName() + "|" + w.windowTitle() + "|" +
                w.findChild<QLabel*>()->text() + "|" + confirm.okButton()->text();
      (yes ? confirm.okButton() : confirm.cancelButton())->click();
      return w.result();
    };
  }
  const Project& project() const { return session->project; }
};

TEST_F(MediaPanesTest, PanesShowCellsWithTipsAndListsWithTheirColumns) {
  addMedia(2, 1);
  ASSERT_EQ(pane(PaneKind::Lyrics)->iconView()->model()->rowCount(), 1);
  window->showPane(PaneKind::Music);
  QListView* cells = pane(PaneKind::Music)->iconView();
  ASSERT_EQ(cells->model()->rowCount(), 2);
  const QRect first = cells->visualRect(cells->model()->index(0, 0));
  const QRect second = cells->visualRect(cells->model()->index(1, 0));
  EXPECT_EQ(second.left() - first.left(), 170);  // 150-pixel cells, 20 apart
  EXPECT_EQ(cellPicture(PaneKind::Music, 1).size(), QSize(130, 115));
  // The pointer on a cell opens the pane's tip with the row's fields.
  QTest::mouseMove(cells->viewport(), second.center());
  const QStringList musicTip = window->tips()->cellTip(ui::CellTip::Music)->lines();
  EXPECT_EQ(musicTip, musicTipLines(project().ListView_daoru_yinyue, 1));
  EXPECT_TRUE(musicTip.contains(QStringLiteral("绑定歌词：无")));
  EXPECT_EQ(project().Edit_chakankongjian_shiyong_yinyue2, QStringLiteral("Imagemyinyue_1"));
  window->showPane(PaneKind::Lyrics);
  QListView* lyricCells = pane(PaneKind::Lyrics)->iconView();
  QTest::mouseMove(lyricCells->viewport(),
                   lyricCells->visualRect(lyricCells->model()->index(0, 0)).center());
  EXPECT_TRUE(window->tips()->cellTip(ui::CellTip::Lyric)->lines().contains(
      QStringLiteral("绑定音乐：s1")));

  window->setListMode(PaneKind::Music);
  EXPECT_EQ(pane(PaneKind::Music)->listView()->model()->headerData(5, Qt::Horizontal).toString(),
            QStringLiteral("绑定歌词"));
  EXPECT_EQ(listCell(PaneKind::Music, 0, 5), "l1");
  EXPECT_EQ(listCell(PaneKind::Music, 1, 5), QStringLiteral("未绑定歌词"));

  // A click on a list row shows its picture in the viewer.
  QTableView* list = pane(PaneKind::Music)->listView();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 1)).center());
  EXPECT_EQ(window->summary()->viewerCaption()->text(), QStringLiteral("        音乐缩略图预览"));
}

TEST_F(MediaPanesTest, ButtonsAndMenusFollowTheCommandMap) {
  const auto captions = [&](PaneKind kind) {
    QStringList out;
    for (QPushButton* b : pane(kind)->findChildren<QPushButton*>()) out << b->text() + "=" + b->toolTip();
    return out;
  };
  EXPECT_EQ(captions(PaneKind::Music),
            (QStringList{"图标=音乐缩略图", "列表=音乐列表", "删除=删除单个音乐", "全删=删除全部音乐",
                         "绑定=绑定歌词文件", "解绑=解除绑定的歌词文件", "全解绑=解除全部绑定的歌词文件",
                         "自动绑=自动绑定全部歌词文件", "音乐预览=预览音乐文件"}));
  EXPECT_EQ(captions(PaneKind::Lyrics).mid(2),
            (QStringList{"删除=删除单个歌词", "全删=删除全部歌词", "绑定=绑定音乐文件",
                         "解绑=解除绑定的音乐文件", "全解绑=解除全部绑定的音乐文件",
                         "自动绑=自动绑定全部音乐文件",
                         "歌词设置=对歌词进行设置,例如:歌词位置,大小,颜色,类型等等",
                         "歌词预览=预览歌词文件"}));
  const auto entries = [&](PaneKind kind) {
    QStringList out;
    for (QAction* a : pane(kind)->contextMenu()->actions()) out << a->text();
    return out;
  };
  EXPECT_EQ(entries(PaneKind::Music), (QStringList{"删除音乐", "全部删除", "手动绑定", "自动绑定",
                                                   "手动解绑", "全部解绑", "图标格式", "列表格式",
                                                   "音乐预览"}));
  EXPECT_EQ(entries(PaneKind::Lyrics),
            (QStringList{"删除歌词", "全部删除", "手动绑定", "自动绑定", "手动解绑", "全部解绑",
                         "图标格式", "列表格式", "歌词设置", "歌词预览"}));
}

// --- The checks of the binding commands -----------------------------------------------------

struct CheckCase {
  PaneKind pane;
  const char* button;
  int songs, lyrics;
  bool select;
  const char* message;  // the message shown, "" for none
  const char* window;   // the window opened, "" for none
};

class BindingCommandChecks : public MediaPanesTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(BindingCommandChecks, RefuseWithTheirMessageOrOpenTheirWindow) {
  const CheckCase& c = GetParam();
  addMedia(c.songs, c.lyrics);
  const Project before = project();
  window->showPane(c.pane);
  if (c.select) pressCell(c.pane, 0);
  if (*c.window)
    questions.answerWindow([](QDialog& w) {
      for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("取消")) b->click();
      return w.result();
    });
  button(c.pane, QString::fromUtf8(c.button))->click();
  EXPECT_EQ(questions.messages, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
  EXPECT_EQ(questions.windowTitles, *c.window ? QStringList{QString::fromUtf8(c.window)} : QStringList{});
  EXPECT_TRUE(questions.allAnswered());
  // Refused or cancelled, nothing changed.
  for (int m = 0; m < before.ListView_daoru_yinyue.count(); ++m)
    EXPECT_EQ(project().ListView_daoru_yinyue.row(m), before.ListView_daoru_yinyue.row(m));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BindingCommandChecks,
    testing::Values(
        CheckCase{PaneKind::Music, "绑定", 0, 1, false, "", ""},
        CheckCase{PaneKind::Music, "绑定", 1, 0, true, "没有找到歌词文件！", ""},
        CheckCase{PaneKind::Music, "绑定", 1, 1, false, "没有选中音乐文件！", ""},
        CheckCase{PaneKind::Music, "绑定", 1, 1, true, "", "绑定"},
        CheckCase{PaneKind::Lyrics, "绑定", 1, 0, false, "", ""},
        CheckCase{PaneKind::Lyrics, "绑定", 0, 1, true, "没有找到音乐文件！", ""},
        CheckCase{PaneKind::Lyrics, "绑定", 1, 1, false, "没有选中歌词文件！", ""},
        CheckCase{PaneKind::Lyrics, "绑定", 1, 1, true, "", "绑定"},
        CheckCase{PaneKind::Music, "解绑", 1, 0, true, "没有找到歌词文件！", ""},
        CheckCase{PaneKind::Music, "解绑", 1, 1, false, "没有选中音乐文件！", ""},
        CheckCase{PaneKind::Music, "解绑", 1, 1, true, "", "解除绑定"},
        CheckCase{PaneKind::Lyrics, "解绑", 0, 1, true, "没有找到音乐文件！", ""},
        CheckCase{PaneKind::Lyrics, "解绑", 1, 1, false, "没有选中歌词文件！", ""},
        CheckCase{PaneKind::Lyrics, "解绑", 1, 1, true, "", "解除绑定"},
        CheckCase{PaneKind::Music, "自动绑", 0, 1, false, "", ""},
        CheckCase{PaneKind::Music, "自动绑", 1, 0, false, "没有找到歌词文件！", ""},
        CheckCase{PaneKind::Music, "自动绑", 1, 1, false, "", "自动绑定"},
        CheckCase{PaneKind::Lyrics, "自动绑", 0, 1, false, "没有找到音乐文件！", ""},
        CheckCase{PaneKind::Lyrics, "自动绑", 1, 1, false, "", "自动绑定"},
        CheckCase{PaneKind::Music, "全解绑", 1, 0, false, "", ""},
        CheckCase{PaneKind::Lyrics, "全解绑", 0, 1, false, "", ""},
        CheckCase{PaneKind::Music, "全解绑", 1, 1, false, "", "全部解绑"},
        CheckCase{PaneKind::Lyrics, "全解绑", 1, 1, false, "", "全部解绑"}));

// --- The binding windows ----------------------------------------------------------------------

TEST_F(MediaPanesTest, TheChoiceWindowBindsTheSongToTheChosenLyric) {
  addMedia(2, 2);
  pressCell(PaneKind::Music, 0);
  questions.answerWindow([&](QDialog& w) {
    auto& choice = dynamic_cast<ui::BindChoiceWindow&>(w);
    EXPECT_EQ(w.property("Edit_bangding_leixing").toString(), "yinyue_bangding");
    const QAbstractItemModel* rows = choice.list()->model();
    EXPECT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->headerData(1, Qt::Horizontal).toString(), QStringLiteral("歌词文件名"));
    EXPECT_EQ(rows->index(1, 1).data().toString(), "l2");
    choice.okButton()->click();  // nothing chosen yet: a message, the window stays
    EXPECT_EQ(questions.messages, QStringList{QStringLiteral("没有选中歌词文件！")});
    EXPECT_EQ(w.result(), 0);
    QTest::mouseClick(choice.list()->viewport(), Qt::LeftButton, {},
                      choice.list()->visualRect(rows->index(1, 1)).center());
    choice.okButton()->click();
    return w.result();
  });
  button(PaneKind::Music, "绑定")->click();
  EXPECT_EQ(project().ListView_daoru_yinyue.cell(0, music_col::bound_lyric),
            project().ListView_daoru_LRC.cell(1, lyric_col::bound_music));
  window->setListMode(PaneKind::Lyrics);
  EXPECT_EQ(listCell(PaneKind::Lyrics, 1, 4), QStringLiteral("绑定2个音乐"));
  EXPECT_EQ(listCell(PaneKind::Lyrics, 0, 4), QStringLiteral("未绑定音乐"));  // lost its song
  window->setListMode(PaneKind::Music);
  EXPECT_EQ(listCell(PaneKind::Music, 0, 5), "l2");

  // Unbinding one of the two songs from the lyric pane's partner recounts the lyric at once.
  QString seen;
  questions.answerWindow(answerConfirm(true, &seen));
  QTableView* list = pane(PaneKind::Music)->listView();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 1)).center());
  button(PaneKind::Music, "解绑")->click();
  EXPECT_EQ(seen, QStringLiteral("绑定或解绑|解除绑定|确定解除绑定吗？|确定"));
  EXPECT_EQ(listCell(PaneKind::Music, 0, 5), QStringLiteral("未绑定音乐"));
  window->setListMode(PaneKind::Lyrics);
  EXPECT_EQ(listCell(PaneKind::Lyrics, 1, 4), "s2");
}

TEST_F(MediaPanesTest, AutomaticBindingCountsTheSongsLeftAndUnbindAllClearsBoth) {
  addMedia(3, 2);
  QString seen;
  questions.answerWindow(answerConfirm(true, &seen));
  button(PaneKind::Lyrics, "自动绑")->click();
  EXPECT_EQ(seen, QStringLiteral("绑定或解绑|自动绑定|自动绑定会先解绑所有的绑定,然后按顺序重新自动绑定。"
                                 "确定自动绑定吗？|确定"));
  EXPECT_EQ(questions.messages,
            QStringList{QStringLiteral("添加的歌词数量与添加的音乐数量不一致,还有 1 个音乐没有绑定")});
  window->setListMode(PaneKind::Music);
  EXPECT_EQ(listCell(PaneKind::Music, 1, 5), "l2");
  EXPECT_EQ(listCell(PaneKind::Music, 2, 5), QStringLiteral("未绑定音乐"));

  questions.answerWindow(answerConfirm(true, &seen));
  pane(PaneKind::Music)->contextMenu()->actions()[5]->trigger();  // "全部解绑"
  EXPECT_EQ(seen, QStringLiteral("绑定或解绑|全部解绑|确定全部解除绑定吗？|确定"));
  EXPECT_EQ(listCell(PaneKind::Music, 0, 5), QStringLiteral("未绑定音乐"));
  window->setListMode(PaneKind::Lyrics);
  EXPECT_EQ(listCell(PaneKind::Lyrics, 0, 4), QStringLiteral("未绑定歌词"));
  EXPECT_TRUE(questions.allAnswered());
}

// --- Deleting and dragging ----------------------------------------------------------------------

TEST_F(MediaPanesTest, DeleteWindowsAskThenRemoveTheRowAndItsCell) {
  addMedia(3, 2);
  const QImage third = cellPicture(PaneKind::Music, 2);
  pressCell(PaneKind::Music, 1);

  QString seen;
  questions.answerWindow(answerConfirm(false, &seen));  // "取消" keeps everything
  button(PaneKind::Music, "删除")->click();
  EXPECT_EQ(seen, QStringLiteral("删除音乐|删除音乐|确定删除这个音乐文件吗？|确定删除"));
  EXPECT_EQ(project().ListView_daoru_yinyue.count(), 3);

  questions.answerWindow(answerConfirm(true, nullptr));
  button(PaneKind::Music, "删除")->click();
  ASSERT_EQ(pane(PaneKind::Music)->iconView()->model()->rowCount(), 2);
  EXPECT_EQ(cellPicture(PaneKind::Music, 1), third);  // cell i shows row i
  EXPECT_EQ(window->summary()->viewerCaption()->text(), QStringLiteral("        缩略图预览"));
  EXPECT_EQ(project().Edit_xiangpian_down_id, word::wu);
  window->setListMode(PaneKind::Lyrics);
  EXPECT_EQ(listCell(PaneKind::Lyrics, 1, 4), QStringLiteral("未绑定音乐"));  // its lyric

  // With nothing pressed the pane says so; "全部删除" needs no selection.
  window->setIconMode(PaneKind::Lyrics);
  button(PaneKind::Lyrics, "删除")->click();
  EXPECT_EQ(questions.messages.last(), QStringLiteral("没有选中歌词文件！"));
  questions.answerWindow(answerConfirm(true, &seen));
  pane(PaneKind::Lyrics)->contextMenu()->actions()[1]->trigger();
  EXPECT_EQ(seen, QStringLiteral("删除歌词|删除歌词|确定删除全部歌词文件吗？|确定删除"));
  EXPECT_EQ(pane(PaneKind::Lyrics)->iconView()->model()->rowCount(), 0);
  window->setListMode(PaneKind::Music);
  EXPECT_EQ(listCell(PaneKind::Music, 0, 5), QStringLiteral("未绑定音乐"));

  // Deleting the songs one by one puts the album length back to the photographs.
  session->project.Edit_tongbu_shezhi = word::sui_yinyue_tongbu;
  window->setIconMode(PaneKind::Music);
  for (int left = 2; left > 0; --left) {
    pressCell(PaneKind::Music, 0);
    questions.answerWindow(answerConfirm(true, nullptr));
    button(PaneKind::Music, "删除")->click();
  }
  EXPECT_TRUE(project().ListView_daoru_yinyue.empty());
  EXPECT_EQ(project().Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_TRUE(questions.allAnswered());
}

TEST_F(MediaPanesTest, DraggingACellOntoAnotherSwapsTheirRows) {
  addMedia(3, 0);
  window->showPane(PaneKind::Music);
  window->resize(1200, 700);
  QListView* view = pane(PaneKind::Music)->iconView();
  const QImage first = cellPicture(PaneKind::Music, 0);
  const QImage third = cellPicture(PaneKind::Music, 2);
  const auto drag = [&](int from, QPoint by) {
    const QPoint start = view->visualRect(view->model()->index(from, 0)).center();
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(view->viewport(), start + by / 2);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + by);
  };
  drag(0, {30, 20});  // dropped near its own place: nothing moves
  EXPECT_EQ(project().ListView_daoru_yinyue.cell(0, music_col::file_name), "s1");

  drag(0, {2 * 170 + 12, 5});  // onto the third cell
  EXPECT_EQ(project().ListView_daoru_yinyue.cell(0, music_col::file_name), "s3");
  EXPECT_EQ(project().ListView_daoru_yinyue.cell(2, music_col::file_name), "s1");
  EXPECT_EQ(project().ListView_daoru_yinyue.cell(2, music_col::seq), "3");
  EXPECT_EQ(cellPicture(PaneKind::Music, 0), third);
  EXPECT_EQ(cellPicture(PaneKind::Music, 2), first);
  EXPECT_EQ(project().Edit_tuodong_huhuan_yes_id, "2");
}

}  // namespace
}  // namespace solvane
