// Reveals and hand-overs: which parts of the canvas a masked opening picture still covers
// part-way through, for every mask kind. The opening picture (green) lies over a red field.
#include "templates/template_player.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/player_fixtures.h"

namespace solvane {
namespace {

const QColor kOpening("#20c040"), kField("#d02020");

struct MaskCase {
  const char* name;
  const char* mask;         // JSON of the mask, progress 0 -> 1 over frames 0 ... 10
  QPoint covered;           // still shows the opening picture at frame 5
  QPoint revealed;          // already shows the field at frame 5
};

class MaskedHandOver : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskedHandOver, HalfWayTheOpeningPictureCoversOnlyItsRegion) {
  const MaskCase& c = GetParam();
  const QByteArray movie = QByteArray(R"({"format": "solvane-movie", "version": 1, "frames": 11,
    "layers": [{"kind": "solid", "color": "#d02020"},
               {"kind": "picture", "source": "picture_0", "mask": )") +
                           c.mask + "}]}";
  test::ScratchDir dir;
  const test::StagedMovie stage = test::stageMovie(dir.path(), movie);
  test::writeJpeg(stage.openingPicture, {480, 270}, kOpening);
  TemplatePlayer player;
  player.setSize({480, 270});
  player.setMovie(stage.moviePath);
  auto at = [](QPoint canvas) { return QPoint(canvas.x() / 4, canvas.y() / 4); };

  player.setFrameNum(0);
  const QImage start = player.grab();
  EXPECT_TRUE(test::closeColour(start.pixel(at(c.revealed)), kOpening.rgb())) << "frame 0 covered";
  player.setFrameNum(5);
  const QImage half = player.grab();
  EXPECT_TRUE(test::closeColour(half.pixel(at(c.covered)), kOpening.rgb())) << "still covered";
  EXPECT_TRUE(test::closeColour(half.pixel(at(c.revealed)), kField.rgb())) << "revealed";
  player.setFrameNum(10);
  const QImage end = player.grab();
  for (QPoint p : {c.covered, c.revealed, QPoint(4, 4), QPoint(1915, 1075)})
    EXPECT_TRUE(test::closeColour(end.pixel(at(p)), kField.rgb())) << "gone at the end";
}

const MaskCase kMasks[] = {
    {"iris", R"({"kind": "iris", "invert": true, "progress": [[0, 0], [10, 1, "linear"]]})",
     {40, 40}, {960, 540}},
    {"clock", R"({"kind": "clock", "invert": true, "progress": [[0, 0], [10, 1, "linear"]]})",
     {400, 540}, {1500, 540}},
    {"blinds", R"({"kind": "blinds", "count": 4, "invert": true,
                   "progress": [[0, 0], [10, 1, "linear"]]})",
     {400, 540}, {60, 540}},
    {"split", R"({"kind": "split", "invert": true, "progress": [[0, 0], [10, 1, "linear"]]})",
     {40, 540}, {960, 540}},
    {"box", R"({"kind": "box", "invert": true, "progress": [[0, 0], [10, 1, "linear"]]})",
     {20, 20}, {960, 540}},
    {"soft wipe", R"({"kind": "linear", "softness": 100, "invert": true,
                      "progress": [[0, 0], [10, 1, "linear"]]})",
     {1800, 540}, {200, 540}},
    {"hard wipe down", R"({"kind": "linear", "angle": 90, "invert": true,
                           "progress": [[0, 0], [10, 1, "linear"]]})",
     {960, 1000}, {960, 100}},
};

INSTANTIATE_TEST_SUITE_P(Kinds, MaskedHandOver, testing::ValuesIn(kMasks),
                         [](const testing::TestParamInfo<MaskCase>& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

}  // namespace
}  // namespace solvane
