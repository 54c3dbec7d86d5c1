// The single-photograph preview: its working tree, the frames of one run in playing order,
// stopping, a movie that cannot be played, and the pace of showing.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "model/error.h"
#include "model/project.h"
#include "model/workspace.h"
#include "photos/photo_renderer.h"
#include "photos/staging.h"
#include "photos/staging_paths.h"
#include "render/photo_preview.h"
#include "support/album_fixtures.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

constexpr int kInstanceFrames = 10;
constexpr int kClosingFrames = 6;

class PhotoPreview : public ::testing::Test {
 protected:
  PhotoPreview() : ws(dir.qpath() + "/run", dir.qpath() + "/lib") {
    test::stageInstance(project, ws, 1, test::markerMovie(kInstanceFrames, Qt::red), kInstanceFrames);
    QImage slot(1200, 800, QImage::Format_RGB32);
    slot.fill(Qt::green);
    writeStagedPicture(slot, staging::slotPicture(ws, "1", "picture_1"));
    test::stageClosingMovie(ws, test::markerMovie(kClosingFrames, Qt::blue));
  }

  // Every frame of a run, waiting for the workers.
  std::vector<PreviewFrames::Frame> playAll(PreviewFrames& frames) {
    std::vector<PreviewFrames::Frame> out;
    QElapsedTimer clock;
    clock.start();
    while (!frames.done() && clock.elapsed() < 20000) {
      if (auto f = frames.take()) out.push_back(std::move(*f));
      else QThread::msleep(1);
    }
    return out;
  }

  test::ScratchDir dir;
  Workspace ws;
  Project project;
};

TEST_F(PhotoPreview, PreparationCopiesBothMoviesAndShrinksTheSlotPictures) {
  const PreviewMovies movies = preparePreview(project, ws, 0);
  EXPECT_EQ(movies.instance, preview_path::root(ws) + "tp_wjj/wj_yl_xg1/wj_yl_xg_1.rar");
  EXPECT_EQ(test::readFile(movies.instance.toStdString()),
            test::readFile(staging::instanceMovie(ws, "1").toStdString()));
  EXPECT_EQ(test::readFile(movies.closing.toStdString()),
            test::readFile(staging::closingMovie(ws).toStdString()));
  EXPECT_EQ(photoUprightSize(staging::previewSlotPicture(ws, "1", "picture_1")), QSize(500, 333));

  clearPreview(ws);
  EXPECT_FALSE(QDir(preview_path::root(ws)).exists());
  EXPECT_THROW(preparePreview(project, ws, 3), Error);
}

TEST_F(PhotoPreview, FramesComeInPlayingOrderAndTheClosingMovieOpensOnTheLastPicture) {
  PreviewFrames frames(preparePreview(project, ws, 0));
  const auto shown = playAll(frames);
  EXPECT_TRUE(frames.failure().isEmpty()) << frames.failure().toStdString();
  ASSERT_EQ(shown.size(), std::size_t(kInstanceFrames + kClosingFrames - 1));
  for (int i = 0; i < kInstanceFrames; ++i) {
    EXPECT_EQ(shown[i].movie, 0);
    EXPECT_EQ(shown[i].number, i);
    EXPECT_EQ(shown[i].picture.size(), kPreviewSize);
    EXPECT_EQ(test::markerFrame(shown[i].picture, Qt::red), i) << "instance frame " << i;
  }
  for (int n = 1; n < kClosingFrames; ++n) {
    const auto& f = shown[kInstanceFrames + n - 1];
    EXPECT_EQ(f.movie, 1);
    EXPECT_EQ(f.number, n);
    EXPECT_EQ(test::markerFrame(f.picture, Qt::blue), n) << "closing frame " << n;
    EXPECT_EQ(test::markerFrame(f.picture, Qt::red), kInstanceFrames - 1) << "opening picture";
  }
}

TEST_F(PhotoPreview, StoppingEndsTheRunAtOnceEvenWhileTheMoviesLoad) {
  PreviewFrames frames(preparePreview(project, ws, 0));
  frames.stop();
  EXPECT_TRUE(frames.done());
  EXPECT_FALSE(frames.take().has_value());
  EXPECT_TRUE(frames.failure().isEmpty());
}

TEST_F(PhotoPreview, AMovieThatCannotBePlayedEndsTheRunNamingIt) {
  const PreviewMovies movies = preparePreview(project, ws, 0);
  test::writeFile(movies.instance.toStdString(), "not a movie");
  PreviewFrames frames(movies);
  EXPECT_TRUE(playAll(frames).empty());
  EXPECT_TRUE(frames.failure().contains("wj_yl_xg_1.rar")) << frames.failure().toStdString();
}

TEST(FramePacer, ShowsAFrameEveryFortyMillisecondsAndStartsAgainFromALateOne) {
  FramePacer pacer;
  pacer.start(1000);
  EXPECT_TRUE(pacer.due(1000));
  pacer.shown(1000);
  EXPECT_FALSE(pacer.due(1039));
  EXPECT_TRUE(pacer.due(1040));
  pacer.shown(1047);  // a little late: the next keeps the grid
  EXPECT_TRUE(pacer.due(1080));
  pacer.shown(1200);  // far behind: the pace starts again from here
  EXPECT_FALSE(pacer.due(1239));
  EXPECT_TRUE(pacer.due(1240));
}

}  // namespace
}  // namespace solvane
