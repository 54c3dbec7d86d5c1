#include "render/render_driver.h"

#include <vector>

#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "support/album_fixtures.h"
#include "support/fixtures.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

const QColor kFirst = QColor("#ff0000");
const QColor kSecond = QColor("#00ff00");
const QColor kClosing = QColor("#0000ff");
const QColor kOverlay = QColor("#ffff00");

// What one album frame shows: black, or the movie frames its markers stand for.
struct Seen {
  bool black = false;
  int first = -1;
  int second = -1;
  int closing = -1;
  bool operator==(const Seen&) const = default;
};

Seen look(const QImage& frame) {
  return {test::isBlack(frame), test::markerFrame(frame, kFirst), test::markerFrame(frame, kSecond),
          test::markerFrame(frame, kClosing)};
}

std::ostream& operator<<(std::ostream& os, const Seen& s) {
  return os << "{black " << s.black << ", first " << s.first << ", second " << s.second
            << ", closing " << s.closing << "}";
}

class RenderDriverTest : public testing::Test {
 protected:
  RenderDriverTest() : workspace(dir.qpath(), dir.qpath()), driver(project, workspace, player) {
    test::stageClosingMovie(workspace, test::markerMovie(100, kClosing));
  }

  // Runs the album the way the converter does: frame i is whatever was published last, then
  // the frame step for i runs.
  std::vector<Seen> runAlbum() {
    QImage latest;
    driver.setFramePublisher([&](const QImage& frame) { latest = frame; });
    driver.StartAlbum();
    std::vector<Seen> seen;
    for (long long i = 0; i < driver.frameCount(); ++i) {
      EXPECT_EQ(latest.size(), QSize(1920, 1080));
      seen.push_back(look(latest));
      driver.FrameStep();
    }
    return seen;
  }

  QImage openingPicture() const {
    return QImage(workspace.WorkPath("smxcwjj\\tp_wjj\\pic\\picture_0.rar"), "JPG");
  }

  test::ScratchDir dir;
  Workspace workspace;
  Project project;
  TemplatePlayer player;
  RenderDriver driver;
};

TEST_F(RenderDriverTest, OneInstanceOfFiftyFramesThenNinetyNineClosingPictures) {
  test::stageInstance(project, workspace, 1, test::markerMovie(50, kFirst), 50);
  const std::vector<Seen> seen = runAlbum();

  ASSERT_EQ(driver.frameCount(), 150);
  ASSERT_EQ(seen.size(), 150u);
  EXPECT_EQ(seen[0], (Seen{true, -1, -1, -1}));
  // Seeks -1, 0, 1, ..., 48: the first frame twice, the 50th frame never.
  EXPECT_EQ(seen[1].first, 0);
  EXPECT_EQ(seen[2].first, 0);
  for (int k = 3; k <= 50; ++k) EXPECT_EQ(seen[k].first, k - 2) << "album frame " << k;
  for (const Seen& s : seen) EXPECT_NE(s.first, 49);
  // The closing movie opens on the uncovered last picture (frame 48) and fills the rest.
  EXPECT_EQ(seen[51].closing, 0);
  EXPECT_EQ(seen[51].first, 48);
  EXPECT_EQ(seen[52].closing, 0);
  for (int k = 53; k < 150; ++k) EXPECT_EQ(seen[k].closing, k - 52) << "album frame " << k;
  EXPECT_TRUE(driver.soundList().isEmpty());
  EXPECT_TRUE(driver.state().closingStarted);
  EXPECT_EQ(driver.state().Edit_Num, 150);
  EXPECT_EQ(driver.state().Edit_shijian, "00:06");
}

TEST_F(RenderDriverTest, SecondMovieOpensOnTheFirstsFrame48WithoutOverlays) {
  test::stageInstance(project, workspace, 1, test::markerMovie(50, kFirst), 50);
  test::stageInstance(project, workspace, 2, test::markerMovie(30, kSecond), 30);

  // An overlay that covers the marker row wherever it is drawn; it must never reach the
  // opening pictures, which are written while the overlays are hidden.
  bool shown = false;
  QStringList calls;
  std::vector<QImage> openings;
  OverlayHooks hooks;
  hooks.hideOverlays = [&] { shown = false; calls << "hide"; };
  hooks.showOverlays = [&] {
    shown = true;
    calls << "show";
    openings.push_back(openingPicture());
  };
  hooks.composeOverBackground = [&](QImage& frame) {
    if (!shown) return;
    frame.setPixel(1900, test::kMarkerRow, kOverlay.rgb());
    for (int x = 1800; x < 1900; ++x) frame.setPixel(x, test::kMarkerRow, kOverlay.rgb());
  };
  int steps = 0;
  hooks.lyricStep = [&](const RenderState&) { ++steps; };
  driver.setOverlayHooks(hooks);
  const std::vector<Seen> seen = runAlbum();

  ASSERT_EQ(driver.frameCount(), 50 + 30 + 100);
  EXPECT_EQ(steps, 180);
  ASSERT_EQ(openings.size(), 3u + 2u);  // start of each movie, plus after each movie change
  // Movie 2 starts after frame 48 of movie 1 was photographed: its opening picture is that
  // frame, uncovered.
  const QImage secondOpening = openingPicture();
  EXPECT_EQ(test::markerFrame(secondOpening, kSecond), 28);  // last one written: the closing's
  for (const QImage& opening : openings) {
    EXPECT_EQ(test::markerFrame(opening, kOverlay), -1);
  }
  EXPECT_EQ(seen[51].second, 0);
  EXPECT_EQ(seen[51].first, 48);
  EXPECT_EQ(seen[52].second, 0);
  EXPECT_EQ(seen[80].second, 28);
  EXPECT_EQ(seen[81].closing, 0);
  EXPECT_EQ(seen[81].second, 28);
  EXPECT_EQ(seen[81].first, 48);  // kept inside movie 2's last picture
  EXPECT_TRUE(test::isBlack(openings[0]));
  EXPECT_EQ(test::markerFrame(openings[1], kFirst), 48);
  EXPECT_EQ(test::markerFrame(openings[2], kFirst), 48);
  EXPECT_EQ(test::markerFrame(openings[3], kSecond), 28);
  EXPECT_EQ(project.ListView_moban_shiyong_shuliang_2.count(), 2);
  EXPECT_EQ(calls.first(), "hide");
}

TEST_F(RenderDriverTest, InstanceTableTakesOnlyRowsOfInstancesOneToN) {
  test::stageInstance(project, workspace, 1, test::markerMovie(10, kFirst), 10);
  test::stageInstance(project, workspace, 2, test::markerMovie(12, kSecond), 12);
  Table& photos = project.ListView_daoruxiangpian;
  for (const char* stray : {"0", "3", "x"}) {
    QStringList row = photos.row(0);
    row[photo_col::template_folder] = stray;
    row[photo_col::tpl_frame_count] = "999";
    row[photo_col::template_path] = "stray.rar";
    photos.append(row);
  }
  driver.StartAlbum();

  const Table& instances = project.ListView_moban_shiyong_shuliang;
  ASSERT_EQ(instances.count(), 2);
  EXPECT_EQ(instances.row(0),
            (QStringList{"1", "1", "11", "1", "lib/t1.rar", "|heng|", "|picture_1|", "10",
                         workspace.WorkPath("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_1\\w_j_1.rar")}));
  EXPECT_EQ(instances.cell(1, instance_col::tpl_frame_count), "12");
  EXPECT_EQ(driver.frameCount(), 10 + 12 + 100);
  EXPECT_EQ(project.ListView_moban_shiyong_shuliang_2.row(1), instances.row(1));
}

TEST_F(RenderDriverTest, InstanceWithoutPhotographsStopsTheAlbumBeforeEncoding) {
  test::stageInstance(project, workspace, 1, test::markerMovie(10, kFirst), 10);
  project.Edit_mobanleijia_sum = "2";
  test::stageInstance(project, workspace, 2, test::markerMovie(10, kSecond), 10);
  project.ListView_daoruxiangpian.remove(1);
  driver.setFramePublisher({});
  EXPECT_THROW(driver.StartAlbum(), Error);  // instance 2 has a movie but no photograph
}

TEST_F(RenderDriverTest, SoundListIsTheMusicOnceOrEmptyWithoutMusic) {
  test::stageInstance(project, workspace, 1, test::markerMovie(10, kFirst), 10);
  test::addMusicRow(project, "/m/a.mp3", 50);
  test::addMusicRow(project, "/m/b.mp3", 25);
  driver.StartAlbum();
  EXPECT_EQ(driver.soundList(), (QStringList{"/m/a.mp3", "/m/b.mp3"}));
  EXPECT_EQ(driver.frameCount(), 110);

  project.ListView_daoru_yinyue.clear();
  driver.StartAlbum();
  EXPECT_TRUE(driver.soundList().isEmpty());
}

struct LengthCase {
  const char* name;
  bool followMusic;
  bool musicLoop;
  bool pictureLoop;
  std::vector<int> songFrames;
  long long frames;
  int soundEntries;
};

class AlbumLengthRules : public RenderDriverTest,
                         public testing::WithParamInterface<LengthCase> {};

TEST_P(AlbumLengthRules, FrameCountAndSoundListFollowTheRule) {
  const LengthCase& c = GetParam();
  test::stageInstance(project, workspace, 1, test::markerMovie(20, kFirst), 20);
  test::stageInstance(project, workspace, 2, test::markerMovie(30, kSecond), 30);
  for (size_t i = 0; i < c.songFrames.size(); ++i)
    test::addMusicRow(project, QStringLiteral("/m/%1.mp3").arg(i), c.songFrames[i]);
  project.Edit_tongbu_shezhi =
      c.followMusic ? word::sui_yinyue_tongbu : word::sui_zhaopian_tongbu;
  project.album_loops = {c.musicLoop, c.pictureLoop};
  driver.StartAlbum();
  EXPECT_EQ(driver.frameCount(), c.frames);
  EXPECT_EQ(driver.soundList().size(), c.soundEntries);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, AlbumLengthRules,
    testing::Values(LengthCase{"photos", false, false, false, {75}, 150, 1},
                    LengthCase{"photosMusicLoopRepeatsToCover", false, true, false, {50, 25}, 150, 4},
                    LengthCase{"photosMusicLoopLongSong", false, true, false, {500}, 150, 1},
                    LengthCase{"music", true, false, false, {75, 100}, 175, 2},
                    LengthCase{"musicShorterThanMovies", true, false, false, {25}, 25, 1},
                    LengthCase{"musicWithLoops", true, true, true, {200}, 200, 1},
                    LengthCase{"musicRuleWithoutMusicFollowsPhotos", true, false, false, {}, 150, 0}),
    [](const testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

TEST_F(RenderDriverTest, MusicRuleHoldsTheLastPictureWithoutClosingMovie) {
  test::stageInstance(project, workspace, 1, test::markerMovie(20, kFirst), 20);
  test::addMusicRow(project, "/m/a.mp3", 50);
  project.Edit_tongbu_shezhi = word::sui_yinyue_tongbu;
  const std::vector<Seen> seen = runAlbum();
  ASSERT_EQ(seen.size(), 50u);
  EXPECT_EQ(seen[20].first, 18);
  for (int k = 21; k < 50; ++k) {
    EXPECT_EQ(seen[k].first, 18) << k;
    EXPECT_EQ(seen[k].closing, -1) << k;
  }
  EXPECT_FALSE(driver.state().closingStarted);
}

TEST_F(RenderDriverTest, MusicRuleWithPictureLoopStartsTheMoviesAgain) {
  test::stageInstance(project, workspace, 1, test::markerMovie(20, kFirst), 20);
  test::stageInstance(project, workspace, 2, test::markerMovie(10, kSecond), 10);
  test::addMusicRow(project, "/m/a.mp3", 75);
  project.Edit_tongbu_shezhi = word::sui_yinyue_tongbu;
  project.album_loops.picture_loop = true;
  const std::vector<Seen> seen = runAlbum();
  ASSERT_EQ(seen.size(), 75u);
  EXPECT_EQ(seen[30].second, 8);
  // The first movie again, opening on the second's last picture.
  EXPECT_EQ(seen[31].first, 0);
  EXPECT_EQ(seen[31].second, 8);
  EXPECT_EQ(seen[50].first, 18);
  EXPECT_EQ(seen[51].second, 0);
  EXPECT_EQ(seen[61].first, 0);
  EXPECT_EQ(seen[74].first, 12);
  for (const Seen& s : seen) EXPECT_EQ(s.closing, -1);
}

TEST_F(RenderDriverTest, MissingOrForeignMovieStopsTheAlbumNamingTheFile) {
  test::stageInstance(project, workspace, 1, test::markerMovie(20, kFirst), 20);
  test::stageInstance(project, workspace, 2, "this is not a movie", 20);
  QImage latest;
  driver.setFramePublisher([&](const QImage& f) { latest = f; });
  driver.StartAlbum();
  try {
    for (int i = 0; i < 20; ++i) driver.FrameStep();
    ADD_FAILURE() << "the foreign movie was played";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("w_j_2.rar")) << e.what();
  }
}

}  // namespace
}  // namespace solvane
