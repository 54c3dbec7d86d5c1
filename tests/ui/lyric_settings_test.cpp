// "歌词设置" from the lyric pane: its controls start from the row, every change draws the
// sample again by the frame's placement rule, "默认" resets one group, "确定" writes the row
// and "取消" keeps it; and an album made afterwards draws each song's lyric where that rule
// puts it.
#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "lyrics/lyric_styles.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "support/media_fixtures.h"
#include "ui/lyrics/lyric_settings_window.h"
#include "ui/lyrics/media_pane_commands.h"
#include "ui/main/pane.h"
#include "ui/render/output_size_dialog.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::LyricSettingsWindow;
using ui::PaneKind;

const QString kSampleText = QStringLiteral("此处歌词内容");

class LyricSettingsTest : public UiTest {
 protected:
  void addLyrics(const QStringList& files) {
    questions.answerFiles(files);
    window->addLyricsCommand();
  }
  void pressLyric(int row) {
    window->setIconMode(PaneKind::Lyrics);
    QListView* view = window->pane(PaneKind::Lyrics)->iconView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, 0)).center());
  }
  // Opens "歌词设置" for the pressed lyric and hands the window to `act`, which closes it.
  void openSettings(std::function<void(LyricSettingsWindow&)> act) {
    questions.answerWindow([act](QDialog& w) {
      act(dynamic_cast<LyricSettingsWindow&>(w));
      return w.result();
    });
    window->mediaCommands()->lyricSettingsCommand();
  }
  static QRect frameBox(const LrcStyle& style, const QString& text) {
    return lrcLineLayout(style, text, QSize(1920, 1080)).box;
  }
  static void choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
  }
};

TEST_F(LyricSettingsTest, TheWindowStartsFromTheRowAndTheSampleFollowsEveryChange) {
  window->mediaCommands()->lyricSettingsCommand();  // no lyrics: nothing happens
  EXPECT_TRUE(questions.windowTitles.isEmpty());
  addLyrics({textFile("a.lrc", "[00:01.00]a\r\n")});
  window->mediaCommands()->lyricSettingsCommand();  // nothing pressed
  EXPECT_EQ(questions.messages, QStringList{QStringLiteral("没有选中歌词文件！")});

  pressLyric(0);
  openSettings([&](LyricSettingsWindow& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("歌词设置"));
    EXPECT_EQ(w.colours()->count(), 20);
    EXPECT_EQ(w.sizes()->count(), 31);
    EXPECT_EQ(w.sizes()->itemText(0), "10");
    EXPECT_EQ(w.sizes()->itemText(30), "40");
    EXPECT_EQ(w.colours()->currentText(), "clWhite");
    EXPECT_EQ(w.fonts()->currentText(), QStringLiteral("黑体"));
    EXPECT_EQ(w.sizes()->currentText(), "10");
    EXPECT_TRUE(w.bold()->isChecked());
    EXPECT_FALSE(w.italic()->isChecked());
    EXPECT_TRUE(w.hAlign(1)->isChecked());
    EXPECT_TRUE(w.vAlign(2)->isChecked());
    EXPECT_EQ(w.sample()->size(), QSize(513, 289));

    // The sample is the frame's line at 513 / 1920 of its size, by the same rule.
    const auto followsTheFrame = [&](const char* what) {
      SCOPED_TRACE(what);
      const QRect sample = w.sampleBox();
      EXPECT_EQ(sample, lrcLineLayout(w.style(), kSampleText, QSize(513, 289)).box);
      const QRect frame = frameBox(w.style(), kSampleText);
      EXPECT_NEAR(frame.center().x() / 1920.0, sample.center().x() / 513.0, 0.03);
      EXPECT_NEAR(frame.center().y() / 1080.0, sample.center().y() / 289.0, 0.05);
      return sample;
    };
    const QRect small = followsTheFrame("defaults");
    choose(w.sizes(), "40");
    const QRect large = followsTheFrame("size 40");
    EXPECT_GT(large.width(), 3 * small.width());
    EXPECT_LT(large.top(), small.top());  // bottom-aligned: a taller line starts higher
    w.hAlign(2)->click();
    const QRect right = followsTheFrame("right");
    EXPECT_EQ(right.right(), 513 - 10 - 1);
    w.vAlign(0)->click();
    EXPECT_EQ(followsTheFrame("top").top(), 10);
    w.vAlign(1)->click();
    followsTheFrame("middle");
    w.italic()->click();
    EXPECT_TRUE(w.style().italic);

    // Each "默认" resets its own group and the sample goes back with it.
    w.defaultButton(LyricSettingsWindow::Size)->click();
    EXPECT_EQ(w.sizes()->currentText(), "10");
    EXPECT_TRUE(w.hAlign(2)->isChecked()) << "the placement is another group";
    w.defaultButton(LyricSettingsWindow::HAlign)->click();
    w.defaultButton(LyricSettingsWindow::VAlign)->click();
    w.defaultButton(LyricSettingsWindow::FontStyle)->click();
    EXPECT_EQ(w.sampleBox(), small);
    EXPECT_FALSE(w.italic()->isChecked());

    choose(w.colours(), "clRed");
    w.cancelButton()->click();
  });
  EXPECT_EQ(session->project.ListView_daoru_LRC.cell(0, lyric_col::color_name), "clWhite");

  openSettings([&](LyricSettingsWindow& w) {
    choose(w.colours(), "clRed");
    choose(w.sizes(), "25");
    w.hAlign(0)->click();
    w.vAlign(0)->click();
    w.underline()->click();
    w.okButton()->click();
  });
  const Table& row = session->project.ListView_daoru_LRC;
  EXPECT_EQ(row.row(0).mid(lyric_col::color_name),
            (QStringList{"clRed", "255", "25", "黑体", "cuti", "wu", "xiahuaxian", "zuobian",
                         "shangmian"}));
  window->setListMode(PaneKind::Lyrics);
  const QAbstractItemModel* list = window->pane(PaneKind::Lyrics)->listView()->model();
  EXPECT_EQ(list->index(0, 5).data().toString(), "clRed");
  EXPECT_EQ(list->index(0, 8).data().toString(), QStringLiteral("[粗体][下划线]"));
  EXPECT_EQ(list->index(0, 9).data().toString(), QStringLiteral("歌词左边"));
  EXPECT_EQ(list->index(0, 10).data().toString(), QStringLiteral("歌词在上面"));
}

// Bright pixels of the frame inside `box`.
int brightIn(const QImage& frame, const QRect& box) {
  int bright = 0;
  const QRect inside = box.intersected(frame.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (qGray(frame.pixel(x, y)) > 200) ++bright;
  return bright;
}

// The smallest rectangle holding every bright pixel of `area`.
QRect inkIn(const QImage& frame, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(frame.pixel(x, y)) > 200) ink |= QRect(x, y, 1, 1);
  return ink;
}

TEST_F(LyricSettingsTest, AnAlbumDrawsEachSongsLyricWhereThePlacementRulePutsIt) {
  addPhotos({photo("a.jpg", 640, 480, QColor(20, 30, 60))});
  questions.answerFiles({song("one.mp3", 2.5), song("two.mp3", 2.5)});
  window->addMusicCommand();
  addLyrics({textFile("one.lrc", "[00:01.00]ONE\r\n"), textFile("two.lrc", "[00:01.00]TWO\r\n")});
  const Project& p = session->project;
  ASSERT_EQ(p.ListView_daoru_yinyue.cell(0, music_col::frames_needed), "50");
  ASSERT_EQ(p.ListView_daoru_yinyue.cell(1, music_col::bound_lyric),
            p.ListView_daoru_LRC.cell(1, lyric_col::bound_music));

  // The second lyric goes to the top left, larger, through the window.
  pressLyric(1);
  QRect sample;
  openSettings([&](LyricSettingsWindow& w) {
    choose(w.sizes(), "30");
    w.hAlign(0)->click();
    w.vAlign(0)->click();
    sample = w.sampleBox();
    w.okButton()->click();
  });
  const LrcStyle first = LrcStyle::fromRow(p.ListView_daoru_LRC, 0);
  const LrcStyle second = LrcStyle::fromRow(p.ListView_daoru_LRC, 1);
  const QRect bottom = frameBox(first, "ONE");
  const QRect topLeft = frameBox(second, "TWO");
  EXPECT_EQ(topLeft.topLeft(), QPoint(10, 10));
  EXPECT_EQ(sample.topLeft(), QPoint(10, 10));
  EXPECT_GT(bottom.top(), 940) << "below the photograph's box";

  questions.answerWindow([](QDialog& w) {
    dynamic_cast<ui::OutputSizeDialog&>(w).startButton()->click();
    return w.result();
  });
  questions.answerSaveName(dir.qpath() + "/two-songs");
  window->outputCommand(QStringLiteral("DVD"));
  // Frame 40 is 1.6 s into the first song, frame 90 1.6 s into the second (from frame 50).
  const test::MediaFacts facts = test::readMedia(dir / "two-songs.mpg", {40, 90});
  ASSERT_EQ(facts.pictures.size(), 2u) << questions.messages.join("\n").toStdString();
  const QImage& during1 = facts.pictures[0];
  const QImage& during2 = facts.pictures[1];
  // The photograph's white quarter starts at x = 360; the line's box reaches just past it.
  const QRect besideThePhotograph = topLeft.intersected(QRect(0, 0, 355, 1080));
  EXPECT_GT(brightIn(during1, bottom), 200);
  EXPECT_LT(brightIn(during1, besideThePhotograph), 20);
  EXPECT_GT(brightIn(during2, besideThePhotograph), 200);
  EXPECT_LT(brightIn(during2, bottom), 20);
  // The ink stays inside the boxes the rule gives (a pixel of encoding blur aside).
  const QRect ink1 = inkIn(during1, QRect(0, 900, 1920, 180));
  const QRect ink2 = inkIn(during2, QRect(0, 0, 340, 300));
  EXPECT_TRUE(bottom.adjusted(-3, -3, 3, 3).contains(ink1)) << ink1.x() << "," << ink1.y() << " "
                                                            << ink1.width() << "x" << ink1.height();
  EXPECT_TRUE(topLeft.adjusted(-3, -3, 3, 3).contains(ink2)) << ink2.x() << "," << ink2.y() << " "
                                                             << ink2.width() << "x" << ink2.height();
  EXPECT_NEAR(ink1.center().x(), 960, 6);
}

}  // namespace
}  // namespace solvane
