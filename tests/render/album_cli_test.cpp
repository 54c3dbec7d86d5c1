// solvane-cli album end to end: a tiny template library built by the library tool, generated
// photographs and a generated song, checked by reopening the album with libavformat.
#include <csignal>
#include <filesystem>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/media_fixtures.h"
#include "support/tiny_library.h"

namespace solvane {
namespace {

namespace fs = std::filesystem;

const QString kCli = QStringLiteral(SOLVANE_BIN_DIR "/solvane-cli");
const QString kLibraryTool = QStringLiteral(SOLVANE_BIN_DIR "/build_template_library");
constexpr int kTemplateFrames = 20;

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

class AlbumCliTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(kCli)) GTEST_SKIP() << "solvane-cli is not built";
    QString why;
    ASSERT_FALSE(test::buildTinyLibrary(dir.path(), kTemplateFrames, &why).isEmpty()) << why.toStdString();
    makePhoto("photos/a.jpg", 640, 480, Qt::red);
    makePhoto("photos/b.jpg", 480, 640, Qt::green);
    makePhoto("photos/c.jpg", 800, 450, Qt::blue);
    test::makeToneMp3(dir / "song.mp3", 3.0, 44100, 2);
  }

  void makePhoto(const std::string& name, int w, int h, Qt::GlobalColor colour) {
    QImage photo(w, h, QImage::Format_RGB32);
    photo.fill(colour);
    QPainter(&photo).fillRect(0, 0, w / 4, h / 4, Qt::white);
    fs::create_directories((dir / name).parent_path());
    ASSERT_TRUE(photo.save(QString::fromStdString((dir / name).string()), "JPG", 90));
  }

  QStringList albumArgs(const QStringList& extra, const QString& library = QStringLiteral("library")) const {
    return QStringList{"album", "--library", dir.qpath() + "/" + library} + extra;
  }

  // A library of templates that differ only in their background colour.
  void buildColouredLibrary(const QString& name, const QStringList& backgrounds) {
    const QString sources = dir.qpath() + "/" + name + "_sources";
    for (int i = 0; i < backgrounds.size(); ++i) {
      const QString file = QString("%1/%2_colour.json").arg(sources).arg(i + 1, 3, 10, QChar('0'));
      test::writeFile(file.toStdString(), test::tinyTemplateSource(kTemplateFrames, backgrounds[i]));
    }
    QProcess tool;
    tool.start(kLibraryTool, {sources, dir.qpath() + "/closing.json", dir.qpath() + "/" + name});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  }

  CliRun run(const QStringList& args, int timeoutMs = 300000) const {
    QProcess cli;
    cli.start(kCli, args);
    CliRun r;
    if (!cli.waitForFinished(timeoutMs)) return r;
    r.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    r.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return r;
  }

  test::ScratchDir dir;
};

TEST_F(AlbumCliTest, MakesADvdAlbumFromPhotographsAndASong) {
  const CliRun r = run(albumArgs({"-o", dir.qpath() + "/out/holiday.MPG", "--music",
                               dir.qpath() + "/song.mp3", dir.qpath() + "/photos"}));
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const fs::path album = dir / "out/holiday.MPG";
  ASSERT_TRUE(fs::exists(album)) << "the ending was doubled or the album is missing";
  EXPECT_FALSE(fs::exists(dir / "out/holiday.MPG.mpg"));
  EXPECT_TRUE(r.out.trimmed().endsWith("holiday.MPG"));

  // Three one-photograph instances, then the closing movie; frame 0 is the black start.
  const long long expected = 3 * kTemplateFrames + 100;
  const test::MediaFacts facts = test::readMedia(album, {0, 10});
  EXPECT_EQ(facts.container, "mpeg");
  EXPECT_EQ(facts.video.codec, "mpeg2video");
  EXPECT_EQ(facts.video.width, 1920);
  EXPECT_EQ(facts.video.height, 1080);
  EXPECT_EQ(facts.video.frames, expected);
  ASSERT_TRUE(facts.audio.present);
  // The 3-second song, then silence to the end of the pictures.
  EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, expected / 25.0, 0.2);
  ASSERT_EQ(facts.pictures.size(), 2u);
  EXPECT_LT(qGray(facts.pictures[0].pixel(960, 540)), 20);
  // Frame 10 shows the first photograph (red) in its slot.
  EXPECT_LT(test::colourDistance(facts.pictures[1].pixel(960, 600), qRgb(255, 0, 0)), 60);
}

TEST_F(AlbumCliTest, TheSeedNamedForAnMp4AlbumMakesTheSameAlbumAgain) {
  buildColouredLibrary("coloured", {"#c03030", "#30c030", "#3030c0", "#c0c030", "#30c0c0"});
  const QString photos = dir.qpath() + "/photos";
  const CliRun first = run(albumArgs({"--kind", "mp4", "--quality", "normal", "-o", dir.qpath() + "/out/first", photos},
                                     "coloured"));
  ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
  const QRegularExpressionMatch named = QRegularExpression("seed (\\d+) \\(--seed \\1").match(first.err);
  ASSERT_TRUE(named.hasMatch()) << first.err.toStdString();
  const CliRun again = run(albumArgs({"--kind", "MP4", "--quality", "normal", "--seed", named.captured(1), "-o",
                                      dir.qpath() + "/out/again.mp4", photos},
                                     "coloured"));
  ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
  EXPECT_FALSE(again.err.contains("templates drawn with seed"));  // the seed given needs no naming

  // Frame 0 is the black start; then one 20-frame movie per photograph.
  const std::vector<long long> middles = {10, 30, 50};
  const test::MediaFacts a = test::readMedia(dir / "out/first.mp4", middles);
  const test::MediaFacts b = test::readMedia(dir / "out/again.mp4", middles);
  EXPECT_EQ(a.video.codec, "h264");
  EXPECT_EQ(a.video.width, 1280);
  EXPECT_EQ(a.video.height, 720);
  EXPECT_EQ(a.video.frames, 3 * kTemplateFrames + 100);
  ASSERT_EQ(a.pictures.size(), 3u);
  ASSERT_EQ(b.pictures.size(), 3u);
  for (size_t i = 0; i < middles.size(); ++i) {
    EXPECT_LE(test::colourDistance(a.pictures[i].pixel(60, 60), b.pictures[i].pixel(60, 60)), 4)
        << "frame " << middles[i] << ": " << std::hex << a.pictures[i].pixel(60, 60) << " vs "
        << b.pictures[i].pixel(60, 60);
  }
}

TEST_F(AlbumCliTest, RefusesToReplaceAnAlbumAndSaysWhy) {
  test::writeFile(dir / "taken.mpg", "an older album");
  const CliRun r = run(albumArgs({"-o", dir.qpath() + "/taken", dir.qpath() + "/photos/a.jpg"}));
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.err.contains("输入的文件名存在, 请更换保存的文件名！")) << r.err.toStdString();
  EXPECT_EQ(test::readFile(dir / "taken.mpg"), "an older album");

  fs::create_directories(dir / "sequence");
  const CliRun seq = run(albumArgs({"--kind", "XLTP", "-o", dir.qpath() + "/sequence",
                                 dir.qpath() + "/photos/a.jpg"}));
  EXPECT_NE(seq.exitCode, 0);
  EXPECT_TRUE(seq.err.contains("输入的文件名存在, 请更换保存的文件名！")) << seq.err.toStdString();
}

TEST_F(AlbumCliTest, BadArgumentsFailBeforeAnyWork) {
  const CliRun none = run(albumArgs({"-o", dir.qpath() + "/x"}));
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_TRUE(none.err.contains("没有添加相片文件！"));

  const CliRun missing = run(albumArgs({"-o", dir.qpath() + "/x", dir.qpath() + "/nope.jpg"}));
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_TRUE(missing.err.contains("nope.jpg"));

  const CliRun help = run({"album", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--loop-pictures"));
  EXPECT_FALSE(fs::exists(dir / "x.mpg"));
}

// Pixels of `picture` inside `area` within 60 of `colour`.
int pixelsNear(const QImage& picture, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (test::colourDistance(picture.pixel(x, y), colour) < 60) ++n;
  return n;
}

TEST_F(AlbumCliTest, LyricsKaraokeAndCaptionsAreDrawnOnTheAlbum) {
  test::writeFile(dir / "song.lrc", "[00:01.00]LYRIC LINE\n");
  test::writeFile(dir / "song.ksc",
                  "karaoke.add('00:02.000', '00:03.500', 'KARA', '300,300,300,300');\n");
  const CliRun r = run(albumArgs(
      {"-o", dir.qpath() + "/overlay.mpg", "--music", dir.qpath() + "/song.mp3", "--lyrics",
       dir.qpath() + "/song.lrc", "--karaoke", dir.qpath() + "/song.ksc", "--lyric-type", "both",
       "--text", "00:00|4|CAPTION CAPTION|40|clYellow", dir.qpath() + "/photos/a.jpg"}));
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const test::MediaFacts facts = test::readMedia(dir / "overlay.mpg", {50, 75, 100});
  ASSERT_EQ(facts.pictures.size(), 3u);
  // The lyric line, white, centred at the bottom over the dark template background.
  EXPECT_GT(pixelsNear(facts.pictures[0], QRect(760, 1000, 400, 75), qRgb(255, 255, 255)), 100);
  // The karaoke line in slot A, its first letters wiped blue by 00:03.
  EXPECT_GT(pixelsNear(facts.pictures[1], QRect(180, 811, 170, 100), qRgb(0, 0, 255)), 100);
  // The caption enters from the right edge at half the width's height (960), 3 px a frame.
  EXPECT_GT(pixelsNear(facts.pictures[2], QRect(1650, 965, 260, 110), qRgb(255, 255, 0)), 100);
}

TEST_F(AlbumCliTest, ABadCaptionIsRefusedBeforeAnyWork) {
  const CliRun r = run(albumArgs({"-o", dir.qpath() + "/x", "--text", "00:03|31|x",
                                  dir.qpath() + "/photos/a.jpg"}));
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.err.contains("1 to 30")) << r.err.toStdString();
  EXPECT_FALSE(fs::exists(dir / "x.mpg"));
}

TEST_F(AlbumCliTest, InterruptStopsCleanlyWithoutAPartialAlbum) {
  QProcess cli;
  cli.setProcessChannelMode(QProcess::SeparateChannels);
  cli.start(kCli, albumArgs({"-o", dir.qpath() + "/stopped", dir.qpath() + "/photos"}));
  ASSERT_TRUE(cli.waitForStarted());
  QString err;
  while (!err.contains("制作相册") && cli.state() == QProcess::Running) {
    cli.waitForReadyRead(200);
    err += QString::fromLocal8Bit(cli.readAllStandardError());
  }
  ASSERT_EQ(cli.state(), QProcess::Running) << err.toStdString();
  const qint64 pid = cli.processId();
  ASSERT_GT(pid, 0);
  ::kill(static_cast<pid_t>(pid), SIGINT);
  ASSERT_TRUE(cli.waitForFinished(60000));
  err += QString::fromLocal8Bit(cli.readAllStandardError());
  EXPECT_EQ(cli.exitCode(), 130) << err.toStdString();
  EXPECT_TRUE(err.contains("no album was written")) << err.toStdString();
  for (const auto& entry : fs::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().string().find("stopped"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace solvane
