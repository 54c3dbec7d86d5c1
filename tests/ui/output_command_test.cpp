// Output commands from the main window to the album file: size window, save dialog and the
// make-album window, checked by reopening what was written.
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "model/project.h"
#include "model/sentinels.h"
#include "support/media_fixtures.h"
#include "ui/render/make_album_window.h"
#include "ui/render/output_size_dialog.h"
#include "ui/ui_fixtures.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;
using test::UiTest;

// One photograph makes one 20-frame instance and the closing movie.
constexpr long long kOnePhotoFrames = test::kTestTemplateFrames + 100;

// Confirms the size window, choosing entry `entry` first (-1 keeps the preselected one).
test::ScriptedQuestions::WindowHandler confirmSize(int entry = -1, QString* shownSize = nullptr) {
  return [entry, shownSize](QDialog& w) {
    auto& size = dynamic_cast<ui::OutputSizeDialog&>(w);
    if (entry >= 0) {
      size.sizeChoice()->setCurrentIndex(entry);
      Q_EMIT size.sizeChoice()->activated(entry);
    }
    if (shownSize) *shownSize = size.currentSize()->text();
    size.startButton()->click();
    return w.result();
  };
}

// Calls `act` with the make-album window once its frames bar has reached `frames`.
void whenAlbumReaches(int frames, std::function<void(ui::MakeAlbumWindow&)> act) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, [poll, frames, act] {
    auto* window = qobject_cast<ui::MakeAlbumWindow*>(QApplication::activeModalWidget());
    if (!window || window->framesBar()->value() < frames) return;
    poll->stop();
    poll->deleteLater();
    act(*window);
  });
  poll->start(5);
}

struct AlbumCase {
  const char* kind;
  const char* quality;
  int sizeEntry;  // -1: the preselected entry
  const char* typed;
  const char* file;  // what is written
  const char* container;
  const char* codec;
  int width, height;
};

class OutputCommandAlbums : public UiTest, public testing::WithParamInterface<AlbumCase> {};

TEST_P(OutputCommandAlbums, WriteTheKindAtTheConfirmedSize) {
  const AlbumCase& c = GetParam();
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  session->project.Edit_huanmian_zhiliang = QString::fromLatin1(c.quality);
  questions.answerWindow(confirmSize(c.sizeEntry));
  questions.answerSaveName(dir.qpath() + "/out/" + c.typed);
  window->outputCommand(QString::fromLatin1(c.kind));

  const fs::path album = dir / "out" / c.file;
  ASSERT_TRUE(fs::exists(album)) << questions.messages.join("\n").toStdString();
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("相册制作完成")));
  EXPECT_TRUE(questions.messages[0].contains(QString::fromStdString(album.string())))
      << "the message says where the album is: " << questions.messages[0].toStdString();
  const test::MediaFacts facts = test::readMedia(album);
  EXPECT_EQ(facts.container, c.container);
  EXPECT_EQ(facts.video.codec, c.codec);
  EXPECT_EQ(facts.video.width, c.width);
  EXPECT_EQ(facts.video.height, c.height);
  EXPECT_EQ(facts.video.frames, kOnePhotoFrames);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OutputCommandAlbums,
    testing::Values(
        AlbumCase{"VCD", "gaoqing_huazhi", -1, "vcd", "vcd.mpg", "mpeg", "mpeg1video", 1280, 720},
        AlbumCase{"SVCD", "gaoqing_huazhi", 2, "small", "small.mpg", "mpeg", "mpeg2video", 640, 368},
        AlbumCase{"DVD", "gaoqing_huazhi", -1, "dvd.MPG", "dvd.MPG", "mpeg", "mpeg2video", 1920, 1080},
        AlbumCase{"AVI", "yiban_huazhi", -1, "avi", "avi.avi", "avi", "mpeg4", 1280, 720},
        AlbumCase{"AVI", "gaoqing_huazhi", 3, "avi800", "avi800.avi", "avi", "mpeg4", 800, 480}));

TEST_F(UiTest, AnImageSequenceFillsANewFolderWithNumberedPictures) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  questions.answerWindow([](QDialog& w) {
    auto& size = dynamic_cast<ui::OutputSizeDialog&>(w);
    EXPECT_EQ(size.typeField()->text(), QStringLiteral("JPG"));
    const int bmp = size.formatChoice()->findText(QStringLiteral("BMP"));
    size.formatChoice()->setCurrentIndex(bmp);
    Q_EMIT size.formatChoice()->activated(bmp);
    size.startButton()->click();
    return w.result();
  });
  questions.answerSaveName(dir.qpath() + "/第一集");
  window->outputCommand(QStringLiteral("XLTP"));
  ASSERT_EQ(questions.fileQuestions.back().filter, QStringLiteral("生成 BMP 序列图片|*.BMP"));
  const QStringList pictures = QDir(dir.qpath() + "/第一集").entryList(QDir::Files, QDir::Name);
  ASSERT_EQ(pictures.size(), kOnePhotoFrames) << questions.messages.join("\n").toStdString();
  EXPECT_TRUE(pictures.contains(QStringLiteral("01.BMP")));
  EXPECT_TRUE(pictures.contains(QStringLiteral("120.BMP")));
  EXPECT_EQ(QImage(dir.qpath() + "/第一集/01.BMP").size(), QSize(1920, 1080));
}

TEST_F(UiTest, AnAlbumWithASongCarriesItsSoundAndShowsTheLyricAtItsTime) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  questions.answerFiles({song("song.mp3", 3.0)});
  window->addMusicCommand();
  questions.answerFiles({textFile("song.lrc", "[00:02.00]你好世界 Solvane\r\n")});
  window->addLyricsCommand();
  ASSERT_EQ(session->project.ListView_daoru_LRC.count(), 1);
  ASSERT_NE(session->project.ListView_daoru_yinyue.cell(0, 6), word::wu) << "paired by position";

  questions.answerWindow(confirmSize());
  questions.answerSaveName(dir.qpath() + "/with-song");
  window->outputCommand(QStringLiteral("DVD"));
  const fs::path album = dir / "with-song.mpg";
  // Frame 25 is a second in, before the line; frame 75 three seconds in, after it.
  const test::MediaFacts facts = test::readMedia(album, {25, 75});
  ASSERT_TRUE(facts.audio.present) << questions.messages.join("\n").toStdString();
  EXPECT_EQ(facts.audio.codec, "ac3");
  EXPECT_NEAR(facts.audio.seconds(), kOnePhotoFrames / 25.0, 0.2);
  ASSERT_EQ(facts.pictures.size(), 2u);

  // The lyric is white text at the bottom centre, below the photograph's box.
  const auto brightBelowThePhotograph = [](const QImage& frame) {
    int bright = 0;
    for (int y = 950; y < 1080; y += 2)
      for (int x = 300; x < 1620; x += 2)
        if (qGray(frame.pixel(x, y)) > 200) ++bright;
    return bright;
  };
  EXPECT_LT(brightBelowThePhotograph(facts.pictures[0]), 20);
  EXPECT_GT(brightBelowThePhotograph(facts.pictures[1]), 200);
}

TEST_F(UiTest, StopHalfWayLeavesNoAlbumAndTheWindowOnlyClosesThroughStop) {
  for (int i = 0; i < 6; ++i) addPhotos({photo("p" + std::to_string(i) + ".jpg", 640, 480, Qt::blue)});
  questions.answerWindow(confirmSize());
  questions.answerSaveName(dir.qpath() + "/stopped");
  bool stayedOpen = false;
  whenAlbumReaches(30, [&](ui::MakeAlbumWindow& making) {
    making.close();
    stayedOpen = making.isVisible();
    making.stopButton()->click();
  });
  window->outputCommand(QStringLiteral("DVD"));
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(fs::exists(dir / "stopped.mpg"));
  EXPECT_FALSE(fs::exists(dir / "stopped.mpg.part"));
  EXPECT_EQ(questions.messages, QStringList{QStringLiteral("已停止制作，未完成的相册已删除。")});
  EXPECT_FALSE(session->busy);
}

TEST_F(UiTest, AnUnwritableFolderGivesAMessageAndNoWindow) {
  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  test::writeFile(dir / "plain-file", "not a folder");
  questions.answerWindow(confirmSize());
  questions.answerSaveName(dir.qpath() + "/plain-file/album");
  window->outputCommand(QStringLiteral("AVI"));
  ASSERT_EQ(questions.messages.size(), 1);
  EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("plain-file"))) << questions.messages[0].toStdString();
  EXPECT_FALSE(fs::exists(dir / "plain-file/album.avi"));
}

TEST_F(UiTest, CommandsStopAtTheirChecksAndAnExistingAlbumIsReplacedOnlyWhenConfirmed) {
  window->outputCommand(QStringLiteral("VCD"));
  EXPECT_EQ(questions.messages, QStringList{QStringLiteral("没有添加相片文件！")});

  addPhotos({photo("a.jpg", 640, 480, Qt::red)});
  // The size window's close mark ends the command before the save dialog.
  questions.answerWindow([](QDialog& w) {
    w.reject();
    return int(QDialog::Rejected);
  });
  window->outputCommand(QStringLiteral("DVD"));
  EXPECT_EQ(session->project.Edit_VCDSVCDDVD_leixing, QStringLiteral("DVD"));

  test::writeFile(dir / "old.avi", "an older album");
  questions.answerWindow(confirmSize());
  questions.answerSaveName(dir.qpath() + "/old");
  questions.answerConfirm(false);
  window->outputCommand(QStringLiteral("AVI"));
  EXPECT_EQ(test::readFile(dir / "old.avi"), "an older album");

  fs::create_directories(dir / "taken");
  questions.answerWindow(confirmSize());
  questions.answerSaveName(dir.qpath() + "/taken");
  window->outputCommand(QStringLiteral("XLTP"));
  EXPECT_EQ(questions.messages.last(), QStringLiteral("输入的文件名存在, 请更换保存的文件名！"));
}

}  // namespace
}  // namespace solvane
