#include "templates/template_player.h"

#include <algorithm>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "model/error.h"
#include "support/fixtures.h"
#include "support/player_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

// A movie that uses every kind of layer, mask and motion, so that purity and seeking are
// checked against all of them. Slot 1 ends at rest in [100,100,800,450]; slot 2 in
// [1000,500,600,400]; particles stay in the bottom band; the opening picture wipes away
// in frames 0 ... 12; the outline settles at frame 10, so later frames start from a
// background painted once.
const char* kRichMovie = R"({
  "format": "solvane-movie", "version": 1, "frames": 40,
  "layers": [
    {"kind": "gradient", "stops": [[0, "#204060"], [1, "#102030"]]},
    {"kind": "shape", "shape": "rounded_rect", "box": [40, 40, 1840, 1000], "radius": 20,
     "stroke": {"width": 3, "color": "#ffffff80"}, "opacity": [[0, 0], [10, 1]]},
    {"kind": "glow", "box": [1500, 0, 400, 400], "color": "#ffeeaa", "x": [[0, -40], [39, 40]]},
    {"kind": "shape", "shape": "star", "box": [1700, 100, 100, 100], "color": "#ffd700",
     "rotation": [[0, 0], [39, 90, "linear"]]},
    {"kind": "picture", "source": "picture_1", "box": [100, 100, 800, 450], "radius": 12,
     "border": {"width": 10, "color": "#ffffff"}, "shadow": {"blur": 20, "opacity": 0.5},
     "x": [[0, -300], [20, 0, "outback"]], "rotation": [[0, -6], [20, 0]],
     "opacity": [[0, 0], [8, 1, "linear"]]},
    {"kind": "picture", "source": "picture_2", "box": [1000, 500, 600, 400],
     "zoom": [[0, 1], [39, 1.2, "sine"]], "pan_x": [[0, -1], [39, 1]],
     "mask": {"kind": "clock", "center": [1300, 700], "progress": [[0, 0], [20, 1]]}},
    {"kind": "particles", "style": "snow", "count": 20, "seed": 3, "box": [0, 960, 1920, 100],
     "size": [6, 10], "velocity": [1, 0], "sway": 5},
    {"kind": "picture", "source": "picture_0", "box": [0, 0, 1920, 1080], "end": 12,
     "mask": {"kind": "linear", "angle": 0, "softness": 200, "invert": true,
              "progress": [[0, 0], [12, 1]]}}
  ]})";

const QColor kOpening("#20c040"), kSlot1("#d02020"), kSlot2("#2040e0");

struct RichStage {
  ScratchDir dir;
  test::StagedMovie movie = test::stageMovie(dir.path(), kRichMovie);
  RichStage() {
    test::writeJpeg(movie.openingPicture, {1920, 1080}, kOpening);
    test::writeJpeg(movie.slotPicture(1), {800, 450}, kSlot1);
    test::writeJpeg(movie.slotPicture(2), {600, 400}, kSlot2);
  }
};

QImage frameAt(TemplatePlayer& player, int frame) {
  player.setFrameNum(frame);
  return player.grab();
}

TEST(TemplatePlayerProtocol, LoadingIssuesThePictureZeroCommandAndAnswersTheIdentity) {
  RichStage stage;
  TemplatePlayer player;
  EXPECT_FALSE(player.identityOk()) << "no movie yet";
  QStringList commands;
  player.setFSCommandHandler(
      [&](const QString& command, const QString&) { commands << command; });
  player.setMovie(stage.movie.moviePath);
  EXPECT_EQ(commands, QStringList{"picture_0"});
  EXPECT_EQ(player.GetVariable("l_x_z_f_c"), "l_x_z_f_c_s_y_w_j");
  EXPECT_TRUE(player.identityOk());
  EXPECT_EQ(player.Movie(), stage.movie.moviePath);
  EXPECT_EQ(player.TotalFrames(), 40);
  EXPECT_EQ(player.FrameNum(), 0);
  EXPECT_TRUE(player.missingPictures().isEmpty());
}

TEST(TemplatePlayerProtocol, HostStartSequenceLeavesFrameZeroShown) {
  RichStage stage;
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  player.SetVariable("xc_alpha", "0");
  player.setFrameNum(player.TotalFrames());
  player.setFrameNum(0);
  player.Stop();
  EXPECT_EQ(player.FrameNum(), 0);
  const QImage first = player.grab();
  EXPECT_TRUE(test::closeColour(first.pixel(960, 540), kOpening.rgb()))
      << "frame 0 shows the opening picture";
}

TEST(TemplatePlayerProtocol, SeeksBeforeTheStartShowFrameZeroAndPastTheEndTheLastFrame) {
  RichStage stage;
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  const QImage first = frameAt(player, 0);
  const QImage last = frameAt(player, 39);
  EXPECT_NE(first, last);
  for (int before : {-1, -5}) {
    EXPECT_EQ(frameAt(player, before), first) << before;
    EXPECT_EQ(player.FrameNum(), 0);
  }
  for (int past : {40, 41, 1000}) {
    EXPECT_EQ(frameAt(player, past), last) << past;
    EXPECT_EQ(player.FrameNum(), 39);
  }
}

TEST(TemplatePlayerProtocol, SeekingAnyFrameGivesThePictureThatSteppingGives) {
  RichStage stage;
  // A small host keeps the test quick; purity does not depend on the size.
  TemplatePlayer stepping;
  stepping.setSize({640, 360});
  stepping.setMovie(stage.movie.moviePath);
  std::vector<QImage> stepped;
  for (int f = -1; f < 40; ++f) stepped.push_back(frameAt(stepping, f));

  TemplatePlayer seeking;
  seeking.setSize({640, 360});
  seeking.setMovie(stage.movie.moviePath);
  std::vector<int> order(40);
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  for (int f : order) EXPECT_EQ(frameAt(seeking, f), stepped[size_t(f + 1)]) << "frame " << f;
}

TEST(TemplatePlayerProtocol, PicturesLandInTheirPlaces) {
  RichStage stage;
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  const QImage last = frameAt(player, 39);
  EXPECT_TRUE(test::closeColour(last.pixel(500, 325), kSlot1.rgb()));
  EXPECT_TRUE(test::closeColour(last.pixel(1300, 700), kSlot2.rgb()));
  EXPECT_TRUE(test::closeColour(last.pixel(95, 325), QColor(Qt::white).rgb(), 20)) << "border";
  EXPECT_FALSE(test::closeColour(last.pixel(960, 540), kOpening.rgb())) << "opening picture gone";
}

TEST(TemplatePlayerProtocol, PaintsAtThePreviewSizeWithTheSameLayout) {
  RichStage stage;
  TemplatePlayer player;
  player.setSize({800, 450});
  player.setMovie(stage.movie.moviePath);
  const QImage last = frameAt(player, 39);
  EXPECT_EQ(last.size(), QSize(800, 450));
  EXPECT_TRUE(test::closeColour(last.pixel(500 * 800 / 1920, 325 * 450 / 1080), kSlot1.rgb()));
  player.setSize({1920, 1080});
  EXPECT_EQ(player.grab().size(), QSize(1920, 1080));
}

TEST(TemplatePlayerProtocol, FadeVariableDarkensTheFrame) {
  RichStage stage;
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  player.setFrameNum(39);
  const QRgb plain = player.grab().pixel(500, 325);
  struct Case {
    const char* value;
    double keep;  // share of the colour left
  } cases[] = {{"0", 1.0}, {"50", 0.5}, {"100", 0.0}, {"250", 0.0}, {"-20", 1.0}, {"bright", 1.0}};
  for (const Case& c : cases) {
    player.SetVariable("xc_alpha", c.value);
    EXPECT_EQ(player.GetVariable("xc_alpha"), c.value);
    const QRgb shown = player.grab().pixel(500, 325);
    EXPECT_NEAR(qRed(shown), qRed(plain) * c.keep, 3) << c.value;
  }
}

TEST(TemplatePlayerPictures, MissingOrUnreadablePicturesLeaveTheirPlaceEmptyAndAreReported) {
  RichStage stage;
  std::filesystem::remove(stage.movie.slotPicture(2));
  test::writeFile(stage.movie.openingPicture, "not a jpeg at all");
  TemplatePlayer player;
  QStringList warned;
  QStringList commands;
  player.setPictureWarningHandler([&](const QString& path, const QString&) { warned << path; });
  player.setFSCommandHandler([&](const QString& c, const QString&) { commands << c; });
  ASSERT_NO_THROW(player.setMovie(stage.movie.moviePath));
  EXPECT_EQ(commands, QStringList{"picture_0"}) << "the movie still starts";
  const QStringList expected = {
      QString::fromStdString(stage.movie.openingPicture.string()),
      QString::fromStdString(stage.movie.slotPicture(2).string())};
  auto sorted = [](QStringList l) { l.sort(); return l; };
  EXPECT_EQ(sorted(player.missingPictures()), sorted(expected));
  EXPECT_EQ(sorted(warned), sorted(expected));
  const QImage last = frameAt(player, 39);
  EXPECT_TRUE(test::closeColour(last.pixel(500, 325), kSlot1.rgb())) << "other slots still shown";
  EXPECT_FALSE(test::closeColour(last.pixel(1300, 700), kSlot2.rgb()));
}

TEST(TemplatePlayerPictures, AnOpeningPictureStillInBitmapFormIsShown) {
  RichStage stage;
  QImage bitmap(1920, 1080, QImage::Format_RGB32);
  bitmap.fill(kOpening);
  ASSERT_TRUE(bitmap.save(QString::fromStdString(stage.movie.openingPicture.string()), "BMP"));
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  EXPECT_TRUE(player.missingPictures().isEmpty());
  EXPECT_TRUE(test::closeColour(frameAt(player, 0).pixel(960, 540), kOpening.rgb()));
}

TEST(TemplatePlayerPictures, AnOpeningPictureWithTransparencyLetsTheMovieShowThrough) {
  RichStage stage;
  QImage veil(1920, 1080, QImage::Format_ARGB32);
  veil.fill(QColor(0, 0, 0, 0));
  ASSERT_TRUE(veil.save(QString::fromStdString(stage.movie.openingPicture.string()), "PNG"));
  TemplatePlayer player;
  player.setMovie(stage.movie.moviePath);
  const QRgb shown = frameAt(player, 0).pixel(960, 540);
  EXPECT_FALSE(test::closeColour(shown, qRgb(0, 0, 0))) << "the background below is painted";
}

TEST(TemplatePlayerPictures, LoadingAgainPicksUpPicturesThatChangedAndReportsAgain) {
  RichStage stage;
  std::filesystem::remove(stage.movie.slotPicture(2));
  TemplatePlayer player;
  int commands = 0, warnings = 0;
  player.setFSCommandHandler([&](const QString&, const QString&) { ++commands; });
  player.setPictureWarningHandler([&](const QString&, const QString&) { ++warnings; });
  player.setMovie(stage.movie.moviePath);
  player.setMovie(stage.movie.moviePath);
  EXPECT_EQ(commands, 2);
  EXPECT_EQ(warnings, 2) << "the same missing file is reported at every load";
  EXPECT_EQ(player.missingPictures().size(), 1);

  // The next movie's opening picture and a replaced slot picture arrive under the same names.
  const QColor opening2("#e0e020"), slot1b("#20e0e0");
  test::writeJpeg(stage.movie.openingPicture, {1920, 1080}, opening2);
  test::writeJpeg(stage.movie.slotPicture(1), {800, 450}, slot1b);
  test::writeJpeg(stage.movie.slotPicture(2), {600, 400}, kSlot2);
  player.setMovie(stage.movie.moviePath);
  EXPECT_TRUE(player.missingPictures().isEmpty());
  EXPECT_TRUE(test::closeColour(frameAt(player, 0).pixel(960, 540), opening2.rgb()));
  const QImage last = frameAt(player, 39);
  EXPECT_TRUE(test::closeColour(last.pixel(500, 325), slot1b.rgb()));
  EXPECT_TRUE(test::closeColour(last.pixel(1300, 700), kSlot2.rgb()));
}

TEST(TemplatePlayerPictures, APlayerKeepingNoLoadsShowsEveryMovieAsAFreshPlayerDoes) {
  RichStage first, second;
  test::writeJpeg(second.movie.slotPicture(1), {800, 450}, QColor("#20e0e0"));
  TemplatePlayer fresh;
  fresh.setMovie(first.movie.moviePath);
  const QImage firstFrame = frameAt(fresh, 30);
  fresh.setMovie(second.movie.moviePath);
  const QImage secondFrame = frameAt(fresh, 30);

  TemplatePlayer player;
  player.setMovie(first.movie.moviePath);
  player.setKeptLoads(0);  // let go of what is kept while a movie is shown
  EXPECT_EQ(frameAt(player, 30), firstFrame);
  player.setMovie(second.movie.moviePath);
  EXPECT_EQ(frameAt(player, 30), secondFrame);
  player.setMovie(first.movie.moviePath);
  EXPECT_EQ(frameAt(player, 30), firstFrame);
}

TEST(TemplatePlayerMovieErrors, BadMoviesAreRejectedWithTheFileNamed) {
  struct Case {
    const char* name;
    const char* text;
    const char* reason;  // part of the message
  } cases[] = {
      {"not json", "FWS\x07 binary movie", "not a movie file"},
      {"other format", R"({"format": "other", "version": 1, "frames": 5, "layers": []})",
       "not a movie file"},
      {"future version", R"({"format": "solvane-movie", "version": 9, "frames": 5, "layers": []})",
       "version 9"},
      {"no frames", R"({"format": "solvane-movie", "version": 1, "layers": []})", "frames"},
      {"unknown layer kind",
       R"({"format": "solvane-movie", "version": 1, "frames": 5, "layers": [{"kind": "video"}]})",
       "unknown kind \"video\""},
      {"unknown easing",
       R"({"format": "solvane-movie", "version": 1, "frames": 5,
           "layers": [{"kind": "solid", "x": [[0, 1], [4, 2, "bouncy"]]}]})",
       "unknown easing \"bouncy\""},
      {"bad source",
       R"({"format": "solvane-movie", "version": 1, "frames": 5,
           "layers": [{"kind": "picture", "source": "photo"}]})",
       "source"},
      {"bad colour",
       R"({"format": "solvane-movie", "version": 1, "frames": 5,
           "layers": [{"kind": "solid", "color": "red"}]})",
       "not a colour"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const test::StagedMovie movie = test::stageMovie(dir.path(), c.text);
    TemplatePlayer player;
    bool commanded = false;
    player.setFSCommandHandler([&](const QString&, const QString&) { commanded = true; });
    try {
      player.setMovie(movie.moviePath);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains("w_j_1.rar")) << c.name << ": " << e.what();
      EXPECT_TRUE(e.message().contains(c.reason)) << c.name << ": " << e.what();
    }
    EXPECT_FALSE(commanded) << c.name;
    EXPECT_EQ(player.TotalFrames(), 0) << c.name;
    EXPECT_FALSE(player.identityOk()) << c.name;
    const QImage black = player.grab();
    EXPECT_EQ(black.pixel(10, 10), qRgb(0, 0, 0)) << c.name;
  }
}

TEST(TemplatePlayerMovieErrors, MissingMovieFileIsNamed) {
  ScratchDir dir;
  TemplatePlayer player;
  const QString path = dir.qpath() + "/nowhere/w_j_3.rar";
  try {
    player.setMovie(path);
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("w_j_3.rar")) << e.what();
  }
}

}  // namespace
}  // namespace solvane
