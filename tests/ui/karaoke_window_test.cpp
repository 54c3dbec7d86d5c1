// "卡拉OK设置": its checks, import, the preview following the music (pause goes on where it
// stood), the style window, deletion and the pairing view.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "lyrics/playback.h"
#include "model/columns.h"
#include "ui/lyrics/karaoke_style_window.h"
#include "ui/lyrics/karaoke_window.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;
using ui::KaraokeWindow;

class KaraokeWindowTest : public UiTest {
 protected:
  QString kscFile(const std::string& name = "k.ksc") {
    return textFile(name, "karaoke.add('00:02.000', '00:03.200', '第一行', '400,400,400');\n"
                          "karaoke.add('00:04.000', '00:05.000', '第二行', '300,300,400');\n");
  }
  void importInto(KaraokeWindow& w, const QStringList& files) {
    questions.answerFiles(files);
    w.button("导入卡拉OK歌词")->click();
  }
  void addSong() {
    questions.answerFiles({song("song.mp3", 1.0)});
    window->addMusicCommand();
  }
  QString click(KaraokeWindow& w, const char* caption) {
    questions.messages.clear();
    w.button(QString::fromUtf8(caption))->click();
    return questions.messages.join("|");
  }
};

TEST_F(KaraokeWindowTest, TheMainWindowCommandOpensIt) {
  QString title;
  questions.answerWindow([&](QDialog& w) {
    title = w.windowTitle();
    return int(QDialog::Rejected);
  });
  window->command(QStringLiteral("卡拉OK设置"))->click();
  EXPECT_EQ(title, "卡拉OK设置");
}

TEST_F(KaraokeWindowTest, ChecksRefuseWithTheirMessages) {
  KaraokeWindow w(*session);
  struct Case {
    const char* button;
    const char* message;
  } empty[] = {{"播放", "没有选择音乐文件！"},          {"暂停", "没有选择音乐文件！"},
               {"删除歌词", "没有导入卡拉OK歌词文件！"}, {"全删歌词", "没有导入卡拉OK歌词文件！"},
               {"设置歌词", "没有导入卡拉OK歌词文件！"}},
    imported[] = {{"删除歌词", "没有选中卡拉OK歌词文件！"}, {"设置歌词", "没有选中卡拉OK歌词文件！"}};
  for (const Case& c : empty) EXPECT_EQ(click(w, c.button), c.message) << c.button;
  importInto(w, {kscFile()});
  for (const Case& c : imported) EXPECT_EQ(click(w, c.button), c.message) << c.button;

  addSong();
  KaraokeWindow withMusic(*session);
  withMusic.musicList()->setCurrentRow(0);
  EXPECT_EQ(click(withMusic, "播放"), "没有导入卡拉OK歌词文件！");
  EXPECT_FALSE(withMusic.clockRunning());
}

TEST_F(KaraokeWindowTest, ImportAddsRowsWithTheDefaultStyle) {
  KaraokeWindow w(*session);
  importInto(w, {kscFile("a.ksc"), kscFile("b.ksc")});
  ASSERT_EQ(questions.fileQuestions.size(), 1u);
  EXPECT_EQ(questions.fileQuestions[0].filter, "导入卡拉OK歌词文件 (KSC)|*.ksc;");
  ASSERT_EQ(w.lyricList()->rowCount(), 2);
  EXPECT_EQ(w.lyricList()->item(1, 1)->text(), "b");
  EXPECT_EQ(w.lyricList()->item(1, 6)->text(), "使用");
  EXPECT_EQ(w.lyricList()->item(1, 10)->text(), "简体");
  EXPECT_EQ(session->project.suiListView_ksc.count(), 2);
}

TEST_F(KaraokeWindowTest, PauseHoldsTheSongAndItsFillPlayGoesOnStopStartsAgain) {
  addSong();
  KaraokeWindow w(*session);
  importInto(w, {kscFile()});
  w.chooseLyric(0);
  w.musicList()->setCurrentRow(0);
  EXPECT_EQ(w.lyricEcho()->text(), "k");
  EXPECT_EQ(w.totalTime()->text(), "00:03:00");

  w.button("播放")->click();
  EXPECT_FALSE(w.button("删除歌词")->isEnabled()) << "editing waits while the song plays";
  EXPECT_FALSE(w.lyricList()->isEnabled());
  playback->advance(2'600);
  w.tick();
  EXPECT_EQ(w.currentTime()->text(), "00:00:02");
  const int filled = w.preview().label(KaraokeLabelId::A2).size().width();
  EXPECT_GT(filled, 0);

  w.button("暂停")->click();
  EXPECT_TRUE(w.button("删除歌词")->isEnabled());
  playback->advance(5'000);
  EXPECT_EQ(playback->positionMs(), 2'600);
  w.button("播放")->click();
  EXPECT_EQ(w.preview().label(KaraokeLabelId::A2).size().width(), filled) << "resumed, not restarted";
  playback->advance(300);  // into the third unit
  w.tick();
  EXPECT_GT(w.preview().label(KaraokeLabelId::A2).size().width(), filled);

  w.button("停止")->click();
  EXPECT_EQ(playback->positionMs(), 0);
  EXPECT_EQ(w.currentTime()->text(), "00:00:00");
  EXPECT_FALSE(w.preview().label(KaraokeLabelId::A1).visible());
  w.button("播放")->click();
  playback->advance(180'000);
  w.tick();
  EXPECT_FALSE(w.clockRunning()) << "the end of the song ends the preview";
  EXPECT_TRUE(w.button("设置歌词")->isEnabled());
}

TEST_F(KaraokeWindowTest, TheStyleWindowWritesTheRowAndClearsThePreview) {
  addSong();
  KaraokeWindow w(*session);
  importInto(w, {kscFile()});
  w.chooseLyric(0);
  w.musicList()->setCurrentRow(0);
  questions.answerWindow([](QDialog& d) {
    auto& style = dynamic_cast<ui::KaraokeStyleWindow&>(d);
    EXPECT_TRUE(style.bold()->isChecked());
    EXPECT_EQ(style.fillColour()->currentText(), "clBlue");
    style.findChild<QPushButton*>("默认-字体样式：")->click();
    style.size()->setCurrentText("30");
    return int(QDialog::Accepted);
  });
  w.button("设置歌词")->click();
  const Table& ksc = session->project.suiListView_ksc;
  EXPECT_EQ(ksc.cell(0, ksc_col::bold), "F") << "the font-style default turns bold off";
  EXPECT_EQ(ksc.cell(0, ksc_col::font_size), "30");
  EXPECT_EQ(w.lyricList()->item(0, 6)->text(), "无");
  EXPECT_TRUE(w.musicEcho()->text().isEmpty());
  EXPECT_TRUE(w.lyricEcho()->text().isEmpty());
  EXPECT_FALSE(w.preview().loaded());
}

TEST_F(KaraokeWindowTest, DeletingTheOnlyRowLeavesAnEmptyList) {
  KaraokeWindow w(*session);
  importInto(w, {kscFile()});
  w.lyricList()->selectRow(0);
  EXPECT_EQ(click(w, "删除歌词"), "卡拉OK歌词已经删除！");
  EXPECT_EQ(w.lyricList()->rowCount(), 0);
  EXPECT_EQ(click(w, "删除歌词"), "没有导入卡拉OK歌词文件！");
  importInto(w, {kscFile("a.ksc"), kscFile("b.ksc")});
  EXPECT_EQ(click(w, "全删歌词"), "导入的卡拉OK歌词已全部删除！");
  EXPECT_TRUE(session->project.suiListView_ksc.empty());
}

TEST_F(KaraokeWindowTest, ThePairingViewListsEveryKaraokeFileBesideItsSong) {
  addSong();
  KaraokeWindow w(*session);
  importInto(w, {kscFile("a.ksc"), kscFile("b.ksc"), kscFile("c.ksc")});
  int rows = 0;
  QString lastMusic = "?";
  questions.answerWindow([&](QDialog& d) {
    auto* table = d.findChild<QTableWidget*>("Pairs");
    rows = table->rowCount();
    lastMusic = table->item(rows - 1, 1)->text();
    return int(QDialog::Rejected);
  });
  w.button("查看匹配")->click();
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(lastMusic, "");
}

}  // namespace
}  // namespace solvane
