// The camera over the whole composition and the named entrances and exits: what they do to
// a layer at given frames, how the camera carries layers by their parallax, and the movies
// the loader refuses because they would show past the canvas or contradict themselves.
#include <gtest/gtest.h>

#include "model/error.h"
#include "support/fixtures.h"
#include "support/player_fixtures.h"
#include "templates/movie_model.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

QByteArray movieText(const char* camera, const char* layers, int frames = 40) {
  return QByteArray(R"({"format": "solvane-movie", "version": 2, "frames": )") +
         QByteArray::number(frames) + (camera[0] ? QByteArray(", \"camera\": ") + camera : "") +
         ", \"layers\": [" + layers + "]}";
}

TEST(MovieMoves, AnEntranceArrivesAtRestAndAnExitLeavesFromIt) {
  const Movie m = parse_movie(movieText("", R"({"kind": "solid", "box": [0, 0, 100, 100],
      "x": 30, "enter": {"move": "left", "at": 10, "length": 10, "distance": 400},
      "leave": {"move": "rise", "at": 30, "length": 5, "easing": "linear"}})"), "m.rar");
  const Transform& t = m.layers[0].transform;
  EXPECT_DOUBLE_EQ(t.pose(0).x, 30 - 400) << "waits off to the left";
  EXPECT_DOUBLE_EQ(t.pose(0).opacity, 0);
  EXPECT_DOUBLE_EQ(t.pose(20).x, 30) << "arrives where its own keys put it";
  EXPECT_DOUBLE_EQ(t.pose(20).opacity, 1);
  EXPECT_DOUBLE_EQ(t.pose(29).y, 0);
  EXPECT_GT(t.pose(35).y, 200) << "has risen away";
  EXPECT_EQ(t.settledFrom(), 35);
}

TEST(MovieMoves, AFlipTurnsTheCardEdgeOnWithoutFading) {
  const Movie m = parse_movie(movieText("", R"({"kind": "solid",
      "enter": {"move": "flip", "at": 0, "length": 10}})"), "m.rar");
  EXPECT_DOUBLE_EQ(m.layers[0].transform.pose(0).turn, 90);
  EXPECT_DOUBLE_EQ(m.layers[0].transform.pose(0).opacity, 1);
  EXPECT_DOUBLE_EQ(m.layers[0].transform.pose(10).turn, 0);
}

TEST(MovieCamera, CarriesLayersByTheirParallaxButNeverTheOpeningPicture) {
  const Movie m = parse_movie(
      movieText(R"({"x": [[0, 960], [10, 1200]], "zoom": [[0, 1], [10, 2]]})",
                R"({"kind": "solid"}, {"kind": "solid", "parallax": 0.5},
                   {"kind": "picture", "source": "picture_0"})"),
      "m.rar");
  EXPECT_DOUBLE_EQ(m.layers[0].parallax, 1);
  EXPECT_DOUBLE_EQ(m.layers[2].parallax, 0) << "the opening picture stays put by default";
  const QTransform full = m.camera.view(10, 1), half = m.camera.view(10, 0.5);
  EXPECT_EQ(full.map(QPointF(1200, 540)), QPointF(960, 540)) << "the view centres on x";
  EXPECT_DOUBLE_EQ(full.m11(), 2);
  EXPECT_DOUBLE_EQ(half.m11(), 1.5);
  EXPECT_EQ(half.map(QPointF(1080, 540)), QPointF(960, 540));
  EXPECT_TRUE(m.camera.view(10, 0).isIdentity());
}

TEST(MovieCamera, ZoomingInShowsTheMiddleLargerAndLeavesStillLayersAlone) {
  // A white square in the middle of a black field, and a red corner mark that does not
  // follow the camera. At zoom 2 the square covers twice the width.
  const QByteArray text = movieText(R"({"zoom": [[0, 1], [10, 2, "linear"]]})",
      R"({"kind": "solid", "color": "#000000", "parallax": 0},
         {"kind": "shape", "shape": "rect", "box": [860, 440, 200, 200], "color": "#ffffff"},
         {"kind": "shape", "shape": "rect", "box": [0, 0, 100, 100], "color": "#ff0000",
          "parallax": 0})", 11);
  test::ScratchDir dir;
  const test::StagedMovie stage = test::stageMovie(dir.path(), text);
  test::writeJpeg(stage.openingPicture, {480, 270}, Qt::black);
  TemplatePlayer player;
  player.setSize({480, 270});
  player.setMovie(stage.moviePath);
  // 1 picture pixel = 4 canvas pixels; the square spans canvas x 860 ... 1060 at zoom 1.
  player.setFrameNum(0);
  QImage f = player.grab();
  EXPECT_TRUE(test::closeColour(f.pixel(240, 135), qRgb(255, 255, 255)));
  EXPECT_TRUE(test::closeColour(f.pixel(200, 135), qRgb(0, 0, 0))) << "canvas x 800 is outside";
  player.setFrameNum(10);
  f = player.grab();
  EXPECT_TRUE(test::closeColour(f.pixel(200, 135), qRgb(255, 255, 255))) << "grown past x 800";
  EXPECT_TRUE(test::closeColour(f.pixel(12, 12), qRgb(255, 0, 0))) << "the still mark stays";
}

struct Refused {
  const char* name;
  const char* camera;
  const char* layer;
  const char* message;
};

TEST(MovieCamera, RefusesMoviesThatShowPastTheCanvasOrContradictThemselves) {
  const Refused cases[] = {
      {"zoom below 1", R"({"zoom": [[0, 1], [20, 0.8]]})", R"({"kind": "solid"})",
       "m.rar: camera: \"zoom\" below 1 at frame 1 would show past the canvas"},
      {"view past the edge", R"({"x": [[0, 960], [10, 1400]], "zoom": 1.5})", R"({"kind": "solid"})",
       "m.rar: camera: the view passes the canvas edge at frame 6"},
      {"parallax above 1", "", R"({"kind": "solid", "parallax": 2})",
       "m.rar: layer 0: \"parallax\" must lie between 0 and 1"},
      {"unknown move", "", R"({"kind": "solid", "enter": {"move": "wobble"}})",
       "m.rar: layer 0: unknown move \"wobble\""},
      {"exit during the entrance", "",
       R"({"kind": "solid", "enter": {"move": "fade", "at": 0, "length": 20},
           "leave": {"move": "fade", "at": 10}})",
       "m.rar: layer 0: \"leave\" begins before \"enter\" has ended"},
      {"move outside the movie", "", R"({"kind": "solid", "enter": {"move": "fade", "at": 90}})",
       "m.rar: layer 0: a move's \"at\" lies outside the movie"},
  };
  for (const Refused& c : cases) {
    try {
      parse_movie(movieText(c.camera, c.layer), "m.rar");
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.message().toStdString(), c.message) << c.name;
    }
  }
}

TEST(MovieFile, AnInstantPrintHasADeeperLowerBorder) {
  const QByteArray text = movieText("",
      R"({"kind": "solid", "color": "#000000"},
         {"kind": "picture", "source": "picture_1", "box": [760, 340, 400, 300],
          "border": {"width": 20, "color": "#ffffff", "bottom": 80}})", 5);
  test::ScratchDir dir;
  const test::StagedMovie stage = test::stageMovie(dir.path(), text);
  test::writeJpeg(stage.openingPicture, {480, 270}, Qt::black);
  test::writeJpeg(stage.slotPicture(1), {400, 300}, QColor("#2040c0"));
  TemplatePlayer player;
  player.setSize({1920, 1080});
  player.setMovie(stage.moviePath);
  player.setFrameNum(0);
  const QImage f = player.grab();
  EXPECT_TRUE(test::closeColour(f.pixel(960, 330), qRgb(255, 255, 255))) << "top border";
  EXPECT_TRUE(test::closeColour(f.pixel(960, 700), qRgb(255, 255, 255))) << "deep lower border";
  EXPECT_TRUE(test::closeColour(f.pixel(960, 750), qRgb(0, 0, 0))) << "below the print";
}

}  // namespace
}  // namespace solvane
