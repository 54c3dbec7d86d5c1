// The main window over a real project: panes follow their tables in both modes, the summary
// follows the settings, every close asks first.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "model/project.h"
#include "model/sentinels.h"
#include "photos/staging_paths.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/main/title_bar.h"
#include "ui/shared/table_model.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::PaneKind;

class MainWindowTest : public UiTest {};

TEST_F(MainWindowTest, AddedPhotographsAppearAsCellsAndListRowsInTableOrder) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red), photo("b.jpg", 480, 640, Qt::green),
             photo("c.jpg", 800, 800, Qt::blue)});
  const Project& p = session->project;
  ASSERT_EQ(p.ListView_daoruxiangpian.count(), 3);
  EXPECT_TRUE(questions.messages.isEmpty()) << questions.messages.join("\n").toStdString();

  ui::Pane* pane = window->pane(PaneKind::Photos);
  EXPECT_EQ(window->visiblePane(), PaneKind::Photos);
  EXPECT_FALSE(pane->showsList());
  ASSERT_EQ(pane->iconView()->model()->rowCount(), 3);
  // Cell i shows thumbnail file i + 1: the photograph of row i, at its own proportions.
  const QSize expected[] = {{158, 120}, {120, 158}, {158, 158}};
  for (int i = 0; i < 3; ++i) {
    const QPixmap cell = pane->iconView()->model()->index(i, 0).data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(cell.size(), expected[i]) << "cell " << i;
  }

  window->setListMode(PaneKind::Photos);
  EXPECT_TRUE(pane->showsList());
  EXPECT_EQ(p.Edit_tubiao_liebiao, word::liebiao);
  const QAbstractItemModel* rows = pane->listView()->model();
  ASSERT_EQ(rows->rowCount(), 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < rows->columnCount(); ++c)
      EXPECT_EQ(rows->index(r, c).data().toString(), p.suiListView_xiangpian_liebiao.cell(r, c));
  EXPECT_EQ(rows->headerData(1, Qt::Horizontal).toString(), QStringLiteral("文件名"));
  EXPECT_EQ(rows->index(1, 5).data().toString(), QStringLiteral("竖照片"));
}

TEST_F(MainWindowTest, ABatchWithABadFileNamesItAndImportsTheRest) {
  const QString bad = textFile("broken.jpg", "this is not a photograph");
  addPhotos({photo("a.jpg", 640, 480, Qt::red), bad});
  EXPECT_EQ(session->project.ListView_daoruxiangpian.count(), 1);
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("broken.jpg"))) << questions.messages[0].toStdString();
  EXPECT_EQ(window->pane(PaneKind::Photos)->iconView()->model()->rowCount(), 1);
}

TEST_F(MainWindowTest, TheChooserOpensWhereThePhotographsCameFromLastTime) {
  addPhotos({photo("first/a.jpg", 320, 240, Qt::red)});
  addPhotos({photo("second/b.jpg", 320, 240, Qt::green)});
  ASSERT_EQ(questions.fileQuestions.size(), 2u);
  EXPECT_EQ(questions.fileQuestions[0].filter, QStringLiteral("添加相片文件(JPG)|*.jpg;"));
  EXPECT_EQ(QDir(questions.fileQuestions[1].folder), QDir(dir.qpath() + "/photos/first"));
  EXPECT_EQ(session->project.ListView_daoruxiangpian.count(), 2);
}

TEST_F(MainWindowTest, ModeSwitchesFollowTheWindowWideModeAndPaneSelectors) {
  window->setListMode(PaneKind::Photos);
  window->paneSelector(PaneKind::Music)->click();
  // Another pane is shown as cells; the mode word stays until an icon command.
  EXPECT_EQ(window->visiblePane(), PaneKind::Music);
  EXPECT_FALSE(window->pane(PaneKind::Music)->showsList());
  EXPECT_EQ(session->project.Edit_tubiao_liebiao, word::liebiao);
  EXPECT_EQ(session->project.Edit_xiangpian_down_id, word::wu);
  window->pane(PaneKind::Music)->iconButton()->click();
  EXPECT_EQ(session->project.Edit_tubiao_liebiao, word::tubiao);

  // The context menu starts with the same two mode commands (the pane's commands follow).
  QStringList entries;
  QAction* listEntry = nullptr;
  for (QAction* a : window->pane(PaneKind::Lyrics)->contextMenu()->actions()) {
    entries << a->text();
    if (a->text() == QStringLiteral("列表格式")) listEntry = a;
  }
  EXPECT_TRUE(entries.contains(QStringLiteral("图标格式")));
  ASSERT_TRUE(listEntry);
  listEntry->trigger();
  EXPECT_TRUE(entries.contains(QStringLiteral("歌词预览")));
  EXPECT_EQ(window->visiblePane(), PaneKind::Lyrics);
  EXPECT_TRUE(window->pane(PaneKind::Lyrics)->showsList());
}

TEST_F(MainWindowTest, SummaryShowsTheProjectAndItsSettings) {
  window->summary()->refresh();
  EXPECT_EQ(window->summary()->lines(),
            (QStringList{"相片数量:0张", "音乐数量:0个", "歌词数量:0个", "文字特效:0个", "画面特效:0个",
                         "画面质量:高清画质", "电视制式:PAL制式", "相册长度:相片为准"}));
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  session->project.Edit_VCDSVCDDVD_zhishi = word::NTSC;
  QTest::qWait(120);  // the 50 ms refresh
  EXPECT_EQ(window->summary()->lines()[0], QStringLiteral("相片数量:1张"));
  EXPECT_EQ(window->summary()->lines()[6], QStringLiteral("电视制式:NTSC制式"));
}

TEST_F(MainWindowTest, PickingAListRowShowsItsThumbnailInTheViewer) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  window->setListMode(PaneKind::Photos);
  QTableView* list = window->pane(PaneKind::Photos)->listView();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 1)).center());
  EXPECT_EQ(window->summary()->viewerCaption()->text(), QStringLiteral("        相片缩略图预览"));
  EXPECT_EQ(window->summary()->viewerPicture()->pixmap().size(), QSize(158, 120));
}

TEST_F(MainWindowTest, AWindowManagerCloseAsksAndCancelKeepsEverything) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  const QString thumbnail = staging::thumbnailFile(session->workspace, 1);
  ASSERT_TRUE(QFileInfo::exists(thumbnail));

  questions.answerConfirm(false);
  window->close();  // what the window manager and Alt+F4 ask for
  QTest::qWait(20);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->exited());
  EXPECT_TRUE(QFileInfo::exists(thumbnail));
  EXPECT_EQ(questions.confirmations, QStringList{"退出本软件: 确定要退出本软件吗？"});

  questions.answerConfirm(true);
  window->titleBar()->closeMark()->click();
  EXPECT_TRUE(window->exited());
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(QFileInfo::exists(session->workspace.WorkPath("smxcwjj\\tp_wj\\")));
  EXPECT_FALSE(QFileInfo::exists(session->workspace.WorkPath("smxcwjj\\tp_wjj\\")));
  EXPECT_TRUE(QDir(libraryRoot() + "/smxcwjj/wj_0_or_2/wjj_02").exists());
}

}  // namespace
}  // namespace solvane
