// "音乐预览" and "歌词预览": their opening and play checks, the line of the music's second,
// stop and leave; a real song through Qt Multimedia on the GStreamer backend.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "lyrics/playback.h"
#include "model/columns.h"
#include "ui/lyrics/preview_window.h"
#include "ui/main/pane.h"
#include "ui/shared/qt_playback.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::PaneKind;
using ui::PreviewWindow;

class PreviewWindowTest : public UiTest {
 protected:
  void addSong() {
    questions.answerFiles({song("song.mp3", 1.0)});
    window->addMusicCommand();
  }
  void addLyric() {
    questions.answerFiles({textFile("song.lrc", "[00:02.00]第二秒\r\n[00:04.00]第四秒\r\n")});
    window->addLyricsCommand();
  }
  QPushButton* paneButton(PaneKind kind, const QString& caption) {
    for (auto* b : window->pane(kind)->findChildren<QPushButton*>())
      if (b->text() == caption) return b;
    return nullptr;
  }
};

TEST_F(PreviewWindowTest, OpeningChecksRefuseWithTheirMessages) {
  // Rows are added as the table goes down: first none, then a lyric, then music too.
  struct Case {
    int addBefore;  // 0 nothing, 1 a lyric, 2 a song
    PaneKind pane;
    const char* button;
    const char* message;  // empty: the window opens
  } cases[] = {
      {0, PaneKind::Music, "音乐预览", "没有添加音乐文件,不能音乐预览！"},
      {0, PaneKind::Lyrics, "歌词预览", "没有添加歌词文件,不能歌词预览！"},
      {1, PaneKind::Lyrics, "歌词预览", "没有找到音乐文件,添加音乐文件后再进行歌词预览！"},
      {2, PaneKind::Music, "音乐预览", ""},
      {0, PaneKind::Lyrics, "歌词预览", ""},
  };
  for (const Case& c : cases) {
    if (c.addBefore == 1) addLyric();
    if (c.addBefore == 2) addSong();
    questions.messages.clear();
    const QString caption = QString::fromUtf8(c.button);
    QPushButton* button = paneButton(c.pane, caption);
    ASSERT_NE(button, nullptr) << c.button;
    EXPECT_EQ(button->toolTip(), c.pane == PaneKind::Music ? "预览音乐文件" : "预览歌词文件");
    bool opened = false;
    if (!*c.message)
      questions.answerWindow([&](QDialog& w) {
        opened = w.windowTitle() == caption;
        return int(QDialog::Rejected);
      });
    button->click();
    if (*c.message) {
      EXPECT_EQ(questions.messages, QStringList{QString::fromUtf8(c.message)}) << c.button;
    } else {
      EXPECT_TRUE(opened) << c.button;
      EXPECT_TRUE(questions.messages.isEmpty()) << questions.messages.join("\n").toStdString();
    }
  }
}

TEST_F(PreviewWindowTest, PlayChecksAskForTheLyricThenTheMusic) {
  addSong();
  addLyric();
  struct Case {
    ui::PreviewKind kind;
    bool lyric;
    const char* message;
  } cases[] = {{ui::PreviewKind::Music, false, "没有选择音乐文件！"},
               {ui::PreviewKind::Lyric, false, "没有选择歌词文件！"},
               {ui::PreviewKind::Lyric, true, "没有选择音乐文件！选择音乐文件后再进行歌词预览"}};
  for (const Case& c : cases) {
    PreviewWindow w(*session, c.kind);
    if (c.lyric) w.lyricList()->setCurrentRow(0);
    questions.messages.clear();
    w.playButton()->click();
    EXPECT_EQ(questions.messages, QStringList{QString::fromUtf8(c.message)});
    EXPECT_FALSE(w.clockRunning());
  }
}

TEST_F(PreviewWindowTest, TheLineFollowsTheMusicAndStopStartsAgain) {
  addSong();
  addLyric();
  PreviewWindow w(*session, ui::PreviewKind::Lyric);
  w.lyricList()->setCurrentRow(0);
  w.musicList()->setCurrentRow(0);
  EXPECT_EQ(w.musicEcho()->text(), "song");
  EXPECT_EQ(w.lyricEcho()->text(), "song");
  EXPECT_EQ(w.totalTime()->text(), "03:00");
  w.playButton()->click();
  ASSERT_TRUE(w.clockRunning());
  playback->advance(2'300);
  w.tick();
  EXPECT_EQ(w.currentTime()->text(), "00:02");
  EXPECT_EQ(w.lyric().label().text(), "第二秒");
  // The lyric row goes while the window is open: the line keeps the style it was chosen with.
  session->project.ListView_daoru_LRC.clear();
  playback->advance(2'000);
  w.tick();
  EXPECT_EQ(w.lyric().label().text(), "第四秒");
  EXPECT_EQ(w.lyric().label().pos().y(), 390 - w.lyric().label().size().height() - 10);

  w.stopButton()->click();
  EXPECT_FALSE(w.clockRunning());
  EXPECT_EQ(w.currentTime()->text(), "00:00");
  EXPECT_TRUE(w.lyric().label().text().isEmpty());
  EXPECT_EQ(playback->positionMs(), 0);
  w.playButton()->click();
  playback->advance(180'000);
  w.tick();
  EXPECT_FALSE(w.clockRunning()) << "the end of the music stops the preview";
  EXPECT_EQ(w.currentTime()->text(), "00:00");
  w.backButton()->click();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(PreviewWindowTest, AMusicFileThatCannotPlayIsNamed) {
  addSong();
  const QString path = session->project.ListView_daoru_yinyue.cell(0, music_col::path);
  PreviewWindow w(*session, ui::PreviewKind::Music);
  playback->setUnplayable(path);
  w.musicList()->setCurrentRow(0);
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(path)) << questions.messages[0].toStdString();
  w.playButton()->click();
  EXPECT_EQ(questions.messages.size(), 2) << "play says it again";
  EXPECT_FALSE(w.clockRunning());
}

TEST_F(PreviewWindowTest, TheMediaLayerRefusingAFileIsNamedAsSoonAsItSaysSo) {
  addSong();
  const QString broken = textFile("broken.mp3", QByteArray(4096, 'x'));
  session->project.ListView_daoru_yinyue.setCell(0, music_col::path, broken);
  session->makePlayback = nullptr;  // the program's own player
  PreviewWindow w(*session, ui::PreviewKind::Music);
  w.musicList()->setCurrentRow(0);
  for (int waited = 0; questions.messages.isEmpty() && waited < 5'000; waited += 50) QTest::qWait(50);
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(broken)) << questions.messages[0].toStdString();
}

TEST_F(PreviewWindowTest, ADoubleClickOnAMusicRowOpensTheMusicPreview) {
  addSong();
  window->setListMode(PaneKind::Music);
  QTableView* list = window->pane(PaneKind::Music)->listView();
  QString title;
  questions.answerWindow([&](QDialog& w) {
    title = w.windowTitle();
    return int(QDialog::Rejected);
  });
  Q_EMIT list->doubleClicked(list->model()->index(0, 1));
  EXPECT_EQ(title, "音乐预览");
}

// A generated two-second MP3 through Qt Multimedia on the GStreamer backend (the program's
// player): the position advances and the end is reported.
TEST_F(UiTest, ARealSongPlaysToItsEnd) {
  if (!QDir("/usr/lib/x86_64-linux-gnu/gstreamer-1.0").exists(QStringLiteral("libgstplayback.so")))
    GTEST_SKIP() << "GStreamer's base plugins (gstreamer1.0-plugins-base) are not installed";
  ASSERT_EQ(qgetenv("QT_MEDIA_BACKEND"), "gstreamer");
  ui::QtPlayback player;
  player.open(song("two.mp3", 2.0));
  player.play();
  QElapsedTimer clock;
  clock.start();
  long long seen = 0;
  while (!player.ended() && player.error().isEmpty() && clock.elapsed() < 15'000) {
    QTest::qWait(50);
    seen = std::max(seen, player.positionMs());
  }
  ASSERT_TRUE(player.error().isEmpty()) << player.error().toStdString();
  EXPECT_TRUE(player.ended());
  EXPECT_GT(seen, 1'000);
  EXPECT_NEAR(player.lengthMs(), 2'000, 200);
  player.play();
  QTest::qWait(300);
  EXPECT_LT(player.positionMs(), 1'500) << "play after the end starts again";
  player.stop();

  // A file that is no music: the media layer says so, and nothing plays.
  player.open(textFile("not-music.mp3", QByteArray(4096, 'x')));
  player.play();
  for (int waited = 0; player.error().isEmpty() && waited < 5'000; waited += 50) QTest::qWait(50);
  EXPECT_FALSE(player.error().isEmpty());
  EXPECT_FALSE(player.ended());
}

}  // namespace
}  // namespace solvane
