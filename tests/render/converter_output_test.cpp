// Every output kind is encoded from a short generated album and reopened with libavformat.
#include <cmath>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "converter_test_album.h"
#include "render/converter.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

struct KindCase {
  const char* name;
  std::optional<FormatPreset> preset;
  TvStandard standard;
  const char* ending;
  const char* container;
  const char* videoCodec;
  const char* audioCodec;
  int sampleRate;
  bool withSound;
};

std::string caseName(const testing::TestParamInfo<KindCase>& info) { return info.param.name; }

// Output frame that shows picture k: NTSC repeats pictures so 25 of them fill one second.
long long outputFrameOf(int k, double frameRate) { return static_cast<long long>(std::ceil(k * frameRate / 25.0 - 1e-9)); }

class ConverterKinds : public testing::TestWithParam<KindCase> {};

TEST_P(ConverterKinds, AlbumReopensWithExpectedStreamsLengthAndPictures) {
  const KindCase& c = GetParam();
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.preset = c.preset;
  plan.standard = c.standard;
  plan.pictures = 30;  // 1.2 s
  if (c.withSound) {
    test::makeToneMp3(dir / "song.mp3", 2.0, 44100, 2);
    plan.songs = {dir / "song.mp3"};
  }
  const auto output = dir / (std::string("album.") + c.ending);
  const test::AlbumResult result = test::convertAlbum(plan, output, dir / "frame.bmp");
  ASSERT_TRUE(result.ok) << result.errorText.toStdString();
  EXPECT_EQ(result.error, 0);
  EXPECT_FALSE(std::filesystem::exists(output.string() + ".part"));

  // Only the MPEG presets know NTSC; AVI always runs at 25.
  const bool ntsc = c.preset && c.standard == TvStandard::Ntsc;
  const double rate = ntsc ? 30000.0 / 1001.0 : 25.0;
  const int k = 17;
  const test::MediaFacts facts = test::readMedia(output, {outputFrameOf(k, rate)});
  EXPECT_EQ(facts.container.find(c.container), 0u) << facts.container;
  ASSERT_TRUE(facts.video.present);
  EXPECT_EQ(facts.video.codec, c.videoCodec);
  EXPECT_EQ(facts.video.width, 320);
  EXPECT_EQ(facts.video.height, 180);
  EXPECT_NEAR(facts.video.frameRate, rate, 0.01);
  EXPECT_NEAR(facts.video.seconds(), 30 / 25.0, 1 / 25.0);

  ASSERT_EQ(facts.pictures.size(), 1u);
  const QImage& shown = facts.pictures[0];
  EXPECT_LE(test::colourDistance(shown.pixel(160, 90), test::pictureColour(k)), 12)
      << std::hex << shown.pixel(160, 90) << " vs " << test::pictureColour(k);

  EXPECT_EQ(facts.audio.present, c.withSound);
  if (c.withSound) {
    EXPECT_EQ(facts.audio.codec, c.audioCodec);
    EXPECT_EQ(facts.audio.sampleRate, c.sampleRate);
    EXPECT_EQ(facts.audio.channels, 2);
    // The 2 s song stops with the 1.2 s of pictures.
    EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, 1.2, 0.1);
  }
}

const KindCase kKinds[] = {
    {"VcdPalSound", FormatPreset::Vcd, TvStandard::Pal, "mpg", "mpeg", "mpeg1video", "mp2", 44100, true},
    {"VcdNtscSilent", FormatPreset::Vcd, TvStandard::Ntsc, "mpg", "mpeg", "mpeg1video", "mp2", 44100, false},
    {"VcdNtscSound", FormatPreset::Vcd, TvStandard::Ntsc, "mpg", "mpeg", "mpeg1video", "mp2", 44100, true},
    {"SvcdPalSilent", FormatPreset::Svcd, TvStandard::Pal, "mpg", "mpeg", "mpeg2video", "mp2", 44100, false},
    {"SvcdNtscSound", FormatPreset::Svcd, TvStandard::Ntsc, "mpg", "mpeg", "mpeg2video", "mp2", 44100, true},
    {"DvdPalSound", FormatPreset::Dvd, TvStandard::Pal, "mpg", "mpeg", "mpeg2video", "ac3", 48000, true},
    {"DvdPalSilent", FormatPreset::Dvd, TvStandard::Pal, "mpg", "mpeg", "mpeg2video", "ac3", 48000, false},
    {"DvdNtscSound", FormatPreset::Dvd, TvStandard::Ntsc, "mpg", "mpeg", "mpeg2video", "ac3", 48000, true},
    {"AviSound", std::nullopt, TvStandard::Pal, "avi", "avi", "mpeg4", "mp3", 44100, true},
    {"AviSilent", std::nullopt, TvStandard::Ntsc, "avi", "avi", "mpeg4", "mp3", 44100, false},
};
INSTANTIATE_TEST_SUITE_P(EveryKind, ConverterKinds, testing::ValuesIn(kKinds), caseName);

}  // namespace
}  // namespace solvane
