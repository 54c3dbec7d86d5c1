#include "effects/album_settings.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

void addMusicRow(Project& project) {
  project.ListView_daoru_yinyue.append(
      {"1", "song", ".mp3", "/music/song.mp3", "00:03:05", "4625", "wu", "wu"});
}

TEST(AlbumLength, WithoutMusicTheRuleFollowsPhotosAndBothLoopsSwitchOff) {
  Project project;
  ChooseMusicLength(project);
  project.album_loops = {true, true};
  ResetAlbumLengthWithoutMusic(project);
  EXPECT_EQ(project.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_FALSE(project.album_loops.music_loop);
  EXPECT_FALSE(project.album_loops.picture_loop);
}

TEST(AlbumLength, WithMusicTheResetKeepsTheUsersChoice) {
  Project project;
  addMusicRow(project);
  ChooseMusicLength(project);
  project.album_loops = {true, true};
  ResetAlbumLengthWithoutMusic(project);
  EXPECT_TRUE(followsMusic(project));
  EXPECT_TRUE(project.album_loops.music_loop);
  EXPECT_TRUE(project.album_loops.picture_loop);
}

TEST(AlbumLength, PhotoRuleSwitchesOnlyThePictureLoopOff) {
  Project project;
  addMusicRow(project);
  ChooseMusicLength(project);
  EXPECT_EQ(project.Edit_tongbu_shezhi, word::sui_yinyue_tongbu);
  project.album_loops = {true, true};
  ChoosePhotoLength(project);
  EXPECT_EQ(project.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_TRUE(project.album_loops.music_loop);
  EXPECT_FALSE(project.album_loops.picture_loop);
}

TEST(OtherSettings, StartValuesAndChoicesStayIndependent) {
  Project project;
  EXPECT_EQ(project.Edit_VCDSVCDDVD_zhishi, word::PAL);
  EXPECT_EQ(project.Edit_huanmian_zhiliang, word::gaoqing_huazhi);
  EXPECT_EQ(project.crop_settings.landscape, CropSettings::Landscape::quanping);
  EXPECT_EQ(project.crop_settings.portrait, CropSettings::Portrait::jubufangda);

  ChooseTvSystem(project, QString(word::NTSC));
  project.crop_settings.landscape = CropSettings::Landscape::moren;
  project.crop_settings.landscape = CropSettings::Landscape::quanping;
  EXPECT_EQ(project.Edit_VCDSVCDDVD_zhishi, word::NTSC);

  ChooseQuality(project, QString(word::yiban_huazhi));
  project.crop_settings.portrait = CropSettings::Portrait::moren;
  EXPECT_EQ(project.Edit_huanmian_zhiliang, word::yiban_huazhi);
  EXPECT_EQ(project.Edit_VCDSVCDDVD_zhishi, word::NTSC);
}

TEST(OtherSettings, UnknownWordsAreRefusedAndChangeNothing) {
  Project project;
  EXPECT_THROW(ChooseTvSystem(project, "SECAM"), Error);
  EXPECT_THROW(ChooseQuality(project, "best"), Error);
  EXPECT_EQ(project.Edit_VCDSVCDDVD_zhishi, word::PAL);
  EXPECT_EQ(project.Edit_huanmian_zhiliang, word::gaoqing_huazhi);
}

TEST(OtherSettings, CropCaptionsNameTheChoices) {
  EXPECT_EQ(cropCaption(CropSettings::Landscape::quanping), "横照片剪裁成全屏效果");
  EXPECT_EQ(cropCaption(CropSettings::Landscape::moren), "横照片剪裁成模板特效默认效果");
  EXPECT_EQ(cropCaption(CropSettings::Portrait::jubufangda), "竖照片剪裁成局部放大效果");
  EXPECT_EQ(cropCaption(CropSettings::Portrait::moren), "竖照片使用模板特效默认效果");
}

struct SizeListCase {
  const char* kind;
  int entries;
  const char* defaultText;
};

class OutputSizeLists : public testing::TestWithParam<SizeListCase> {};

TEST_P(OutputSizeLists, OfferTheKindsEntriesAndPreselectItsDefault) {
  const auto& c = GetParam();
  EXPECT_EQ(static_cast<int>(outputSizes(c.kind).size()), c.entries);
  EXPECT_EQ(outputSizes(c.kind).front(), (OutputSize{320, 176}));
  OutputSizeWindow window;
  window.prepare(c.kind);
  EXPECT_EQ(window.current_size_text, c.defaultText);
  EXPECT_EQ(window.size().text(), c.defaultText);
  EXPECT_FALSE(window.cancelled());
}

INSTANTIATE_TEST_SUITE_P(Kinds, OutputSizeLists,
                         testing::Values(SizeListCase{"VCD", 5, "1280 × 720"},
                                         SizeListCase{"SVCD", 8, "1920 × 1080"},
                                         SizeListCase{"DVD", 8, "1920 × 1080"},
                                         SizeListCase{"AVI", 8, "1920 × 1080"},
                                         SizeListCase{"XLTP", 8, "1920 × 1080"}));

TEST(OutputSizeWindow, ImageSequencePreselectsJpgAndChoosingASizeResetsTheFormat) {
  OutputSizeWindow window;
  window.prepare("XLTP");
  EXPECT_EQ(window.current_size_text, "1920 × 1080");
  EXPECT_EQ(window.type_field, "JPG");
  EXPECT_EQ(window.windowWidth(), 730);
  EXPECT_TRUE(window.formatChoiceVisible());

  window.chooseFormat("PCX");
  EXPECT_EQ(window.type_field, "PCX");
  window.chooseSize(3);
  EXPECT_EQ(window.current_size_text, "800 × 480");
  EXPECT_EQ(window.Edit_chicun_width, "800");
  EXPECT_EQ(window.Edit_chicun_height, "480");
  EXPECT_EQ(window.format, "JPG");
  EXPECT_EQ(window.type_field, "JPG");
}

TEST(OutputSizeWindow, AlbumKindsShowTheKindAndDefaultReturnsToTheLastEntry) {
  OutputSizeWindow window;
  window.prepare("AVI");
  EXPECT_EQ(window.type_field, "AVI");
  EXPECT_EQ(window.windowWidth(), 660);
  window.chooseSize(0);
  EXPECT_EQ(window.Edit_chicun_width, "320");
  window.chooseDefault();
  EXPECT_EQ(window.Edit_chicun_width, "1920");
  EXPECT_EQ(window.Edit_chicun_height, "1080");
}

TEST(OutputSizeWindow, BadChoicesAreRefused) {
  OutputSizeWindow window;
  window.prepare("VCD");
  EXPECT_THROW(window.chooseSize(5), Error);
  EXPECT_THROW(window.chooseFormat("PNG"), Error);
  EXPECT_THROW(window.prepare("MP4"), Error);
  window.close();
  EXPECT_TRUE(window.cancelled());
  window.prepare("VCD");
  EXPECT_FALSE(window.cancelled());
}

TEST(SettingsSummary, CountsRowsAndNamesTheChoices) {
  Project project;
  project.ListView_daoruxiangpian.append({"1"});
  project.ListView_daoruxiangpian.append({"2"});
  addMusicRow(project);
  EXPECT_EQ(settingsSummary(project),
            (QStringList{"相片数量:2张", "音乐数量:1个", "歌词数量:0个", "文字特效:0个",
                         "画面特效:0个", "画面质量:高清画质", "电视制式:PAL制式",
                         "相册长度:相片为准"}));
  ChooseQuality(project, QString(word::yiban_huazhi));
  ChooseTvSystem(project, QString(word::NTSC));
  ChooseMusicLength(project);
  const QStringList summary = settingsSummary(project);
  EXPECT_EQ(summary.mid(5), (QStringList{"画面质量:一般画质", "电视制式:NTSC制式",
                                         "相册长度:音乐为准"}));
}


// The preselected entry is the size the picture quality gives the kind, so an album made
// without touching the list comes out as the quality promises, and "默认" returns to it.
struct QualityDefaultCase {
  const char* kind;
  const char* quality;
  const char* defaultText;
};

class OutputSizeDefaults : public testing::TestWithParam<QualityDefaultCase> {};

TEST_P(OutputSizeDefaults, FollowThePictureQuality) {
  const auto& c = GetParam();
  OutputSizeWindow window;
  window.prepare(c.kind, c.quality);
  EXPECT_EQ(window.current_size_text, c.defaultText);
  window.chooseSize(0);
  window.chooseDefault();
  EXPECT_EQ(window.size().text(), c.defaultText);
}

INSTANTIATE_TEST_SUITE_P(
    KindsAndQualities, OutputSizeDefaults,
    testing::Values(QualityDefaultCase{"VCD", "gaoqing_huazhi", "1280 × 720"},
                    QualityDefaultCase{"VCD", "yiban_huazhi", "1280 × 720"},
                    QualityDefaultCase{"DVD", "gaoqing_huazhi", "1920 × 1080"},
                    QualityDefaultCase{"DVD", "yiban_huazhi", "1280 × 720"},
                    QualityDefaultCase{"SVCD", "yiban_huazhi", "1280 × 720"},
                    QualityDefaultCase{"AVI", "yiban_huazhi", "1280 × 720"},
                    QualityDefaultCase{"XLTP", "yiban_huazhi", "1920 × 1080"}));

}  // namespace
}  // namespace solvane
