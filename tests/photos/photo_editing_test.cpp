// Deleting, replacing and swapping photographs on really imported projects: instance folders,
// movie names, thumbnails, counters and tables after every edit, and a failing edit leaving
// everything as it was.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "photo_fixtures.h"
#include "photos/photo_editing.h"
#include "photos/photo_import.h"
#include "photos/staging_paths.h"
#include "support/fixtures.h"
#include "templates/package.h"

namespace solvane {
namespace {

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files, QDir::Name);
}

class PhotoEditing : public ::testing::Test {
 protected:
  PhotoEditing() : ws(dir.qpath() + "/run", dir.qpath() + "/lib") {
    QDir().mkpath(ws.libraryRoot());
    test::addSingleTemplates(project, ws.libraryRoot());
    // Batches of five or more may draw it: import(…, {1}) gives rows 0 and 1 instance 1.
    const QString pair = ws.libraryRoot() + "/landscape_2.rar";
    write_package(pair, "pair movie");
    project.ListView_hengzhaopian.append(test::catalogRow(2, 2, 2, 0, pair, "|300|200|", "|200|150|"));
    test::writeClosingMovie(ws.libraryRoot());
  }

  // Landscape photographs of distinct proportions, so their thumbnails differ.
  QStringList photos(int n, const std::string& prefix = "p") {
    QStringList files;
    for (int i = 0; i < n; ++i)
      files << test::writeJpeg(dir / "in" / (prefix + std::to_string(i) + ".jpg"), 160 + 10 * i, 120);
    return files;
  }

  void import(const QStringList& files, std::vector<int> draws = {}) {
    PhotoImportOptions options;
    options.draw = test::drawSequence(std::move(draws));
    importPhotos(project, ws, files, options, {});
  }

  // The thumbnail bytes of every photograph, by its path.
  std::map<QString, QByteArray> thumbnailsByPath() const {
    std::map<QString, QByteArray> out;
    for (int i = 0; i < table().count(); ++i)
      out[table().cell(i, photo_col::path)] = bytesOf(staging::thumbnailFile(ws, i + 1));
    return out;
  }

  // Cell i shows the photograph of row i, and there is no thumbnail beyond the last row.
  void expectThumbnailsFollowRows(const std::map<QString, QByteArray>& byPath) const {
    for (int i = 0; i < table().count(); ++i) {
      const QString path = table().cell(i, photo_col::path);
      ASSERT_TRUE(byPath.count(path)) << path.toStdString();
      EXPECT_EQ(bytesOf(staging::thumbnailFile(ws, i + 1)), byPath.at(path)) << "row " << i;
    }
    EXPECT_FALSE(QFile::exists(staging::thumbnailFile(ws, table().count() + 1)));
  }

  // Rows numbered 1 … n, the display list mirroring them, instances 1 … m by first
  // appearance, each with its folder and its movie.
  void expectConsistent() const {
    const Table& photos = table();
    ASSERT_EQ(project.suiListView_xiangpian_liebiao.count(), photos.count());
    int m = 0;
    for (int i = 0; i < photos.count(); ++i) {
      EXPECT_EQ(photos.cell(i, photo_col::seq), QString::number(i + 1));
      EXPECT_EQ(project.suiListView_xiangpian_liebiao.cell(i, 1), photos.cell(i, photo_col::file_name));
      const int t = photos.cell(i, photo_col::template_folder).toInt();
      EXPECT_LE(t, m + 1) << "row " << i << " opens instance " << t << " after " << m;
      m = std::max(m, t);
      EXPECT_TRUE(QFile::exists(staging::instanceMovie(ws, QString::number(t)))) << t;
      EXPECT_TRUE(QFile::exists(staging::slotPicture(ws, QString::number(t),
                                                     photos.cell(i, photo_col::picture_name))));
    }
    EXPECT_EQ(project.Edit_mobanleijia_sum, QString::number(m));
    EXPECT_FALSE(QDir(staging::instanceFolder(ws, QString::number(m + 1))).exists());
  }

  // Every file below the working tree with its bytes.
  std::map<QString, QByteArray> workingFiles() const {
    std::map<QString, QByteArray> out;
    QDirIterator it(ws.WorkPath("smxcwjj\\"), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      out[path] = QFileInfo(path).isFile() ? bytesOf(path) : QByteArray("folder");
    }
    return out;
  }

  QStringList tables() const {
    QStringList s;
    for (const Table* t : {&project.ListView_daoruxiangpian, &project.suiListView_xiangpian_liebiao})
      for (int i = 0; i < t->count(); ++i) s << t->row(i).join('|');
    s << project.Edit_mobanleijia_sum << project.Edit_xiangpian_down_id;
    return s;
  }

  const Table& table() const { return project.ListView_daoruxiangpian; }
  QString folderOf(int row) const { return table().cell(row, photo_col::template_folder); }

  test::ScratchDir dir;
  Workspace ws;
  Project project;
};

TEST_F(PhotoEditing, DeletingTheMiddleOfThreeSingleInstancesRenumbersTheLastOne) {
  import(photos(3));
  const QByteArray thirdPicture = bytesOf(staging::slotPicture(ws, "3", "picture_1"));
  const QString third = table().cell(2, photo_col::path);

  EXPECT_EQ(deletePhoto(project, ws, 1), DeleteOutcome::Deleted);
  EXPECT_EQ(project.Edit_mobanleijia_sum, "2");
  EXPECT_EQ(filesIn(staging::instanceFolder(ws, "2")), (QStringList{"picture_1.rar", "w_j_2.rar"}));
  EXPECT_EQ(bytesOf(staging::slotPicture(ws, "2", "picture_1")), thirdPicture);
  EXPECT_FALSE(QDir(staging::instanceFolder(ws, "3")).exists());
  EXPECT_EQ(table().cell(1, photo_col::path), third);
  EXPECT_EQ(project.Edit_xiangpian_down_id, word::wu);
  expectConsistent();
}

TEST_F(PhotoEditing, DeletingPhotographTwoOfFiveKeepsEveryThumbnailWithItsRow) {
  import(photos(5));
  const auto before = thumbnailsByPath();
  const QString third = table().cell(2, photo_col::path);
  deletePhoto(project, ws, 1);
  ASSERT_EQ(table().count(), 4);
  EXPECT_EQ(bytesOf(staging::thumbnailFile(ws, 2)), before.at(third));
  expectThumbnailsFollowRows(before);
  expectConsistent();
}

TEST_F(PhotoEditing, APhotographSharingItsInstanceStaysUntilItIsReplaced) {
  import(photos(5), {1});  // rows 0 and 1 share instance 1
  ASSERT_EQ(folderOf(1), "1");
  const QStringList tablesBefore = tables();
  const auto filesBefore = workingFiles();
  EXPECT_EQ(deletePhoto(project, ws, 1), DeleteOutcome::NeedsReplacement);
  EXPECT_EQ(tables(), tablesBefore);
  EXPECT_EQ(workingFiles(), filesBefore);
}

TEST_F(PhotoEditing, DeletingSelectedRowsRemovesTheLoneOnesAndNamesTheSharedOnes) {
  import(photos(6), {1});  // instance 1: rows 0, 1; rows 2 … 5: instances 2 … 5
  const auto before = thumbnailsByPath();
  const QString kept = table().cell(4, photo_col::path);
  EXPECT_EQ(deletePhotos(project, ws, {5, 1, 3}), (std::vector<int>{1}));
  ASSERT_EQ(table().count(), 4);
  EXPECT_EQ(table().cell(3, photo_col::path), kept);
  EXPECT_EQ(folderOf(3), "3");
  expectThumbnailsFollowRows(before);
  expectConsistent();
}

TEST_F(PhotoEditing, DeletingAllResetsTheCounterSoTheNextImportStartsAtInstanceOne) {
  import(photos(5), {1});
  deleteAllPhotos(project, ws);
  EXPECT_TRUE(table().empty());
  EXPECT_TRUE(project.suiListView_xiangpian_liebiao.empty());
  EXPECT_TRUE(project.ListView_hengzhaopian_suijishu.empty());
  EXPECT_TRUE(project.ListView_shuzhaopian_suijishu_wei_1.empty());
  EXPECT_EQ(project.Edit_mobanleijia_sum, "0");
  EXPECT_EQ(project.Edit_xianshikuang_pailie, "0");
  EXPECT_TRUE(QDir(staging::thumbnailFolder(ws)).isEmpty());
  EXPECT_TRUE(QDir(staging::root(ws)).isEmpty());

  import(photos(2, "again"));
  EXPECT_EQ(folderOf(0), "1");
  EXPECT_EQ(folderOf(1), "2");
  EXPECT_EQ(filesIn(staging::instanceFolder(ws, "1")), (QStringList{"picture_1.rar", "w_j_1.rar"}));
  expectConsistent();
}

TEST_F(PhotoEditing, SwapExchangesRowsAndThumbnailsAndNumbersInstancesByFirstAppearance) {
  import(photos(5), {1});  // instance 1: rows 0, 1 (pair); rows 2 … 4: instances 2 … 4
  const auto before = thumbnailsByPath();
  const QString first = table().cell(0, photo_col::path);
  const QString fourth = table().cell(3, photo_col::path);
  const QByteArray singlePicture = bytesOf(staging::slotPicture(ws, "3", "picture_1"));

  swapPhotos(project, ws, 0, 3);
  EXPECT_EQ(table().cell(0, photo_col::path), fourth);
  EXPECT_EQ(table().cell(3, photo_col::path), first);
  // The single instance of row 0 now comes first, the pair second.
  const QStringList folders{folderOf(0), folderOf(1), folderOf(2), folderOf(3), folderOf(4)};
  EXPECT_EQ(folders, (QStringList{"1", "2", "3", "2", "4"}));
  EXPECT_EQ(filesIn(staging::instanceFolder(ws, "1")), (QStringList{"picture_1.rar", "w_j_1.rar"}));
  EXPECT_EQ(bytesOf(staging::slotPicture(ws, "1", "picture_1")), singlePicture);
  EXPECT_EQ(bytesOf(staging::instanceMovie(ws, "2")), QByteArray("pair movie"));
  EXPECT_EQ(filesIn(staging::instanceFolder(ws, "2")),
            (QStringList{"picture_1.rar", "picture_2.rar", "w_j_2.rar"}));
  expectThumbnailsFollowRows(before);
  expectConsistent();
}

TEST_F(PhotoEditing, ADropSwapsOnlyCloserThanFiftyPixelsInBothDirections) {
  struct Case { QPoint dropped; bool swaps; };
  const QPoint cell(180, 180);
  for (const Case& c : {Case{{229, 180}, true}, Case{{230, 180}, false}, Case{{131, 131}, true},
                        Case{{130, 180}, false}, Case{{180, 229}, true}, Case{{180, 230}, false},
                        Case{{229, 229}, true}, Case{{229, 230}, false}}) {
    EXPECT_EQ(dropLandsOn(c.dropped, cell), c.swaps) << c.dropped.x() << "," << c.dropped.y();
  }
  const std::vector<QPoint> cells{{0, 0}, {180, 0}, {360, 0}};
  EXPECT_EQ(swapTarget(0, {10, 5}, cells), -1) << "a cell dropped on its own place stays";
  EXPECT_EQ(swapTarget(0, {339, 30}, cells), 2);
  EXPECT_EQ(swapTarget(2, {90, 0}, cells), -1) << "halfway between two cells";
}

TEST_F(PhotoEditing, RandomReplacementDrawsOnlyFromTheOtherPhotographsOfTheOrientation) {
  import(photos(5), {1});  // instance 1: rows 0, 1
  EXPECT_EQ(replacementCandidates(project, 1), (std::vector<int>{0, 2, 3, 4}));
  const QString deleted = table().cell(1, photo_col::path);
  const QByteArray slotBefore = bytesOf(staging::slotPicture(ws, "1", "picture_2"));
  std::vector<int> pools;
  ASSERT_TRUE(replaceWithRandomPhoto(project, ws, 1, [&](int n) { pools.push_back(n); return 1; }));
  EXPECT_EQ(pools, std::vector<int>{4});
  ASSERT_EQ(table().count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_NE(table().cell(i, photo_col::path), deleted);
  EXPECT_NE(bytesOf(staging::slotPicture(ws, "1", "picture_2")), slotBefore);
  expectConsistent();
}

TEST_F(PhotoEditing, RandomReplacementWithoutAnotherPhotographOfTheOrientationChangesNothing) {
  import(photos(5), {1});
  // An instance that mixes orientations: its portrait has no other portrait to stand in.
  project.ListView_daoruxiangpian.setCell(1, photo_col::orientation, word::shu_zhao);
  EXPECT_TRUE(replacementCandidates(project, 1).empty());
  const QStringList tablesBefore = tables();
  const auto filesBefore = workingFiles();
  EXPECT_FALSE(replaceWithRandomPhoto(project, ws, 1, [](int) { return 0; }));
  EXPECT_EQ(noCandidateMessage(project, 1), QStringLiteral("没有其它的竖照片可以用来补充模板，请手动添加新相片！"));
  EXPECT_EQ(tables(), tablesBefore);
  EXPECT_EQ(workingFiles(), filesBefore);
}

TEST_F(PhotoEditing, ChosenReplacementLeavesOneRowLessWithThumbnailsFollowingTheRows) {
  import(photos(5), {1});
  const auto before = thumbnailsByPath();
  const QString chosen = table().cell(4, photo_col::path);
  const QByteArray slotBefore = bytesOf(staging::slotPicture(ws, "1", "picture_2"));
  replaceWithPhoto(project, ws, 1, 4);
  ASSERT_EQ(table().count(), 4);
  EXPECT_EQ(table().cell(3, photo_col::path), chosen);
  EXPECT_NE(bytesOf(staging::slotPicture(ws, "1", "picture_2")), slotBefore);
  EXPECT_EQ(project.Edit_mobanleijia_sum, "4");
  EXPECT_THROW(replaceWithPhoto(project, ws, 3, 0), Error) << "a lone photograph is deleted, not replaced";
  expectThumbnailsFollowRows(before);
  expectConsistent();
}

TEST_F(PhotoEditing, ANewFileReplacementJoinsTheTableWithItsOwnThumbnail) {
  import(photos(5), {1});
  auto before = thumbnailsByPath();
  const QString added = test::writeJpeg(dir / "in" / "added.jpg", 300, 150);
  replaceWithNewFile(project, ws, 0, added);
  ASSERT_EQ(table().count(), 5);
  EXPECT_EQ(table().cell(4, photo_col::path), added);
  EXPECT_EQ(table().cell(4, photo_col::picture_name), "picture_1");
  EXPECT_EQ(folderOf(4), "1");
  EXPECT_EQ(QImage(staging::thumbnailFile(ws, 5)).size(), QSize(158, 83));
  before[added] = bytesOf(staging::thumbnailFile(ws, 5));
  expectThumbnailsFollowRows(before);
  expectConsistent();
}

TEST_F(PhotoEditing, ANewFileIsCheckedForOrientationUprightAsImportSeesIt) {
  import(photos(5), {1});
  struct Case { int width, height, exif; QString mismatch; };
  const QString notLandscape = QStringLiteral("添加的新相片不是横照片,请重新添加！");
  for (const Case& c : {Case{200, 100, 0, {}}, Case{100, 100, 0, {}}, Case{100, 200, 0, notLandscape},
                        Case{200, 100, 6, notLandscape}, Case{100, 200, 8, {}}}) {
    const QString file = test::writeJpeg(dir / "new" / (std::to_string(c.width) + "x" +
                                         std::to_string(c.height) + "_" + std::to_string(c.exif) + ".jpg"),
                                         c.width, c.height, c.exif);
    EXPECT_EQ(newFileMismatch(project, 1, file), c.mismatch) << c.width << "x" << c.height << " exif " << c.exif;
  }
  project.ListView_daoruxiangpian.setCell(1, photo_col::orientation, word::shu_zhao);
  EXPECT_EQ(newFileMismatch(project, 1, test::writeJpeg(dir / "new" / "wide.jpg", 300, 100)),
            QStringLiteral("添加的新相片不是竖照片,请重新添加！"));
}

TEST_F(PhotoEditing, AnEditFailingHalfWayLeavesTablesThumbnailsAndFoldersAsTheyWere) {
  struct Case {
    const char* name;
    std::function<void()> edit;
    QString blocker;  // a stray folder where a renumbered instance is parked
  };
  import(photos(5), {1});
  swapPhotos(project, ws, 1, 2);  // rows: pair 1, single 2, pair 1, single 3, single 4
  ASSERT_EQ(folderOf(2), "1");
  // Each edit renumbers an instance, and a stray folder where it would be parked stops it
  // after it has already removed or rewritten files.
  const Case cases[] = {
      {"deleting the single of row 1", [&] { deletePhoto(project, ws, 1); }, "3_tp_wjj_3"},
      {"replacing the first of the pair", [&] { replaceWithPhoto(project, ws, 0, 3); }, "2_tp_wjj_2"},
      {"replacing it by a new file",
       [&] { replaceWithNewFile(project, ws, 0, test::writeJpeg(dir / "in" / "x.jpg", 200, 100)); },
       "2_tp_wjj_2"},
      {"swapping rows 0 and 1", [&] { swapPhotos(project, ws, 0, 1); }, "2_tp_wjj_2"},
  };
  for (const Case& c : cases) {
    const QString blocker = staging::root(ws) + c.blocker;
    QDir().mkpath(blocker);
    test::writeFile((blocker + "/stray").toStdString(), "in the way");
    const QStringList tablesBefore = tables();
    const auto filesBefore = workingFiles();
    EXPECT_THROW(c.edit(), Error) << c.name;
    EXPECT_EQ(tables(), tablesBefore) << c.name;
    EXPECT_EQ(workingFiles(), filesBefore) << c.name;
    QDir(blocker).removeRecursively();
  }
  expectConsistent();
}

TEST_F(PhotoEditing, DescriptionNamesTheFiveFieldsOfTheRow) {
  import({test::writeJpeg(dir / "in" / "Holiday.jpg", 200, 100), test::writeJpeg(dir / "in" / "tall.jpg", 100, 300)});
  EXPECT_EQ(photoDescription(project, 1),
            (QStringList{"相片名称：tall", "相片类型：.JPG", "相片尺寸：100*300", "横照竖照：竖照相片",
                         "相片序号：2"}));
  EXPECT_EQ(photoDescription(project, 0)[3], QStringLiteral("横照竖照：横照相片"));
}

}  // namespace
}  // namespace solvane
