// The sound track on its own: songs joined sample for sample, without clicks at the joins.
#include <cmath>

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

#include "render/sound_track.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

// Left channel of the whole track until the songs end.
std::vector<float> leftChannel(SoundTrack& track) {
  std::vector<float> samples;
  while (!track.songsEnded()) {
    av::FramePtr frame = track.nextFrame();
    const auto* left = reinterpret_cast<const float*>(frame->extended_data[0]);
    samples.insert(samples.end(), left, left + frame->nb_samples);
  }
  return samples;
}

TEST(SoundTrack, SongsFollowEachOtherWithoutGapsOrClicks) {
  ScratchDir dir;
  // The first song stops near a wave crest; the second differs in rate and channels.
  test::makeToneWav(dir / "first.wav", 0.300568, 44100, 1, 440);
  test::makeToneWav(dir / "second.wav", 0.25, 32000, 2, 1000);
  SoundTrack track({QString::fromStdString((dir / "first.wav").string()),
                    QString::fromStdString((dir / "second.wav").string())},
                   48000, AV_SAMPLE_FMT_FLTP, 1152);
  const std::vector<float> samples = leftChannel(track);

  // Every sample of both songs is there (the last frame is padded with silence).
  const double expected = 0.300568 * 48000 + 0.25 * 48000;
  EXPECT_GE(double(samples.size()), expected - 4);
  EXPECT_LT(double(samples.size()), expected + 1152);

  // No step larger than the 1000 Hz tone's own steepest one (0.5 * 2π * 1000 / 48000 ≈ 0.065).
  float largestStep = 0;
  for (size_t i = 1; i < samples.size(); ++i) largestStep = std::max(largestStep, std::abs(samples[i] - samples[i - 1]));
  EXPECT_LT(largestStep, 0.08f);

  // The songs are really there: loud in the middle of each.
  EXPECT_GT(std::abs(samples[size_t(0.15 * 48000)]) + std::abs(samples[size_t(0.15 * 48000) + 27]), 0.2f);
  EXPECT_GT(std::abs(samples[size_t(0.42 * 48000)]) + std::abs(samples[size_t(0.42 * 48000) + 12]), 0.2f);
}

TEST(SoundTrack, GoesOnInSilenceAfterTheLastSong) {
  ScratchDir dir;
  test::makeToneWav(dir / "song.wav", 0.05, 48000, 2);
  SoundTrack track({QString::fromStdString((dir / "song.wav").string())}, 48000, AV_SAMPLE_FMT_S16, 1024);
  leftChannel(track);
  for (int n = 0; n < 3; ++n) {
    av::FramePtr frame = track.nextFrame();
    const auto* pcm = reinterpret_cast<const int16_t*>(frame->extended_data[0]);
    EXPECT_TRUE(std::all_of(pcm, pcm + 2 * frame->nb_samples, [](int16_t v) { return v == 0; }));
  }
}

}  // namespace
}  // namespace solvane
