// Music and lyric import: measured rows, pairing by position, pane lists and thumbnails.
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include "lyrics/lyric_words.h"
#include "lyrics/media_import.h"
#include "lyrics/music_length.h"
#include "lyrics/thumbnails.h"
#include "lyrics/time_text.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/sentinels.h"
#include "support/fixtures.h"
#include "support/lyrics_fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;
using test::toQString;

// Mono keeps minutes of tone quick to encode; at this rate the encoder's delay and its
// padding to whole frames stay well below the tenth of a second the lengths below leave.
constexpr int kToneRate = 44100;

// Tone files shared by the tests of one program run, each made on first use: encoding
// minutes of tone is the slowest step of these tests.
class ToneFiles {
 public:
  static const ToneFiles& get() {
    static ToneFiles files;
    return files;
  }
  QString short59() const { return make("情歌.mp3", 59.9); }
  QString long185() const { return make("Long Song.MP3", 185.9); }
  QString two() const { return make("two.mp3", 2.0); }

 private:
  QString make(const char* name, double seconds) const {
    const std::filesystem::path path = dir_ / std::filesystem::u8path(name);
    if (!std::filesystem::exists(path)) test::makeToneMp3(path, seconds, kToneRate, 1);
    return toQString(path);
  }
  ScratchDir dir_;
};

TEST(MusicLength, MeasuresEncodedFilesToTheWholeSecond) {
  const ToneFiles& files = ToneFiles::get();
  const long long shortMs = measureMusicLengthMs(files.short59());
  EXPECT_GE(shortMs, 59000);
  EXPECT_LT(shortMs, 60000);
  const long long longMs = measureMusicLengthMs(files.long185());
  EXPECT_GE(longMs, 185000);
  EXPECT_LT(longMs, 186000);
}

TEST(MusicLength, RefusesFilesThatAreNotMusicNamingTheFile) {
  ScratchDir dir;
  test::writeFile(dir / "notes.mp3", "these are not sounds");
  try {
    measureMusicLengthMs(toQString(dir / "notes.mp3"));
    FAIL() << "a text file was measured";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("notes.mp3")) << e.message().toStdString();
  }
  EXPECT_THROW(measureMusicLengthMs(toQString(dir / "missing.mp3")), Error);
}

TEST(TimeText, DurationTextsNeverCarryMinutesIntoHours) {
  struct Case {
    long long ms;
    const char* text;
    long long frames;
  };
  const Case cases[] = {{59900, "00:00:59", 1475},
                        {185900, "00:03:05", 4625},
                        {3725000, "00:62:05", 93125},
                        {4500999, "00:75:00", 112500},
                        {999, "00:00:00", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(musicDurationText(c.ms), QString::fromUtf8(c.text)) << c.ms;
    EXPECT_EQ(musicFramesNeeded(c.ms), c.frames) << c.ms;
  }
}

TEST(TimeText, KaraokeTimeTextReducesMinutesAndClampsNegativeSeconds) {
  EXPECT_EQ(karaokeTimeText(4), "00:04");
  EXPECT_EQ(karaokeTimeText(125), "02:05");
  EXPECT_EQ(karaokeTimeText(61 * 60 + 3), "01:03");
  EXPECT_EQ(karaokeTimeText(-1), "00:00");
}

class ImportTest : public ::testing::Test {
 protected:
  ScratchDir work;
  Workspace workspace{work.qpath(), work.qpath()};
  Project project;

  ImportResult addLyrics(const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) paths << work.qpath() + "/" + name;
    return ImportLyricFiles(project, workspace, paths);
  }
};

TEST_F(ImportTest, MusicRowsCarryEveryCell) {
  const ToneFiles& files = ToneFiles::get();
  long long lastDone = 0, lastTotal = 0;
  JobControl job;
  job.progress = [&](long long done, long long total) {
    lastDone = done;
    lastTotal = total;
  };
  const ImportResult result =
      ImportMusicFiles(project, workspace, {files.short59(), files.long185()}, job);
  EXPECT_EQ(result.added, 2);
  EXPECT_TRUE(result.messages.isEmpty());
  EXPECT_TRUE(result.showPane);
  EXPECT_EQ(lastDone, 4);
  EXPECT_EQ(lastTotal, 4);

  const Table& music = project.ListView_daoru_yinyue;
  ASSERT_EQ(music.count(), 2);
  EXPECT_EQ(music.row(0),
            (QStringList{"1", "情歌", ".mp3", files.short59(), "00:00:59", "1475", "wu", "wu"}));
  EXPECT_EQ(music.row(1), (QStringList{"2", "Long Song", ".MP3", files.long185(), "00:03:05",
                                       "4625", "wu", "wu"}));
  EXPECT_EQ(project.suiListView_yinyue_liebiao.row(1),
            (QStringList{"2", "Long Song", ".MP3", "00:03:05", files.long185(), "未绑定歌词"}));
  EXPECT_EQ(project.Edit_tubiao_liebiao, "tubiao");

  const QImage thumb(musicThumbnailPath(workspace, 1));
  EXPECT_EQ(thumb.size(), QSize(kPaneThumbWidth, kPaneThumbHeight));
  EXPECT_TRUE(musicThumbnailPath(workspace, 1).endsWith("tp_slt_2/tp_slt_2_2.bmp"));
}

TEST_F(ImportTest, UnreadableMusicIsLeftOutAndNamed) {
  test::writeFile(work / "broken.mp3", QByteArray(4000, '\x55'));
  const ImportResult result =
      ImportMusicFiles(project, workspace, {work.qpath() + "/broken.mp3", ToneFiles::get().two()});
  EXPECT_EQ(result.added, 1);
  ASSERT_EQ(result.messages.size(), 1);
  EXPECT_TRUE(result.messages[0].contains("broken.mp3"));
  ASSERT_EQ(project.ListView_daoru_yinyue.count(), 1);
  EXPECT_EQ(project.ListView_daoru_yinyue.cell(0, music_col::file_name), "two");
  EXPECT_EQ(project.ListView_daoru_yinyue.cell(0, music_col::seq), "1");
  EXPECT_EQ(project.suiListView_yinyue_liebiao.count(), 1);
}

TEST_F(ImportTest, StoppedMusicImportChangesNothing) {
  std::stop_source stop;
  stop.request_stop();
  JobControl job;
  job.stop = stop.get_token();
  EXPECT_THROW(ImportMusicFiles(project, workspace, {ToneFiles::get().two()}, job), Cancelled);
  EXPECT_TRUE(project.ListView_daoru_yinyue.empty());
  EXPECT_TRUE(project.suiListView_yinyue_liebiao.empty());
}

TEST_F(ImportTest, AnUnwritableThumbnailFolderKeepsTheRowsAndSaysSo) {
  test::writeFile(work / "smxcwjj" / "tp_wj", "a file where the folder should be");
  const ImportResult result = addLyrics({"a.lrc"});
  EXPECT_EQ(result.added, 1);
  EXPECT_EQ(result.messages.size(), 1);
  EXPECT_EQ(project.ListView_daoru_LRC.count(), 1);
  EXPECT_EQ(project.suiListView_geci_liebiao.count(), 1);
}

TEST_F(ImportTest, LyricRowsGetTheDefaultStyle) {
  const ImportResult result = addLyrics({"月光.lrc", "b.LRC"});
  EXPECT_EQ(result.added, 2);
  const Table& lyrics = project.ListView_daoru_LRC;
  EXPECT_EQ(lyrics.row(0),
            (QStringList{"1", "月光", ".lrc", work.qpath() + "/月光.lrc", "wu", "wu", "clWhite",
                         "16777215", "10", "黑体", "cuti", "wu", "wu", "juzhong", "xiamian"}));
  EXPECT_EQ(project.suiListView_geci_liebiao.row(1),
            (QStringList{"2", "b", ".LRC", work.qpath() + "/b.LRC", "未绑定音乐", "clWhite", "10",
                         "黑体", "[粗体]", "歌词居中", "歌词在下面"}));
  EXPECT_EQ(QImage(lyricThumbnailPath(workspace, 0)).size(),
            QSize(kPaneThumbWidth, kPaneThumbHeight));
}

TEST_F(ImportTest, PairsByPositionOnlyWhereBothRowsAreUnbound) {
  addLyrics({"l1.lrc", "l2.lrc"});
  const QString two = ToneFiles::get().two();
  ImportMusicFiles(project, workspace, {two, two, two});
  const Table& music = project.ListView_daoru_yinyue;
  const Table& lyrics = project.ListView_daoru_LRC;
  for (int i = 0; i < 2; ++i) {
    EXPECT_NE(music.cell(i, music_col::bound_lyric), "wu");
    EXPECT_EQ(music.cell(i, music_col::bound_lyric), lyrics.cell(i, lyric_col::bound_music));
    EXPECT_TRUE(music.cell(i, music_col::bound_lyric).endsWith(QString::number(i + 1)));
    EXPECT_EQ(music.cell(i, music_col::bound_lyric_name), lyrics.cell(i, lyric_col::file_name));
    EXPECT_EQ(lyrics.cell(i, lyric_col::bound_music_name), "two");
    EXPECT_EQ(project.suiListView_geci_liebiao.cell(i, 4), "two");
  }
  EXPECT_NE(music.cell(0, music_col::bound_lyric), music.cell(1, music_col::bound_lyric));
  EXPECT_EQ(music.cell(2, music_col::bound_lyric), "wu");
  EXPECT_EQ(project.suiListView_yinyue_liebiao.cell(2, 5), "未绑定歌词");

  // Row 1 stays as it is; a new lyric pairs with the unbound music row 3.
  const QString keyOne = music.cell(0, music_col::bound_lyric);
  addLyrics({"l3.lrc"});
  EXPECT_EQ(music.cell(0, music_col::bound_lyric), keyOne);
  EXPECT_EQ(music.cell(2, music_col::bound_lyric_name), "l3");
  EXPECT_EQ(project.suiListView_yinyue_liebiao.cell(2, 5), "l3");
}

TEST_F(ImportTest, MusicImportMarksUnboundLyricsAsWithoutLyric) {
  addLyrics({"l1.lrc", "l2.lrc"});
  ImportMusicFiles(project, workspace, {ToneFiles::get().two()});
  EXPECT_EQ(project.suiListView_geci_liebiao.cell(0, 4), "two");
  EXPECT_EQ(project.suiListView_geci_liebiao.cell(1, 4), marker::unbound_lyric);
}

TEST(ImportNames, ChopsFourCharactersAndKeepsTheExtensionSpelling) {
  EXPECT_EQ(importedFileName("/music/情歌.mp3"), "情歌");
  EXPECT_EQ(importedFileType("/music/情歌.Mp3"), ".Mp3");
  EXPECT_EQ(importedFileType("/music/noext"), "");
}

TEST(Thumbnails, NamesOfAtLeast130PixelsAreLeftJustified) {
  EXPECT_TRUE(thumbnailNameCentred(129));
  EXPECT_FALSE(thumbnailNameCentred(130));
  EXPECT_FALSE(thumbnailNameCentred(300));
}

TEST(Thumbnails, TheNameIsWrittenInWhiteNearTheBottom) {
  const QImage plain = drawMusicThumbnail(QString());
  const QImage named = drawMusicThumbnail("情歌情歌");
  int whiteInBox = 0;
  for (int y = 98; y < 112; ++y)
    for (int x = 5; x < 129; ++x)
      if (named.pixel(x, y) != plain.pixel(x, y) && qGray(named.pixel(x, y)) > 128) ++whiteInBox;
  EXPECT_GT(whiteInBox, 10);
}

}  // namespace
}  // namespace solvane
