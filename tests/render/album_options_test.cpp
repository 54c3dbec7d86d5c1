#include "render/album_options.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

AlbumOptions parse(const QString& line) {
  return parseAlbumArguments(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

TEST(AlbumOptions, DefaultsAreDvdPalHighQualityFollowingThePhotos) {
  const AlbumOptions o = parse("-o out/album a.jpg b.jpg");
  EXPECT_EQ(o.output, "out/album");
  EXPECT_EQ(o.kind, "DVD");
  EXPECT_EQ(o.tv, "PAL");
  EXPECT_EQ(o.quality, word::gaoqing_huazhi);
  EXPECT_FALSE(o.followMusic);
  EXPECT_FALSE(o.loops.music_loop);
  EXPECT_TRUE(sameCrops(o.crops, CropSettings{}));
  EXPECT_EQ(o.photos, (QStringList{"a.jpg", "b.jpg"}));
}

TEST(AlbumOptions, EveryOptionIsReadInBothSpellingsAndAnyLetterCase) {
  const AlbumOptions o = parse(
      "--kind=xltp --format bmp --tv ntsc --quality=normal --length music --loop-pictures "
      "--landscape-crop template --portrait-crop=template --music s1.mp3 --music=s2.mp3 "
      "--lyrics s1.lrc --loop-music --library /opt/lib --output seq p1.jpg -- --odd-name.jpg");
  EXPECT_EQ(o.kind, "XLTP");
  EXPECT_EQ(o.format, "BMP");
  EXPECT_EQ(o.tv, "NTSC");
  EXPECT_EQ(o.quality, word::yiban_huazhi);
  EXPECT_TRUE(o.followMusic);
  EXPECT_TRUE(o.loops.picture_loop);
  EXPECT_TRUE(o.loops.music_loop);
  EXPECT_EQ(o.crops.landscape, CropSettings::Landscape::moren);
  EXPECT_EQ(o.crops.portrait, CropSettings::Portrait::moren);
  EXPECT_EQ(o.music, (QStringList{"s1.mp3", "s2.mp3"}));
  EXPECT_EQ(o.lyrics, QStringList{"s1.lrc"});
  EXPECT_EQ(o.output, "seq");
  EXPECT_EQ(o.library, "/opt/lib");
  EXPECT_EQ(o.photos, (QStringList{"p1.jpg", "--odd-name.jpg"}));
}

TEST(AlbumOptions, MistakesAreRefusedWithAMessageNamingThem) {
  struct Case {
    const char* line;
    const char* says;
  };
  const Case cases[] = {
      {"a.jpg", "-o OUTPUT"},
      {"-o x", "没有添加相片文件！"},
      {"-o x --kind WMV a.jpg", "--kind"},
      {"-o x --tv SECAM a.jpg", "PAL|NTSC"},
      {"-o x --quality best a.jpg", "high|normal"},
      {"-o x --format PNG --kind XLTP a.jpg", "JPG|BMP|TGA|PCX"},
      {"-o x --format BMP a.jpg", "--format applies only"},
      {"-o x --length music a.jpg", "--length music needs"},
      {"-o x --loop-music a.jpg", "--loop-music needs"},
      {"-o x --music s.mp3 --loop-pictures a.jpg", "--loop-pictures applies only"},
      {"-o x --frobnicate a.jpg", "unknown option --frobnicate"},
      {"-o x --seed many a.jpg", "--seed: \"many\" is not a whole number"},
      {"-o x --seed -3 a.jpg", "--seed: \"-3\""},
      {"-o x --seed 4294967296 a.jpg", "0 to 4294967295"},
      {"-o x a.jpg --music", "--music needs a value"},
  };
  for (const Case& c : cases) {
    try {
      parse(c.line);
      ADD_FAILURE() << c.line << " was accepted";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.says))) << c.line << ": "
                                                                  << e.what();
    }
  }
}

TEST(AlbumOptions, Mp4IsAKindAndTheSeedIsKeptOnlyWhenGiven) {
  const AlbumOptions o = parse("-o x --kind mp4 --seed=4294967295 a.jpg");
  EXPECT_EQ(o.kind, "MP4");
  EXPECT_EQ(o.drawSeed, 4294967295u);
  EXPECT_FALSE(parse("-o x a.jpg").drawSeed);
}

TEST(AlbumOptions, HelpNeedsNothingElseAndExplainsEveryOption) {
  EXPECT_TRUE(parse("--help").help);
  const QString usage = albumUsage();
  for (const char* option :
       {"--output", "--kind", "--format", "--tv", "--quality", "--length", "--loop-music",
        "--loop-pictures", "--landscape-crop", "--portrait-crop", "--music", "--lyrics",
        "--overwrite", "--library", "--seed", "--help"})
    EXPECT_TRUE(usage.contains(option)) << option;
}

TEST(AlbumOptions, FoldersExpandToTheirJpegFilesInNameOrder) {
  test::ScratchDir dir;
  for (const char* name : {"b.JPG", "a.jpeg", "c.jpg", "notes.txt", "d.png"})
    test::writeFile(dir / "set" / name, "x");
  test::writeFile(dir / "single.jpg", "x");
  const QString set = dir.qpath() + "/set";
  const QStringList photos = expandPhotoArguments({dir.qpath() + "/single.jpg", set});
  EXPECT_EQ(photos, (QStringList{dir.qpath() + "/single.jpg", set + "/a.jpeg", set + "/b.JPG",
                                 set + "/c.jpg"}));
}

TEST(AlbumOptions, MissingPathsAndEmptyFoldersAreRefused) {
  test::ScratchDir dir;
  test::writeFile(dir / "empty/readme.txt", "x");
  EXPECT_THROW(expandPhotoArguments({dir.qpath() + "/nothing.jpg"}), Error);
  EXPECT_THROW(expandPhotoArguments({dir.qpath() + "/empty"}), Error);
}

TEST(AlbumOptions, SettingsReachTheProjectAndMusicRuleNeedsMusic) {
  Project project;
  AlbumOptions o = parse("-o x --tv NTSC --quality normal --length music --loop-pictures "
                         "--landscape-crop template --music s.mp3 a.jpg");
  project.ListView_daoru_yinyue.append({"1", "s", ".mp3", "s.mp3", "00:00:10", "250"});
  applyAlbumSettings(project, o);
  EXPECT_EQ(project.Edit_VCDSVCDDVD_zhishi, "NTSC");
  EXPECT_EQ(project.Edit_huanmian_zhiliang, word::yiban_huazhi);
  EXPECT_EQ(project.Edit_tongbu_shezhi, word::sui_yinyue_tongbu);
  EXPECT_TRUE(project.album_loops.picture_loop);
  EXPECT_EQ(project.crop_settings.landscape, CropSettings::Landscape::moren);

  Project silent;  // the music failed to import: the album follows the photographs
  applyAlbumSettings(silent, o);
  EXPECT_EQ(silent.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
  EXPECT_FALSE(silent.album_loops.picture_loop);
}

}  // namespace
}  // namespace solvane
