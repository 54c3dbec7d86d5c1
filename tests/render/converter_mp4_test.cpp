// MP4 albums (H.264 + AAC) reopened with libavformat: what phones, browsers and video sites
// rely on, and the converter's promises of a complete file or none.
#include <algorithm>

#include <gtest/gtest.h>

#include "converter_test_album.h"
#include "render/converter.h"
#include "render/output_profile.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

struct Mp4Case {
  const char* name;
  int width;  // the frame size the conversion job sets for the quality
  int height;
  bool withSound;
  const char* colourSpace;
  int level;
};

std::string caseName(const testing::TestParamInfo<Mp4Case>& info) { return info.param.name; }

class Mp4Albums : public testing::TestWithParam<Mp4Case> {};

TEST_P(Mp4Albums, ReopenAsHighProfileH264AndAacWithTheIndexFirst) {
  const Mp4Case& c = GetParam();
  ScratchDir dir;
  test::AlbumPlan plan;
  // Frames come at 1920 x 1080 as the render driver makes them: kept as they are for 高清画质,
  // scaled for the smaller sizes, so both ways into the colour matrix are checked.
  plan.pictureWidth = 1920;
  plan.pictureHeight = 1080;
  plan.width = c.width;
  plan.height = c.height;
  plan.pictures = 30;  // 1.2 s
  if (c.withSound) {
    test::makeToneMp3(dir / "song.mp3", 2.0, 44100, 2);
    plan.songs = {dir / "song.mp3"};
  }
  const auto output = dir / "album.mp4";
  const test::AlbumResult result = test::convertAlbum(plan, output, dir / "frame.bmp");
  ASSERT_TRUE(result.ok) << result.errorText.toStdString();
  EXPECT_FALSE(std::filesystem::exists(output.string() + ".part"));

  // A browser can start playing once it has the index, so it comes before the media data.
  const std::vector<std::string> boxes = test::mp4Boxes(output);
  const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
  const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
  ASSERT_NE(moov, boxes.end());
  ASSERT_NE(mdat, boxes.end());
  EXPECT_LT(moov, mdat);

  const int k = 17;
  const test::MediaFacts facts = test::readMedia(output, {k});
  EXPECT_EQ(facts.container, "mov,mp4,m4a,3gp,3g2,mj2");
  EXPECT_NEAR(facts.seconds, 1.2, 0.05);
  ASSERT_TRUE(facts.video.present);
  EXPECT_EQ(facts.video.codec, "h264");
  EXPECT_EQ(facts.video.profile, "High");
  EXPECT_EQ(facts.video.level, c.level);
  EXPECT_EQ(facts.video.pixelFormat, "yuv420p");
  EXPECT_EQ(facts.video.colourSpace, c.colourSpace);
  EXPECT_EQ(facts.video.width, c.width);
  EXPECT_EQ(facts.video.height, c.height);
  EXPECT_NEAR(facts.video.frameRate, 25.0, 0.01);
  EXPECT_EQ(facts.video.frames, 30);

  ASSERT_EQ(facts.pictures.size(), 1u);
  const QRgb shown = facts.pictures[0].pixel(c.width / 2, c.height / 2);
  EXPECT_LE(test::colourDistance(shown, test::pictureColour(k)), 6)
      << std::hex << shown << " vs " << test::pictureColour(k);

  EXPECT_EQ(facts.audio.present, c.withSound);
  if (c.withSound) {
    EXPECT_EQ(facts.audio.codec, "aac");
    EXPECT_EQ(facts.audio.profile, "LC");
    EXPECT_EQ(facts.audio.sampleRate, 48000);
    EXPECT_EQ(facts.audio.channels, 2);
    // The 2 s song stops with the 1.2 s of pictures.
    EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, 1.2, 0.05);
  }
}

const Mp4Case kMp4Cases[] = {
    {"HighQualityWithSound", 1920, 1080, true, "bt709", 40},
    {"HighQualitySilent", 1920, 1080, false, "bt709", 40},
    {"NormalQualityWithSound", 1280, 720, true, "bt709", 31},
    {"NormalQualitySilent", 1280, 720, false, "bt709", 31},
    // A standard-definition size of the output-size window keeps the BT.601 matrix and says so.
    {"SmallSizeSilent", 640, 368, false, "smpte170m", 30},
};
INSTANTIATE_TEST_SUITE_P(Qualities, Mp4Albums, testing::ValuesIn(kMp4Cases), caseName);

TEST(Mp4Album, AKeyFrameComesAtLeastEveryTwoSeconds) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.still = true;  // nothing changes, so only the interval puts key frames in
  plan.pictures = 130;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "still.mp4", dir / "frame.bmp");
  ASSERT_TRUE(result.ok) << result.errorText.toStdString();
  std::vector<double> keys = test::readMedia(dir / "still.mp4").video.keyFrameTimes;
  std::sort(keys.begin(), keys.end());
  ASSERT_FALSE(keys.empty());
  EXPECT_NEAR(keys.front(), 0.0, 1e-6);
  keys.push_back(130 / 25.0);
  for (size_t i = 1; i < keys.size(); ++i) EXPECT_LE(keys[i] - keys[i - 1], 2.0 + 1e-6) << "after " << keys[i - 1];
}

TEST(Mp4Album, UnwritableFolderLeavesNoFile) {
  ScratchDir dir;
  test::writeFile(dir / "plain-file", "x");
  test::AlbumPlan plan;
  plan.pictures = 5;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "plain-file" / "album.mp4", dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kOutput);
  EXPECT_NE(result.errorText.indexOf("album.mp4"), -1) << result.errorText.toStdString();
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"plain-file"});
}

// Levels of H.264 Annex A for the High profile: frame size, macroblock rate, bit rate, buffer.
TEST(Mp4Profile, LevelIsTheLowestThatHoldsSizeRateAndBuffer) {
  struct Case {
    int width, height;
    long long maxRate, buffer;
    int level;
  };
  const Case cases[] = {
      {1920, 1080, 8'300'000, 16'600'000, 40},
      {1920, 1080, 30'000'000, 30'000'000, 41},  // above 25 Mb/s, High's limit at 4.0
      {1280, 720, 3'700'000, 7'400'000, 31},
      {1440, 816, 4'700'000, 9'400'000, 32},
      {800, 480, 1'500'000, 3'000'000, 30},
      {320, 176, 1'500'000, 3'000'000, 21},     // 2.0's buffer of 2.5 Mbit is too small
      {320, 176, 700'000, 1'000'000, 13},
  };
  for (const Case& c : cases)
    EXPECT_EQ(h264LevelFor(c.width, c.height, c.maxRate, c.buffer), c.level) << c.width << "x" << c.height;
}

TEST(Mp4Profile, RunsAt25WithACappedPeakWhateverTheStandard) {
  const OutputProfile p = chooseProfile(std::nullopt, TvStandard::Ntsc, "album.MP4", 1920, 1080);
  EXPECT_EQ(p.kind, OutputKind::Mp4);
  EXPECT_EQ(p.video.rateNum, 25);
  EXPECT_EQ(p.video.rateDen, 1);
  EXPECT_LE(p.video.gopSize, 50);
  EXPECT_GT(p.video.crf, 0);
  EXPECT_GT(p.video.maxRate, 0);
  EXPECT_LE(p.video.maxRate, 10'000'000);  // streams over an ordinary home connection
  ASSERT_TRUE(p.audio);
  EXPECT_EQ(p.audio->codec, "aac");
  EXPECT_EQ(p.audio->sampleRate, 48000);
  EXPECT_EQ(p.audio->bitRate, 192'000);
}

}  // namespace
}  // namespace solvane
