// Numbers beyond what the program can hold, in the files the fuzzer found them in: each is
// refused by the movie reader's own message (never an exception of the JSON library, never
// an out-of-range conversion), and KSC durations beyond int are clamped.
#include <gtest/gtest.h>

#include "lyrics/ksc_reader.h"
#include "model/error.h"
#include "templates/movie_model.h"

namespace solvane {
namespace {

struct MovieNumber {
  const char* text;
  const char* message;
};

class MovieNumbers : public testing::TestWithParam<MovieNumber> {};

TEST_P(MovieNumbers, AreRefusedWithTheMovieMessage) {
  try {
    parse_movie(GetParam().text, "m.rar");
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(GetParam().message)))
        << e.message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Beyond, MovieNumbers,
    testing::Values(
        MovieNumber{R"({"format": "solvane-movie", "version": 1e3002, "layers": []})",
                    "m.rar: not a movie file ([json.exception.out_of_range.406] number overflow"},
        MovieNumber{R"({"format": "solvane-movie", "version": 1e300, "layers": []})",
                    "m.rar: movie format version 2000000000 is not supported"},
        MovieNumber{R"({"format": "solvane-movie", "version": 1, "frames": -1e300, "layers": []})",
                    "m.rar: \"frames\" must be 1 or more"},
        MovieNumber{R"({"format": "solvane-movie", "version": 1, "frames": 9,
                        "layers": [{"kind": "glow", "start": 1e300}]})",
                    "m.rar: layer 0: \"start\" lies outside the movie"}));

TEST(KscDurations, BeyondIntAreClampedAndNotANumberCountsAsNoFrames) {
  KaraokeTiming timing;
  timing.readText(QStringLiteral("karaoke.add('00:01.000', '00:09.000', 'abc', '1e30,nan,-1e30');"),
                  KscVariant::Render, 25, QStringLiteral("jianti"));
  ASSERT_EQ(timing.unitCount(0), 3);
  EXPECT_EQ(timing.grid(3).cell(1, 0), QStringLiteral("1000000000"));
  EXPECT_EQ(timing.grid(3).cell(2, 0), QStringLiteral("0"));
  EXPECT_EQ(timing.grid(3).cell(3, 0), QStringLiteral("-1000000000"));
}

}  // namespace
}  // namespace solvane
