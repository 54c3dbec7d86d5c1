// The main window's fading tips, context menus, layouts, help text and installed pages.
#include <QCursor>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "model/project.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/main/tip_controller.h"
#include "ui/main/title_bar.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::PaneKind;
using ui::TipWindow;

class MainWindowTipsTest : public UiTest {
 protected:
  void hover(QWidget* control) {
    QCursor::setPos(control->mapToGlobal(control->rect().center()));
    const QPointF local = control->rect().center();
    QEnterEvent enter(local, local, control->mapToGlobal(local));
    QApplication::sendEvent(control, &enter);
  }
  static bool shown(const TipWindow* tip) { return tip->isVisible() && tip->windowOpacity() > 0.0; }
};

TEST_F(MainWindowTipsTest, ATipFadesInOnlyAfterTwoSecondsAndACommandTakesItAway) {
  window->show();
  QPushButton* music = window->command(QStringLiteral("添加音乐"));
  hover(music);
  TipWindow* tip = window->tips()->generalTip();
  QTest::qWait(1500);
  EXPECT_FALSE(tip->isVisible()) << "less than 2 s";
  QTest::qWait(500 + TipWindow::kFadeMs + 300);
  ASSERT_TRUE(shown(tip));
  EXPECT_EQ(tip->lines(), QStringList{QStringLiteral("支持多个音乐文件一起添加使用")});
  EXPECT_DOUBLE_EQ(tip->windowOpacity(), 1.0);

  // Inside the screen, rounded, orange.
  const QRect screen = window->screen()->geometry();
  EXPECT_TRUE(screen.contains(tip->frameGeometry())) << "tip at " << tip->x() << "," << tip->y();
  EXPECT_FALSE(tip->mask().contains(QPoint(0, 0))) << "rounded corner";
  EXPECT_EQ(tip->grab().toImage().pixelColor(tip->width() / 2, 2), QColor(0xFF, 0x80, 0x00));

  // The desktop's own tooltip stays away.
  QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), music->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(music, &help);
  EXPECT_FALSE(QToolTip::isVisible());

  QTest::mouseClick(window->paneSelector(PaneKind::Music), Qt::LeftButton);
  QTest::qWait(TipWindow::kFadeMs + 150);
  EXPECT_FALSE(tip->isVisible()) << "a command hides the tip at once";
  EXPECT_EQ(window->visiblePane(), PaneKind::Music);
}

TEST_F(MainWindowTipsTest, LeavingBeforeTwoSecondsShowsNoTip) {
  window->show();
  QPushButton* photos = window->command(QStringLiteral("添加相片"));
  hover(photos);
  QTest::qWait(800);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(photos, &leave);
  QTest::qWait(1600);
  EXPECT_FALSE(window->tips()->generalTip()->isVisible());
}

TEST_F(MainWindowTipsTest, APaneTipShowsItsFieldsAndGoesWhenThePointerLeavesTheCell) {
  window->show();
  QListView* view = window->pane(PaneKind::Photos)->iconView();
  const QRect cell(0, 0, 120, 120);
  QCursor::setPos(view->viewport()->mapToGlobal(QPoint(60, 60)));
  const QStringList fields = {"相片名称：a.jpg", "相片类型：JPG", "相片尺寸：640*480",
                              "横照竖照：横照相片", "相片序号：1"};
  window->showPaneTip(PaneKind::Photos, view->viewport(), cell, fields);
  TipWindow* tip = window->tips()->cellTip(ui::CellTip::Photo);
  QTest::qWait(2000 + TipWindow::kFadeMs + 300);
  ASSERT_TRUE(shown(tip));
  EXPECT_EQ(tip->lines(), fields);
  EXPECT_EQ(tip->windowTitle(), QStringLiteral("相片控件渐变提示信息"));
  QCursor::setPos(view->viewport()->mapToGlobal(QPoint(200, 60)));
  QTest::qWait(TipWindow::kFadeMs + 200);
  EXPECT_FALSE(tip->isVisible());
}

// --- Context menus -----------------------------------------------------------------

QStringList entries(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions())
    if (!a->isSeparator()) texts << a->text();
  return texts;
}

TEST_F(MainWindowTipsTest, EveryContextMenuEntryStandsInItsPlace) {
  const struct {
    PaneKind kind;
    QStringList order;
  } panes[] = {
      {PaneKind::Photos, {"删除相片", "全部删除", "相片剪裁", "图标格式", "列表格式", "预览效果"}},
      {PaneKind::Music, {"删除音乐", "全部删除", "手动绑定", "自动绑定", "手动解绑", "全部解绑",
                         "图标格式", "列表格式", "音乐预览"}},
      {PaneKind::Lyrics, {"删除歌词", "全部删除", "手动绑定", "自动绑定", "手动解绑", "全部解绑",
                          "图标格式", "列表格式", "歌词设置", "歌词预览"}},
  };
  for (const auto& p : panes) {
    const QStringList present = entries(window->pane(p.kind)->contextMenu());
    // Entries whose commands exist are there; "相片剪裁" has no operation and stays out.
    EXPECT_TRUE(present.contains(QStringLiteral("图标格式")));
    EXPECT_TRUE(present.contains(QStringLiteral("列表格式")));
    EXPECT_FALSE(present.contains(QStringLiteral("相片剪裁")));
    int last = -1;
    for (const QString& e : present) {
      const int at = p.order.indexOf(e);
      EXPECT_GT(at, last) << e.toStdString() << " out of place in " << present.join(",").toStdString();
      last = at;
    }
  }
}

TEST_F(MainWindowTipsTest, MenuEntriesAddedLaterGoInTheirPlace) {
  ui::Pane* music = window->pane(PaneKind::Music);  // "音乐预览" is the window's already
  music->addMenuEntry(QStringLiteral("删除音乐"));
  music->addMenuEntry(QStringLiteral("自动绑定"));
  EXPECT_EQ(entries(music->contextMenu()),
            (QStringList{"删除音乐", "自动绑定", "图标格式", "列表格式", "音乐预览"}));
}

// --- Layouts -----------------------------------------------------------------------

TEST_F(MainWindowTipsTest, TheThreeLayoutsOnTwoScreens) {
  window->show();
  const struct {
    QRect screen;
    WindowLayout layout;
    QRect expected;
  } cases[] = {
      {{0, 0, 1366, 768}, WindowLayout::Start, {141, 45, 1083, 678}},
      {{0, 0, 1366, 768}, WindowLayout::Fitted, {50, 50, 1266, 668}},
      {{0, 0, 1366, 768}, WindowLayout::Full, {0, 0, 1366, 768}},
      {{0, 0, 1920, 1080}, WindowLayout::Start, {320, 180, 1280, 720}},
      {{0, 0, 1920, 1080}, WindowLayout::Fitted, {50, 50, 1820, 980}},
      {{0, 0, 1920, 1080}, WindowLayout::Full, {0, 0, 1920, 1080}},
  };
  for (const auto& c : cases) {
    window->applyLayout(c.layout, c.screen);
    QApplication::processEvents();
    EXPECT_EQ(window->geometry(), c.expected) << layoutWord(c.layout).toStdString() << " on "
                                              << c.screen.width() << "x" << c.screen.height();
    EXPECT_EQ(session->project.Edit_jiemian, layoutWord(c.layout));
  }
}

TEST_F(MainWindowTipsTest, ADoubleClickOnTheTitleSwitchesBetweenStartAndFullScreen) {
  window->show();
  window->applyLayout(WindowLayout::Fitted);
  QTest::mouseDClick(window->titleBar(), Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_EQ(session->project.Edit_jiemian, QStringLiteral("kaishibuju"));
  QTest::mouseDClick(window->titleBar(), Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_EQ(session->project.Edit_jiemian, QStringLiteral("quanpingbuju"));
  EXPECT_EQ(window->geometry(), window->screen()->geometry());
}

// --- The help text and the installed pages ------------------------------------------

TEST_F(MainWindowTipsTest, TheHelpTextScrollsUpAndStartsAgainBelow) {
  window->show();
  QLabel* help = window->summary()->helpText();
  window->summary()->refresh();
  const int top = help->y();
  window->summary()->refresh();
  EXPECT_EQ(help->y(), top - 1);
  for (int i = 0; i < 2000 && help->y() <= top; ++i) window->summary()->refresh();
  EXPECT_EQ(help->y(), 50) << "back at 50 pixels once scrolled out";
}

TEST_F(MainWindowTipsTest, TheUserGuideAndTheTemplatePageOpenFromTheInstalledFiles) {
  QTest::mouseClick(window->command(QStringLiteral("帮助文件")), Qt::LeftButton);
  QTest::mouseClick(window->command(QStringLiteral("网站模板")), Qt::LeftButton);
  ASSERT_EQ(openedPages.size(), 2) << questions.messages.join("\n").toStdString();
  EXPECT_TRUE(openedPages[0].toLocalFile().endsWith(QStringLiteral("help/guide.html")));
  EXPECT_TRUE(openedPages[1].toLocalFile().endsWith(QStringLiteral("help/templates.html")));
  for (const QUrl& page : openedPages) {
    QFile file(page.toLocalFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toString().toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    // Every picture the page shows is installed beside it.
    qsizetype at = 0;
    int pictures = 0;
    while ((at = html.indexOf(QStringLiteral("src=\""), at)) >= 0) {
      at += 5;
      const QString src = html.mid(at, html.indexOf('"', at) - at);
      EXPECT_TRUE(QFileInfo::exists(QFileInfo(page.toLocalFile()).dir().filePath(src))) << src.toStdString();
      ++pictures;
    }
    EXPECT_GT(pictures, 0);
  }
  EXPECT_TRUE(questions.messages.isEmpty());

  session->templatePage = QUrl(QStringLiteral("https://example.org/solvane/templates"));
  window->templatePageCommand();
  EXPECT_EQ(openedPages.last(), session->templatePage);
}

TEST_F(MainWindowTipsTest, AMissingPageIsReportedAndNothingOpens) {
  session->helpFolder = dir.qpath() + QStringLiteral("/nowhere");
  window->helpCommand();
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("guide.html")));
  EXPECT_TRUE(openedPages.isEmpty());
}

}  // namespace
}  // namespace solvane
