// The whole import of a batch: staging folders, thumbnails, bad files, stopping, and the
// parallel run matching the one-at-a-time run.
#include <deque>
#include <mutex>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "photo_fixtures.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_import.h"
#include "photos/photo_renderer.h"
#include "photos/staging_paths.h"
#include "support/fixtures.h"
#include "templates/package.h"

namespace solvane {
namespace {

QStringList allRows(const Table& t) {
  QStringList out;
  for (int i = 0; i < t.count(); ++i) out << t.row(i).join('|');
  return out;
}

// Every table and field the import may touch, as text, to compare whole projects.
QStringList importState(const Project& p) {
  QStringList s = allRows(p.ListView_daoruxiangpian);
  s << allRows(p.ListView_daoruxiangpianchuli) << allRows(p.suiListView_xiangpian_liebiao)
    << allRows(p.ListView_hengzhaopian_suijishu) << allRows(p.ListView_shuzhaopian_suijishu)
    << allRows(p.ListView_hengzhaopian_suijishu_wei_1)
    << allRows(p.ListView_shuzhaopian_suijishu_wei_1)
    << p.Edit_mobanleijia_sum << p.Edit_daoru_moban_kaishishiyong_kaiguan
    << p.Edit_wj_1_jy_leijia << p.Edit_str_mulu1;
  return s;
}

QStringList filesBelow(const QString& folder) {
  QStringList out;
  QDir dir(folder);
  for (const QString& f : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    out << f;
  return out;
}

class PhotoImport : public ::testing::Test {
 protected:
  PhotoImport() : ws(dir.qpath() + "/run", dir.qpath() + "/lib") {
    QDir().mkpath(ws.libraryRoot());
    test::addSingleTemplates(project, ws.libraryRoot());
    const QString triple = ws.libraryRoot() + "/landscape_3.rar";
    write_package(triple, "triple movie");
    project.ListView_hengzhaopian.append(test::catalogRow(
        2, 3, 3, 0, triple, "|300|200|100|", "|200|150|100|"));
    test::writeClosingMovie(ws.libraryRoot());
  }

  QString photo(const std::string& name, int w, int h, int orientation = 0) {
    return test::writeJpeg(dir / "in" / name, w, h, orientation);
  }

  PhotoImportResult run(const QStringList& files, std::vector<int> draws = {},
                        const JobControl& job = {}, int threads = 0) {
    PhotoImportOptions options;
    options.draw = test::drawSequence(std::move(draws));
    options.threads = threads;
    return importPhotos(project, ws, files, options, job);
  }

  test::ScratchDir dir;
  Workspace ws;
  Project project;
};

TEST_F(PhotoImport, ThreePhotographInstanceGetsOneFolderWithMovieAndThreePictures) {
  QStringList files;
  for (int i = 0; i < 12; ++i) files << photo("p" + std::to_string(i) + ".jpg", 160, 120);
  std::vector<std::pair<long long, long long>> steps;
  JobControl job;
  job.progress = [&](long long d, long long t) { steps.emplace_back(d, t); };
  const PhotoImportResult result = run(files, {1}, job);  // the first row draws the triple

  EXPECT_EQ(result.imported, 12);
  EXPECT_TRUE(result.message.isEmpty());
  EXPECT_EQ(filesBelow(staging::instanceFolder(ws, "1")),
            (QStringList{"picture_1.rar", "picture_2.rar", "picture_3.rar", "w_j_1.rar"}));
  EXPECT_EQ(test::readFile(staging::instanceMovie(ws, "1").toStdString()), "triple movie");
  EXPECT_EQ(photoUprightSize(staging::slotPicture(ws, "1", "picture_2")), QSize(200, 150));
  EXPECT_EQ(photoUprightSize(staging::slotPicture(ws, "1", "picture_3")), QSize(100, 100));
  EXPECT_EQ(filesBelow(staging::instanceFolder(ws, "10")),
            (QStringList{"picture_1.rar", "w_j_10.rar"}));
  EXPECT_EQ(test::readFile(staging::closingMovie(ws).toStdString()), "closing movie");

  const Table& photos = project.ListView_daoruxiangpian;
  ASSERT_EQ(photos.count(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(photos.cell(i, photo_col::seq), QString::number(i + 1));
    EXPECT_EQ(photos.cell(i, photo_col::thumb_done), word::jiancai_yes);
    EXPECT_EQ(photos.cell(i, photo_col::crop_done), word::jiancai_yes);
    EXPECT_EQ(QImage(staging::thumbnailFile(ws, i + 1)).size(), QSize(158, 120));
  }
  EXPECT_EQ(project.suiListView_xiangpian_liebiao.count(), 12);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back(), std::make_pair(48LL, 48LL));
  for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_LE(steps[i - 1].first, steps[i].first);
}

TEST_F(PhotoImport, SecondImportAddsInstancesAndLeavesEarlierOnesUntouched) {
  run({photo("a.jpg", 160, 120), photo("b.jpg", 120, 160)});
  const QByteArray firstPicture = test::readFile(staging::slotPicture(ws, "1", "picture_1").toStdString());
  const QByteArray firstThumb = test::readFile(staging::thumbnailFile(ws, 2).toStdString());
  EXPECT_EQ(project.Edit_daoru_moban_kaishishiyong_kaiguan, "guan");

  run({photo("c.jpg", 160, 120), photo("d.jpg", 160, 120), photo("e.jpg", 120, 160)});
  EXPECT_EQ(test::readFile(staging::slotPicture(ws, "1", "picture_1").toStdString()), firstPicture);
  EXPECT_EQ(test::readFile(staging::thumbnailFile(ws, 2).toStdString()), firstThumb);
  EXPECT_EQ(filesBelow(staging::instanceFolder(ws, "2")), (QStringList{"picture_1.rar", "w_j_2.rar"}));
  for (const char* t : {"3", "4", "5"})
    EXPECT_EQ(filesBelow(staging::instanceFolder(ws, t)).size(), 2) << t;
  EXPECT_TRUE(QFile::exists(staging::thumbnailFile(ws, 5)));
  EXPECT_EQ(project.ListView_daoruxiangpian.count(), 5);
  EXPECT_EQ(project.ListView_daoruxiangpian.cell(4, photo_col::seq), "5");
  EXPECT_EQ(project.ListView_daoruxiangpianchuli.count(), 3);
}

TEST_F(PhotoImport, FreeSlotsFollowTheProjectCropSettings) {
  const QString free = ws.libraryRoot() + "/free.rar";
  write_package(free, "free movie");
  project.ListView_hengzhaopian.clear();
  project.ListView_hengzhaopian.append(test::catalogRow(5, 1, 1, 0, free, "|0|", "|0|"));
  run({photo("wide.jpg", 200, 100)});
  EXPECT_EQ(photoUprightSize(staging::slotPicture(ws, "1", "picture_1")), QSize(1920, 1080));
  project.crop_settings.landscape = CropSettings::Landscape::moren;
  run({photo("wide2.jpg", 200, 100)});
  EXPECT_EQ(photoUprightSize(staging::slotPicture(ws, "2", "picture_1")), QSize(1920, 960));
}

TEST_F(PhotoImport, PhonePortraitIsImportedUprightAsPortrait) {
  run({photo("phone.jpg", 160, 120, 6)});
  const Table& photos = project.ListView_daoruxiangpian;
  EXPECT_EQ(photos.cell(0, photo_col::orientation), word::shu_zhao);
  EXPECT_EQ(photos.cell(0, photo_col::width), "120");
  EXPECT_EQ(photos.cell(0, photo_col::height), "160");
  EXPECT_EQ(QImage(staging::thumbnailFile(ws, 1)).size(), QSize(120, 158));
  // Portrait slot 600 × 800: the upright picture's top-left quadrant is the stored
  // bottom-left one (blue).
  const QImage slot = decodeJpeg(test::readFile(staging::slotPicture(ws, "1", "picture_1").toStdString()),
                                 {}, "s").picture;
  EXPECT_EQ(slot.size(), QSize(600, 800));
  EXPECT_TRUE(test::near(slot.pixelColor(20, 20), Qt::blue));
  EXPECT_TRUE(test::near(slot.pixelColor(580, 20), Qt::red));
}

// A progressive file that ends properly but whose second scan header is damaged: the
// check passes and the decoder gives up while the batch is prepared.
QByteArray damagedLaterScan() {
  QByteArray bytes = test::jpegBytes(test::quadrantPicture(64, 64), 0, true);
  const qsizetype first = bytes.indexOf(QByteArray("\xFF\xDA", 2));
  const qsizetype second = bytes.indexOf(QByteArray("\xFF\xDA", 2), first + 2);
  bytes[second + 4] = char(9);  // component count
  return bytes;
}

TEST_F(PhotoImport, BadFilesAreLeftOutWithReasonsAndTheRestIsImported) {
  const QByteArray good = test::jpegBytes(test::quadrantPicture(160, 120));
  test::writeFile(dir / "in/picture.jpg", QByteArray("\x89PNG\r\n\x1a\nrest", 12));
  test::writeFile(dir / "in/empty.jpg", QByteArray());
  test::writeFile(dir / "in/cut.jpg", good.left(good.size() / 2 > 300 ? 300 : good.size() / 2));
  QByteArray huge = good;
  const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
  huge[sof + 5] = char(0x27), huge[sof + 6] = char(0x10);  // 10000 high
  huge[sof + 7] = char(0x2E), huge[sof + 8] = char(0xE0);  // 12000 wide
  test::writeFile(dir / "in/huge.jpg", huge);
  test::writeFile(dir / "in/late.jpg", damagedLaterScan());
  // Busy content, so that picture data make up most of the file.
  QImage busy = test::quadrantPicture(256, 192);
  for (int y = 0; y < busy.height(); ++y)
    for (int x = 0; x < busy.width(); ++x)
      if ((x * 7 + y * 13) % 5 == 0) busy.setPixel(x, y, 0xff000000 | uint(x * y * 2654435761u) >> 8);
  const QByteArray busyJpeg = test::jpegBytes(busy);
  test::writeFile(dir / "in/mostly.jpg", busyJpeg.left(busyJpeg.size() * 85 / 100));
  test::writeFile(dir / "in/little.jpg", busyJpeg.left(busyJpeg.size() * 25 / 100));
  QDir().mkpath(dir.qpath() + "/in/folder.jpg");
  const QString in = dir.qpath() + "/in/";
  const QStringList files{photo("ok1.jpg", 160, 120), in + "picture.jpg", in + "empty.jpg",
                          in + "missing.jpg",          in + "cut.jpg",     in + "huge.jpg",
                          photo("ok2.jpg", 120, 160),  in + "late.jpg",    in + "mostly.jpg",
                          in + "little.jpg",           in + "folder.jpg"};

  const PhotoImportResult result = run(files);
  EXPECT_EQ(result.imported, 3);
  EXPECT_EQ(result.leftOut, files.mid(1, 5) + (QStringList{files[7], files[9], files[10]}));
  for (const char* part :
       {"picture.jpg: not a JPEG file (starts with 89 50 4E 47)", "empty.jpg: the file is empty",
        "missing.jpg: cannot open", "cut.jpg: the file is cut short before its picture data",
        "huge.jpg: the picture is 12000 × 10000 pixels", "late.jpg: damaged JPEG data",
        "little.jpg: the file is cut short; only", "folder.jpg: is a folder"})
    EXPECT_TRUE(result.message.contains(QString::fromUtf8(part))) << part << "\n"
                                                                  << result.message.toStdString();
  const Table& photos = project.ListView_daoruxiangpian;
  ASSERT_EQ(photos.count(), 3);
  EXPECT_EQ(photos.cell(1, photo_col::file_name), "ok2");
  EXPECT_EQ(photos.cell(1, photo_col::template_folder), "2");
  EXPECT_EQ(photos.cell(2, photo_col::file_name), "mostly");
  // The part of the truncated photograph that is present is staged: its top-left is red.
  const QImage slot = decodeJpeg(test::readFile(staging::slotPicture(ws, "3", "picture_1").toStdString()),
                                 {}, "s").picture;
  long red = 0, others = 0;
  for (int y = 10; y < 60; ++y)
    for (int x = 10; x < 60; ++x) {
      red += qRed(slot.pixel(x, y));
      others += qGreen(slot.pixel(x, y)) + qBlue(slot.pixel(x, y));
    }
  EXPECT_GT(red, others) << "mostly red where the photograph is red";
  EXPECT_EQ(filesBelow(staging::instanceFolder(ws, "4")), QStringList{});
  EXPECT_FALSE(QFile::exists(staging::thumbnailFile(ws, 4)));
}

TEST_F(PhotoImport, BatchOfOnlyBadFilesChangesNothing) {
  run({photo("keep.jpg", 160, 120)});
  const QStringList before = importState(project);
  test::writeFile(dir / "in/x.jpg", "text, not a picture");
  const PhotoImportResult result = run({dir.qpath() + "/in/x.jpg"});
  EXPECT_EQ(result.imported, 0);
  EXPECT_TRUE(result.message.startsWith("None of the 1 chosen files")) << result.message.toStdString();
  EXPECT_EQ(importState(project), before);
}

TEST_F(PhotoImport, StoppedImportLeavesTheProjectAsItWas) {
  run({photo("a.jpg", 160, 120), photo("b.jpg", 160, 120)});
  const QStringList before = importState(project);
  const QStringList instancesBefore = filesBelow(staging::root(ws));

  for (long long stopAt : {1LL, 4LL, 9LL}) {
    std::stop_source stop;
    JobControl job;
    job.stop = stop.get_token();
    job.progress = [&](long long done, long long) { if (done >= stopAt) stop.request_stop(); };
    QStringList files;
    for (int i = 0; i < 3; ++i) files << photo("s" + std::to_string(i) + ".jpg", 160, 120);
    EXPECT_THROW(run(files, {}, job), Cancelled) << stopAt;
    EXPECT_EQ(importState(project), before) << stopAt;
    EXPECT_EQ(filesBelow(staging::root(ws)), instancesBefore) << stopAt;
    EXPECT_FALSE(QFile::exists(staging::thumbnailFile(ws, 3))) << stopAt;
  }
}

TEST_F(PhotoImport, ParallelRunGivesTheSameTablesAndFilesAsOneAtATime) {
  QStringList files;
  for (int i = 0; i < 13; ++i)
    files << photo("m" + std::to_string(i) + ".jpg", i % 3 ? 160 : 120, i % 3 ? 120 : 160, i % 4 == 0 ? 6 : 0);
  const std::vector<int> draws{1, 0, 2, 1, 0, 1, 2, 0, 0, 1, 1, 0, 2};
  run(files, draws, {}, 1);
  const QStringList sequential = importState(project);
  QByteArrayList sequentialFiles;
  for (int t = 1; t <= project.Edit_mobanleijia_sum.toInt(); ++t)
    for (const QString& f : filesBelow(staging::instanceFolder(ws, QString::number(t))))
      sequentialFiles << test::readFile((staging::instanceFolder(ws, QString::number(t)) + f).toStdString());

  Project second;
  second.ListView_hengzhaopian = project.ListView_hengzhaopian;
  second.ListView_shuzhaopian = project.ListView_shuzhaopian;
  project = second;
  const Workspace otherRun(dir.qpath() + "/run2", ws.libraryRoot());
  PhotoImportOptions options;
  options.draw = test::drawSequence(draws);
  options.threads = 2;
  importPhotos(project, otherRun, files, options, {});
  QStringList parallel = importState(project);
  parallel.replaceInStrings(dir.qpath() + "/run2", dir.qpath() + "/run");
  EXPECT_EQ(parallel, sequential);
  QByteArrayList parallelFiles;
  for (int t = 1; t <= project.Edit_mobanleijia_sum.toInt(); ++t)
    for (const QString& f : filesBelow(staging::instanceFolder(otherRun, QString::number(t))))
      parallelFiles << test::readFile((staging::instanceFolder(otherRun, QString::number(t)) + f).toStdString());
  EXPECT_EQ(parallelFiles, sequentialFiles);
}

}  // namespace
}  // namespace solvane
