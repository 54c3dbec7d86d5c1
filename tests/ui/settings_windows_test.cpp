// The settings windows write the project as the user clicks, through the main window's
// commands.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/project.h"
#include "model/sentinels.h"
#include "ui/effects/album_length_window.h"
#include "ui/effects/other_settings_window.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

using test::UiTest;

class SettingsWindowsTest : public UiTest {};

TEST_F(SettingsWindowsTest, AlbumLengthWithMusicWritesTheRuleAndLoops) {
  questions.answerFiles({song("a.mp3", 2.0)});
  window->addMusicCommand();
  ASSERT_EQ(session->project.ListView_daoru_yinyue.count(), 1);

  questions.answerWindow([](QDialog& w) {
    auto& length = dynamic_cast<ui::AlbumLengthWindow&>(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("相册时长"));
    EXPECT_TRUE(length.photoRule()->isChecked());
    length.musicRule()->click();
    length.pictureLoop()->click();
    length.musicLoop()->click();
    return int(QDialog::Accepted);
  });
  window->command(QStringLiteral("相册长度"))->click();
  const Project& p = session->project;
  EXPECT_EQ(p.Edit_tongbu_shezhi, word::sui_yinyue_tongbu);
  EXPECT_TRUE(p.album_loops.picture_loop);
  EXPECT_TRUE(p.album_loops.music_loop);

  // Back to the photograph rule: the picture loop has nothing to fill and goes off.
  questions.answerWindow([](QDialog& w) {
    auto& length = dynamic_cast<ui::AlbumLengthWindow&>(w);
    EXPECT_TRUE(length.musicRule()->isChecked()) << "the window shows the project's choice";
    length.photoRule()->click();
    EXPECT_FALSE(length.pictureLoop()->isChecked());
    return int(QDialog::Accepted);
  });
  window->albumLengthCommand();
  EXPECT_EQ(p.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_FALSE(p.album_loops.picture_loop);
  EXPECT_TRUE(p.album_loops.music_loop);
}

TEST_F(SettingsWindowsTest, AlbumLengthWithoutMusicResetsAndOffersOnlyThePhotographRule) {
  session->project.Edit_tongbu_shezhi = word::sui_yinyue_tongbu;
  session->project.album_loops = {true, true};
  questions.answerWindow([](QDialog& w) {
    auto& length = dynamic_cast<ui::AlbumLengthWindow&>(w);
    EXPECT_TRUE(length.photoRule()->isChecked());
    EXPECT_FALSE(length.musicRule()->isEnabled());
    EXPECT_FALSE(length.musicLoop()->isChecked());
    EXPECT_FALSE(length.pictureLoop()->isChecked());
    return int(QDialog::Accepted);
  });
  window->albumLengthCommand();
  EXPECT_EQ(session->project.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_FALSE(session->project.album_loops.music_loop);
}

TEST_F(SettingsWindowsTest, OtherSettingsWriteEachGroupAloneAndShowTheProjectWhenReopened) {
  questions.answerWindow([](QDialog& w) {
    auto& other = dynamic_cast<ui::OtherSettingsWindow&>(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("其它设置"));
    EXPECT_TRUE(other.pal()->isChecked());
    EXPECT_TRUE(other.highQuality()->isChecked());
    other.ntsc()->click();
    other.normalQuality()->click();
    other.landscapeTemplate()->click();
    other.portraitTemplate()->click();
    other.landscapeFull()->click();  // a crop choice leaves the television system alone
    return int(QDialog::Accepted);
  });
  window->command(QStringLiteral("其它设置"))->click();
  const Project& p = session->project;
  EXPECT_EQ(p.Edit_VCDSVCDDVD_zhishi, word::NTSC);
  EXPECT_EQ(p.Edit_huanmian_zhiliang, word::yiban_huazhi);
  EXPECT_EQ(p.crop_settings.landscape, CropSettings::Landscape::quanping);
  EXPECT_EQ(p.crop_settings.portrait, CropSettings::Portrait::moren);

  questions.answerWindow([](QDialog& w) {
    auto& other = dynamic_cast<ui::OtherSettingsWindow&>(w);
    EXPECT_TRUE(other.ntsc()->isChecked());
    EXPECT_TRUE(other.normalQuality()->isChecked());
    EXPECT_TRUE(other.portraitTemplate()->isChecked());
    return int(QDialog::Accepted);
  });
  window->otherSettingsCommand();
}

}  // namespace
}  // namespace solvane
