// Classification of chosen files, their staging rows, thumbnails and the display list.
#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/thumbnail_file.h"
#include "photo_fixtures.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_renderer.h"
#include "photos/photo_rows.h"
#include "photos/thumbnails.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

struct ClassifyCase {
  QSize stored, rendered;
  int width, height;
  QLatin1String orientation;
};

TEST(Classification, FollowsTheRenderedProportionsAndReportsTheSizeAsSeen) {
  const ClassifyCase cases[] = {
      {{1000, 1000}, {1080, 1080}, 1000, 1000, word::heng_zhao},  // square is landscape
      {{4000, 3000}, {1920, 1440}, 4000, 3000, word::heng_zhao},
      {{3000, 4000}, {810, 1080}, 3000, 4000, word::shu_zhao},
      {{4000, 3000}, {1080, 1440}, 3000, 4000, word::shu_zhao},  // turned upright by the service
      {{3000, 4000}, {1440, 1080}, 4000, 3000, word::heng_zhao},
  };
  for (const ClassifyCase& c : cases) {
    const Classification got = classify(c.stored, c.rendered);
    EXPECT_EQ(got.width, c.width);
    EXPECT_EQ(got.height, c.height);
    EXPECT_EQ(got.orientation, c.orientation);
  }
}

TEST(Classification, PhonePortraitWithExifTurnIsPortrait) {
  test::ScratchDir dir;
  test::writeJpeg(dir / "phone.jpg", 400, 300, 6);
  const JpegHeader h = readJpegHeader(test::readFile(dir / "phone.jpg"), "phone.jpg");
  const Classification c = classifyPhoto(h.stored, h.upright());
  EXPECT_EQ(c.orientation, word::shu_zhao);
  EXPECT_EQ(c.width, 300);
  EXPECT_EQ(c.height, 400);
  const Classification square = classifyPhoto({500, 500}, {500, 500});
  EXPECT_EQ(square.orientation, word::heng_zhao);
  EXPECT_EQ(square.width, 500);
}

TEST(StagingRow, CutsTheNameByCharactersAndKeepsTheExtensionAsWritten) {
  const QString path = QStringLiteral("/photos/风景.JPG");
  const QStringList row = stagingRow(3, path, classify({1000, 800}, {1000, 800}));
  ASSERT_EQ(row.size(), photo_col::staging_count);
  EXPECT_EQ(row[photo_col::seq], "3");
  EXPECT_EQ(row[photo_col::path], path);
  EXPECT_EQ(row[photo_col::file_name], QStringLiteral("风景"));
  EXPECT_EQ(row[photo_col::file_type], ".JPG");
  EXPECT_EQ(row[photo_col::width], "1000");
  EXPECT_EQ(row[photo_col::orientation], word::heng_zhao);
  for (int c = photo_col::template_folder; c < photo_col::staging_count; ++c)
    EXPECT_TRUE(row[c].isEmpty());
  EXPECT_EQ(fileNameWithoutExtension(QStringLiteral("/p/\U0001F600x.jpg")),
            QStringLiteral("\U0001F600x"));
}

TEST(Thumbnail, IsScaledIntoTheBoxAndFramedInWhite) {
  const Project project;
  EXPECT_EQ(thumbnailBox(project), QSize(150, 150));
  EXPECT_EQ(requestInBox({4000, 3000}, {150, 150}), QSize(150, 112));
  EXPECT_EQ(requestInBox({3000, 4000}, {150, 150}), QSize(112, 150));
  EXPECT_EQ(requestInBox({1000, 1000}, {150, 150}), QSize(150, 150));

  QImage picture(150, 112, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  const QImage framed = borderedThumbnail(picture);
  EXPECT_EQ(framed.size(), QSize(158, 120));
  EXPECT_EQ(framed.pixelColor(3, 60), QColor(Qt::white));
  EXPECT_EQ(framed.pixelColor(80, 119), QColor(Qt::white));
  EXPECT_EQ(framed.pixelColor(4, 4), QColor(Qt::blue));
  EXPECT_EQ(framed.pixelColor(153, 115), QColor(Qt::blue));

  test::ScratchDir dir;
  const QString file = dir.qpath() + "/tp_slt_1_1.bmp";
  saveThumbnail(framed, file);
  EXPECT_TRUE(test::readFile(dir / "tp_slt_1_1.bmp").startsWith("BM"));
  EXPECT_EQ(QImage(file).size(), QSize(158, 120));
}

TEST(DisplayList, MirrorsThePhotoTableWithUserTexts) {
  Project project;
  QStringList row = stagingRow(1, "/Photos/A.JPG", classify({300, 400}, {300, 400}));
  row << "jiancai_yes" << "jiancai_yes";
  project.ListView_daoruxiangpian.append(row);
  rebuildPhotoDisplayList(project);
  ASSERT_EQ(project.suiListView_xiangpian_liebiao.count(), 1);
  EXPECT_EQ(project.suiListView_xiangpian_liebiao.row(0),
            (QStringList{"1", "A", ".jpg", "300", "400", QStringLiteral("竖照片"),
                         QStringLiteral("已绑定"), "/photos/a.jpg"}));
}

}  // namespace
}  // namespace solvane
