// Movie staging, closing-movie staging and the single-slot crops other windows ask for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "photo_fixtures.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_renderer.h"
#include "photos/photo_rows.h"
#include "photos/staging.h"
#include "photos/staging_paths.h"
#include "photos/staging_words.h"
#include "support/fixtures.h"
#include "templates/package.h"

namespace solvane {
namespace {

class Staging : public ::testing::Test {
 protected:
  Staging() : ws(dir.qpath() + "/run", dir.qpath() + "/lib") { QDir().mkpath(ws.libraryRoot()); }

  // A photo row of instance t, slot k, whose movie package holds `movie`.
  void addRow(int t, int k, const QByteArray& movie, const QString& photoPath = "/p.jpg",
              QLatin1String thumb = word::jiancai_no) {
    const QString package = dir.qpath() + QStringLiteral("/lib/tpl_%1.rar").arg(t);
    write_package(package, movie);
    QStringList row = stagingRow(project.ListView_daoruxiangpian.count() + 1, photoPath,
                                 classify({400, 300}, {400, 300}));
    row[photo_col::template_folder] = QString::number(t);
    row[photo_col::template_photo_count] = "2";
    row[photo_col::picture_name] = QStringLiteral("picture_%1").arg(k);
    row[photo_col::template_path] = package;
    row[photo_col::need_width] = "200";
    row[photo_col::need_height] = "100";
    row << QString(thumb) << QString(thumb);
    project.ListView_daoruxiangpian.append(row);
    project.Edit_mobanleijia_sum = QString::number(t);
  }

  test::ScratchDir dir;
  Workspace ws;
  Project project;
};

TEST_F(Staging, FirstStagingResetsTheTreeAndUnpacksEachInstanceMovie) {
  EnsureFolder(staging::instanceFolder(ws, "9"));  // left over from an earlier album
  addRow(1, 1, "movie one");
  addRow(1, 2, "movie one");
  addRow(2, 1, "movie two");
  stageMovies(project, ws);

  EXPECT_EQ(project.Edit_daoru_moban_kaishishiyong_kaiguan, word::guan);
  EXPECT_EQ(project.Edit_wj_1_jy_leijia, "4");  // one per run, one per row
  EXPECT_FALSE(QDir(staging::instanceFolder(ws, "9")).exists());
  EXPECT_TRUE(QDir(staging::renderPicFolder(ws)).exists());
  EXPECT_EQ(test::readFile(staging::instanceMovie(ws, "1").toStdString()), "movie one");
  EXPECT_EQ(test::readFile(staging::instanceMovie(ws, "2").toStdString()), "movie two");
  EXPECT_EQ(project.Edit_str_mulu1, staging::instancePrefix(ws));
  EXPECT_TRUE(QDir(ws.WorkPath("smxcwjj\\wj_0_or_1")).entryList(QDir::Files).isEmpty())
      << "the intermediate files are removed";
}

TEST_F(Staging, LaterStagingKeepsEarlierInstancesAndOnlyUnpacksTheBatch) {
  addRow(1, 1, "old movie", "/p.jpg", word::jiancai_yes);
  project.Edit_daoru_moban_kaishishiyong_kaiguan = word::guan;
  project.Edit_wj_1_jy_leijia = "10";
  EnsureFolder(staging::instanceFolder(ws, "1"));
  test::writeFile(staging::instanceMovie(ws, "1").toStdString(), "staged earlier");
  addRow(2, 1, "new movie");
  stageMovies(project, ws);
  EXPECT_EQ(test::readFile(staging::instanceMovie(ws, "1").toStdString()), "staged earlier");
  EXPECT_EQ(test::readFile(staging::instanceMovie(ws, "2").toStdString()), "new movie");
  EXPECT_EQ(project.Edit_wj_1_jy_leijia, "13");
}

TEST_F(Staging, BrokenMoviePackageNamesThePackage) {
  addRow(1, 1, "movie");
  test::writeFile(project.ListView_daoruxiangpian.cell(0, photo_col::template_path).toStdString(),
                  "not a package");
  try {
    stageMovies(project, ws);
    FAIL() << "staged a broken package";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("tpl_1.rar")) << e.what();
  }
}

TEST_F(Staging, ClosingMovieIsUnpackedIntoAFreshFolder) {
  test::writeClosingMovie(dir.qpath() + "/lib");
  EnsureFolder(staging::closingFolder(ws));
  test::writeFile((staging::closingFolder(ws) + "stale.rar").toStdString(), "x");
  stageClosingMovie(ws);
  EXPECT_EQ(test::readFile(staging::closingMovie(ws).toStdString()), "closing movie");
  EXPECT_FALSE(QFile::exists(staging::closingFolder(ws) + "stale.rar"));
  EXPECT_FALSE(QFile::exists(staging::closingScratch(ws)));
}

TEST_F(Staging, StagedPicturesAreJpegUnderTheRarEnding) {
  QImage picture(64, 32, QImage::Format_RGB32);
  picture.fill(Qt::green);
  const QString target = dir.qpath() + "/out/picture_1.jpg";
  QDir().mkpath(dir.qpath() + "/out");
  writeStagedPicture(picture, target);
  EXPECT_FALSE(QFile::exists(target));
  const QByteArray bytes = test::readFile(dir / "out/picture_1.rar");
  const DecodedJpeg d = decodeJpeg(bytes, {}, "picture_1.rar");
  EXPECT_EQ(d.picture.size(), QSize(64, 32));
  EXPECT_TRUE(test::near(d.picture.pixelColor(30, 15), Qt::green, 8));
}

TEST_F(Staging, ReplacementRefillsTheSlotAndCanAddARow) {
  addRow(3, 2, "movie");
  EnsureFolder(staging::instanceFolder(ws, "3"));
  const QString replacement = test::writeJpeg(dir / "new photo.jpg", 300, 400, 0);
  replacementCrop(project, ws, 0, replacement, true);

  const QString slot = staging::slotPicture(ws, "3", "picture_2");
  const QImage picture = decodeJpeg(test::readFile(slot.toStdString()), {}, "s").picture;
  EXPECT_EQ(picture.size(), QSize(200, 100));  // covers the 200 × 100 slot, top kept
  EXPECT_TRUE(test::near(picture.pixelColor(10, 10), Qt::red));
  EXPECT_TRUE(test::near(picture.pixelColor(190, 10), Qt::green));

  const Table& photos = project.ListView_daoruxiangpian;
  ASSERT_EQ(photos.count(), 2);
  EXPECT_EQ(photos.cell(1, photo_col::seq), "2");
  EXPECT_EQ(photos.cell(1, photo_col::file_name), "new photo");
  EXPECT_EQ(photos.cell(1, photo_col::width), "300");
  EXPECT_EQ(photos.cell(1, photo_col::height), "400");
  for (int c = photo_col::orientation; c < photo_col::count_; ++c)
    EXPECT_EQ(photos.cell(1, c), photos.cell(0, c)) << c;

  const int before = photos.count();
  EXPECT_THROW(replacementCrop(project, ws, 0, dir.qpath() + "/missing.jpg", true), Error);
  EXPECT_EQ(photos.count(), before);
}

TEST_F(Staging, PreviewCopiesShrinkEverySlotPictureOfTheInstance) {
  addRow(4, 1, "movie");
  addRow(4, 2, "movie");
  EnsureFolder(staging::instanceFolder(ws, "4"));
  QImage big(960, 540, QImage::Format_RGB32);
  big.fill(Qt::blue);
  writeStagedPicture(big, staging::slotPicture(ws, "4", "picture_1"));
  writeStagedPicture(big.scaled(480, 540), staging::slotPicture(ws, "4", "picture_2"));
  makePreviewCopies(project, ws, 1, {640, 360});
  EXPECT_EQ(photoUprightSize(staging::previewSlotPicture(ws, "4", "picture_1")), QSize(320, 180));
  EXPECT_EQ(photoUprightSize(staging::previewSlotPicture(ws, "4", "picture_2")), QSize(160, 180));
}

}  // namespace
}  // namespace solvane
