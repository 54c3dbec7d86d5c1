#include "render/output_commands.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;

// Records what an output command asked of its front end.
struct Recorder {
  QStringList messages;
  QStringList filters;
  int sizeWindows = 0;
  int lyricChoices = 0;
  std::optional<QString> typedName;
  bool closeSizeWindow = false;

  OutputInteraction interaction() {
    OutputInteraction i;
    i.confirmSize = [this](OutputSizeWindow& w) {
      ++sizeWindows;
      if (closeSizeWindow) w.close();
    };
    i.askSaveName = [this](const QString& filter) {
      filters << filter;
      return typedName;
    };
    i.chooseLyricType = [this] { ++lyricChoices; };
    i.showMessage = [this](const QString& m) { messages << m; };
    return i;
  }
};

void addPhoto(Project& project) { project.ListView_daoruxiangpian.append({"1", "/p/a.jpg"}); }

TEST(OutputCommands, WithoutPhotosTheCommandStopsWithItsMessageAndChangesNothing) {
  Project project;
  Recorder r;
  r.typedName = "album";
  EXPECT_FALSE(PrepareOutput(project, "VCD", r.interaction()));
  EXPECT_EQ(r.messages, QStringList{"没有添加相片文件！"});
  EXPECT_EQ(r.sizeWindows, 0);
  EXPECT_EQ(project.Edit_VCDSVCDDVD_leixing, "DVD");
}

struct AlbumPathCase {
  const char* kind;
  const char* typed;
  const char* path;
  const char* name;
  const char* filter;
};

class AlbumOutputPaths : public testing::TestWithParam<AlbumPathCase> {};

TEST_P(AlbumOutputPaths, AddTheEndingOnceAndNameTheAlbum) {
  const auto& c = GetParam();
  Project project;
  addPhoto(project);
  Recorder r;
  r.typedName = c.typed;
  auto target = PrepareOutput(project, c.kind, r.interaction());
  ASSERT_TRUE(target);
  EXPECT_EQ(target->path, c.path);
  EXPECT_EQ(target->name, c.name);
  EXPECT_EQ(r.filters, QStringList{c.filter});
  EXPECT_EQ(project.Edit_VCDSVCDDVD_leixing, c.kind);
  EXPECT_EQ(project.Form39.kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AlbumOutputPaths,
    testing::Values(
        AlbumPathCase{"VCD", "/out/album", "/out/album.mpg", "album", "VCD 格式相册|*.mpg"},
        AlbumPathCase{"VCD", "/out/album.mpg", "/out/album.mpg", "album", "VCD 格式相册|*.mpg"},
        AlbumPathCase{"SVCD", "/out/Album.MPG", "/out/Album.MPG", "Album",
                      "SVCD 格式相册|*.mpg"},
        AlbumPathCase{"DVD", "/out/第一集.avi", "/out/第一集.avi.mpg", "第一集.avi",
                      "DVD 格式相册|*.mpg"},
        AlbumPathCase{"AVI", "/out/holiday.2024", "/out/holiday.2024.avi", "holiday.2024",
                      "AVI 格式相册|*.avi"},
        AlbumPathCase{"MP4", "/out/holiday", "/out/holiday.mp4", "holiday", "MP4 视频文件(*.mp4)|*.mp4"},
        AlbumPathCase{"MP4", "/out/Holiday.MP4", "/out/Holiday.MP4", "Holiday",
                      "MP4 视频文件(*.mp4)|*.mp4"}));

TEST(OutputCommands, ClosingTheSizeWindowOrCancellingTheDialogStopsButKeepsTheKind) {
  Project project;
  addPhoto(project);
  Recorder closed;
  closed.closeSizeWindow = true;
  closed.typedName = "x";
  EXPECT_FALSE(PrepareOutput(project, "SVCD", closed.interaction()));
  EXPECT_TRUE(closed.filters.isEmpty());
  EXPECT_EQ(project.Edit_VCDSVCDDVD_leixing, "SVCD");

  Recorder cancelled;
  EXPECT_FALSE(PrepareOutput(project, "AVI", cancelled.interaction()));
  EXPECT_EQ(cancelled.filters.size(), 1);
  EXPECT_EQ(project.Edit_VCDSVCDDVD_leixing, "AVI");
  EXPECT_TRUE(cancelled.messages.isEmpty());
}

TEST(OutputCommands, ImageSequenceCreatesANewFolderNamedAfterIt) {
  test::ScratchDir dir;
  Project project;
  addPhoto(project);
  Recorder r;
  const QString folder = dir.qpath() + "/片集/第一集";
  r.typedName = folder;
  auto target = PrepareOutput(project, "XLTP", r.interaction());
  ASSERT_TRUE(target);
  EXPECT_TRUE(fs::is_directory((dir / "片集/第一集")));
  EXPECT_EQ(target->path, folder + "/01.JPG");
  EXPECT_EQ(target->name, "第一集");
  EXPECT_EQ(r.filters, QStringList{"生成 JPG 序列图片|*.JPG"});
  EXPECT_EQ(project.Edit_VCDSVCDDVD_leixing, "XLTP");
}

TEST(OutputCommands, ImageSequenceUsesTheFormatChosenInTheSizeWindow) {
  test::ScratchDir dir;
  Project project;
  addPhoto(project);
  Recorder r;
  r.typedName = dir.qpath() + "/seq/";
  OutputInteraction i = r.interaction();
  i.confirmSize = [](OutputSizeWindow& w) { w.chooseFormat("TGA"); };
  auto target = PrepareOutput(project, "XLTP", i);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->path, dir.qpath() + "/seq/01.TGA");
  EXPECT_EQ(target->name, "seq");
  EXPECT_EQ(r.filters, QStringList{"生成 TGA 序列图片|*.TGA"});
}

TEST(OutputCommands, ImageSequenceRefusesANameThatExistsAndLeavesItAlone) {
  test::ScratchDir dir;
  test::writeFile(dir / "taken.txt", "keep me");
  fs::create_directory(dir / "folder");
  test::writeFile(dir / "folder/01.JPG", "old picture");
  for (const char* name : {"taken.txt", "folder"}) {
    Project project;
    addPhoto(project);
    Recorder r;
    r.typedName = dir.qpath() + "/" + name;
    EXPECT_FALSE(PrepareOutput(project, "XLTP", r.interaction())) << name;
    EXPECT_EQ(r.messages, QStringList{"输入的文件名存在, 请更换保存的文件名！"});
  }
  EXPECT_EQ(test::readFile(dir / "taken.txt"), "keep me");
  EXPECT_EQ(test::readFile(dir / "folder/01.JPG"), "old picture");
}

TEST(OutputCommands, LyricTypeIsAskedOnlyWithMusicAndKaraoke) {
  struct Case {
    bool music;
    bool karaoke;
    int asked;
  };
  for (Case c : {Case{true, true, 1}, Case{false, true, 0}, Case{true, false, 0}}) {
    Project project;
    addPhoto(project);
    if (c.music) project.ListView_daoru_yinyue.append({"1", "song"});
    if (c.karaoke) project.suiListView_ksc.append({"1", "ksc"});
    Recorder r;
    r.typedName = "/out/a";
    ASSERT_TRUE(PrepareOutput(project, "DVD", r.interaction()));
    EXPECT_EQ(r.lyricChoices, c.asked) << c.music << c.karaoke;
  }
}

TEST(OutputCommands, TipsAndCaptionsOfTheButtons) {
  EXPECT_EQ(outputCommand("VCD").tip, "画面效果最高达到1280*720");
  EXPECT_EQ(outputCommand("SVCD").tip, "画面效果最高达到1280*720");
  EXPECT_EQ(outputCommand("AVI").tip, "画面效果最高达到1920*1080");
  EXPECT_EQ(outputCommand("MP4").caption, "MP4");
  EXPECT_EQ(outputCommand("MP4").tip, "手机、电脑、电视和网站都能播放, 画面效果最高达到1920*1080");
  EXPECT_EQ(outputCommand("XLTP").caption, "序列图");
  EXPECT_THROW(outputCommand("WMV"), Error);
}

}  // namespace
}  // namespace solvane
