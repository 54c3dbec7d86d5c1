// The movie model: key-framed values and the parts of a movie file hosts rely on.
#include "templates/movie_model.h"

#include <gtest/gtest.h>

#include "model/error.h"

namespace solvane {
namespace {

struct KeyCase {
  const char* name;
  Easing easing;
  double frame;
  double expected;
};

TEST(AnimatedValue, HoldsBeforeAndAfterItsKeysAndEasesBetween) {
  const KeyCase cases[] = {
      {"before the first key", Easing::Linear, -5, 10},
      {"on the first key", Easing::Linear, 10, 10},
      {"linear half-way", Easing::Linear, 20, 15},
      {"in starts slowly", Easing::In, 20, 10 + 10 * 0.125},
      {"out starts quickly", Easing::Out, 20, 10 + 10 * 0.875},
      {"inout is symmetric", Easing::InOut, 20, 15},
      {"sine is symmetric", Easing::InOutSine, 20, 15},
      {"hold waits for the key", Easing::Hold, 29.9, 10},
      {"on the last key", Easing::OutBack, 30, 20},
      {"after the last key", Easing::Out, 1000, 20},
  };
  for (const KeyCase& c : cases) {
    const Animated v({{10, 10, Easing::Linear}, {30, 20, c.easing}});
    EXPECT_NEAR(v.at(c.frame), c.expected, 1e-9) << c.name;
  }
}

TEST(AnimatedValue, OutBackOvershootsBeforeLanding) {
  const Animated v({{0, 0, Easing::Linear}, {10, 1, Easing::OutBack}});
  double highest = 0;
  for (double f = 0; f <= 10; f += 0.25) highest = std::max(highest, v.at(f));
  EXPECT_GT(highest, 1.0);
  EXPECT_LT(highest, 1.2);
}

TEST(AnimatedValue, SettlesAtItsLastChange) {
  EXPECT_EQ(Animated(3).settledFrom(), 0);
  EXPECT_EQ(Animated({{0, 1, Easing::Linear}, {40, 1, Easing::Linear}}).settledFrom(), 0);
  EXPECT_EQ(Animated({{5, 0, Easing::Linear}, {24.5, 1, Easing::Out}}).settledFrom(), 25);
}

TEST(MovieFile, KeysAreReadInAnyOrderAndSlotsListedOnce) {
  const Movie m = parse_movie(R"({"format": "solvane-movie", "version": 1, "frames": 50,
    "layers": [
      {"kind": "picture", "source": "picture_2", "box": [0, 0, 400, 300],
       "opacity": [[30, 1], [0, 0, "linear"]]},
      {"kind": "picture", "source": "picture_1", "box": [500, 0, 640, 480]},
      {"kind": "picture", "source": "picture_2", "box": [0, 600, 100, 100]},
      {"kind": "picture", "source": "picture_0"}]})", "m.rar");
  EXPECT_EQ(m.frames, 50);
  EXPECT_EQ(m.slots(), (std::vector<int>{1, 2}));
  EXPECT_TRUE(m.usesOpeningPicture());
  ASSERT_NE(m.slotLayer(2), nullptr);
  EXPECT_EQ(m.slotLayer(2)->box, QRectF(0, 0, 400, 300)) << "the first layer of a slot sizes it";
  EXPECT_DOUBLE_EQ(m.layers[0].transform.opacity.at(15), 0.5);
  EXPECT_EQ(m.slotLayer(3), nullptr);
}

TEST(MovieFile, ErrorsNameTheLayer) {
  try {
    parse_movie(R"({"format": "solvane-movie", "version": 1, "frames": 5,
      "layers": [{"kind": "solid"}, {"kind": "shape", "shape": "hexagon"}]})", "m.rar");
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "m.rar: layer 1: unknown shape \"hexagon\"");
  }
}

}  // namespace
}  // namespace solvane
