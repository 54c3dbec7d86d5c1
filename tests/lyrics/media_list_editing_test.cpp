// Deleting and swapping music and lyric rows on really imported files: thumbnail files
// follow their rows, the other table's bindings and markers follow the keys, and the
// album-length rule returns to the photographs whenever the music is gone.
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "lyrics/binding.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "lyrics/media_import.h"
#include "lyrics/media_list_editing.h"
#include "lyrics/pane_tips.h"
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

class MediaListEditingTest : public ::testing::Test {
 protected:
  ScratchDir work;
  Workspace workspace{work.qpath(), work.qpath()};
  Project p;

  // Imports songs s1 … sN and lyrics l1 … lM (paired by position as an import pairs them).
  void importMedia(int songs, int lyricFiles) {
    QStringList music, lyrics;
    for (int i = 1; i <= songs; ++i) {
      const auto path = work / ("s" + std::to_string(i) + ".mp3");
      test::makeToneMp3(path, 1.0, 22050, 1, 300.0 + 100 * i);
      music << toQString(path);
    }
    for (int i = 1; i <= lyricFiles; ++i) {
      const auto path = work / ("l" + std::to_string(i) + ".lrc");
      test::writeFile(path, "[00:00.00]line\n");
      lyrics << toQString(path);
    }
    if (!music.isEmpty()) ASSERT_TRUE(ImportMusicFiles(p, workspace, music).messages.isEmpty());
    if (!lyrics.isEmpty()) ASSERT_TRUE(ImportLyricFiles(p, workspace, lyrics).messages.isEmpty());
  }
  static QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QList<QByteArray> musicThumbs(int n) const {
    QList<QByteArray> all;
    for (int i = 0; i < n; ++i) all << bytes(musicThumbnailPath(workspace, i));
    return all;
  }
  QList<QByteArray> lyricThumbs(int n) const {
    QList<QByteArray> all;
    for (int i = 0; i < n; ++i) all << bytes(lyricThumbnailPath(workspace, i));
    return all;
  }
  QString music(int row, int col) const { return p.ListView_daoru_yinyue.cell(row, col); }
  QString lyric(int row, int col) const { return p.ListView_daoru_LRC.cell(row, col); }
  QString musicShown(int row) const { return p.suiListView_yinyue_liebiao.cell(row, 5); }
  QString lyricShown(int row) const { return p.suiListView_geci_liebiao.cell(row, 4); }
  QStringList column(const Table& t, int col) const {
    QStringList out;
    for (int i = 0; i < t.count(); ++i) out << t.cell(i, col);
    return out;
  }
  // Every music row that shows a lyric name holds a key some lyric row carries: the album
  // draws exactly the bindings the panes show.
  void expectShownBindingsAreReal() const {
    for (int m = 0; m < p.ListView_daoru_yinyue.count(); ++m) {
      if (music(m, music_col::bound_lyric_name) == word::wu) continue;
      bool carried = false;
      for (int g = 0; g < p.ListView_daoru_LRC.count(); ++g)
        carried |= lyric(g, lyric_col::bound_music) == music(m, music_col::bound_lyric);
      EXPECT_TRUE(carried) << "music row " << m << " shows a lyric no lyric row is bound to";
    }
  }
};

TEST_F(MediaListEditingTest, DeletingTheMiddleSongMovesLaterThumbnailsDownAndFreesItsLyric) {
  importMedia(3, 3);
  const QList<QByteArray> before = musicThumbs(3);
  ASSERT_NE(before[0], before[2]);
  p.Edit_xiangpian_down_id = "1";

  DeleteMusicRow(p, workspace, 1);
  EXPECT_EQ(musicThumbs(2), (QList<QByteArray>{before[0], before[2]}));
  EXPECT_FALSE(QFileInfo::exists(musicThumbnailPath(workspace, 2)));
  EXPECT_EQ(column(p.ListView_daoru_yinyue, music_col::seq), (QStringList{"1", "2"}));
  EXPECT_EQ(column(p.ListView_daoru_yinyue, music_col::file_name), (QStringList{"s1", "s3"}));
  EXPECT_EQ(column(p.suiListView_yinyue_liebiao, 0), (QStringList{"1", "2"}));
  EXPECT_EQ(column(p.suiListView_yinyue_liebiao, 1), (QStringList{"s1", "s3"}));
  EXPECT_EQ(p.Edit_xianshikuang_pailie_yinyue, "2");
  EXPECT_EQ(p.Edit_xiangpian_down_id, word::wu);

  // Lyric 2 lost its song; lyrics 1 and 3 keep theirs.
  EXPECT_EQ(lyric(1, lyric_col::bound_music), word::wu);
  EXPECT_EQ(lyric(1, lyric_col::bound_music_name), word::wu);
  EXPECT_EQ(lyricShown(1), marker::unbound_music);
  EXPECT_EQ(lyric(2, lyric_col::bound_music), music(1, music_col::bound_lyric));
  EXPECT_EQ(lyricShown(2), "s3");
  EXPECT_EQ(musicShown(1), "l3");
  expectShownBindingsAreReal();
}

TEST_F(MediaListEditingTest, DeletingASongThatSharesItsLyricLeavesTheLyricToTheOtherSong) {
  importMedia(2, 1);
  BindMusicToLyric(p, 1, 0);  // both songs now hold lyric 1's key
  ASSERT_EQ(lyric(0, lyric_col::bound_music_name), QStringLiteral("绑定2个音乐"));

  DeleteMusicRow(p, workspace, 0);
  ASSERT_EQ(p.ListView_daoru_yinyue.count(), 1);
  EXPECT_EQ(music(0, music_col::bound_lyric), lyric(0, lyric_col::bound_music));
  EXPECT_EQ(music(0, music_col::bound_lyric_name), "l1");
  EXPECT_EQ(lyric(0, lyric_col::bound_music_name), "s2");
  EXPECT_EQ(lyricShown(0), "s2");
  expectShownBindingsAreReal();

  DeleteMusicRow(p, workspace, 0);  // the last holder goes: now the lyric is free
  EXPECT_EQ(lyric(0, lyric_col::bound_music), word::wu);
  EXPECT_EQ(lyricShown(0), marker::unbound_music);
}

TEST_F(MediaListEditingTest, TheAlbumLengthRuleResetsWhenTheLastSongGoesEitherWay) {
  for (const bool all : {false, true}) {
    SCOPED_TRACE(all ? "delete all" : "one by one");
    p = Project{};
    importMedia(2, 0);
    p.Edit_tongbu_shezhi = word::sui_yinyue_tongbu;
    p.album_loops = LoopOptions{true, true};
    if (all) {
      DeleteAllMusic(p, workspace);
    } else {
      DeleteMusicRow(p, workspace, 1);
      EXPECT_EQ(p.Edit_tongbu_shezhi, word::sui_yinyue_tongbu) << "music is left";
      EXPECT_TRUE(p.album_loops.music_loop);
      DeleteMusicRow(p, workspace, 0);
    }
    EXPECT_TRUE(p.ListView_daoru_yinyue.empty());
    EXPECT_EQ(p.Edit_tongbu_shezhi, word::sui_zhaopian_tongbu);
    EXPECT_FALSE(p.album_loops.music_loop);
    EXPECT_FALSE(p.album_loops.picture_loop);
    EXPECT_EQ(p.Edit_xianshikuang_pailie_yinyue, "0");
  }
}

TEST_F(MediaListEditingTest, DeletingAllMusicEmptiesItsFolderAndUnbindsEveryLyric) {
  importMedia(3, 2);
  DeleteAllMusic(p, workspace);
  const QString folder = QFileInfo(musicThumbnailPath(workspace, 0)).absolutePath();
  EXPECT_TRUE(QDir(folder).exists());
  EXPECT_TRUE(QDir(folder).isEmpty());
  EXPECT_FALSE(QFileInfo::exists(folder + "_deleted"));
  EXPECT_TRUE(p.suiListView_yinyue_liebiao.empty());
  EXPECT_TRUE(p.ListView_daoruyinyue_tuodong_linshi.empty());
  for (int g = 0; g < 2; ++g) {
    EXPECT_EQ(lyric(g, lyric_col::bound_music), word::wu);
    EXPECT_EQ(lyricShown(g), marker::unbound_lyric);
  }
  EXPECT_EQ(lyricThumbs(2).size(), 2);  // the other pane keeps its pictures
  EXPECT_FALSE(lyricThumbs(2)[1].isEmpty());
}

TEST_F(MediaListEditingTest, DeletingALyricUnbindsItsSongsAndMovesLyricThumbnails) {
  importMedia(2, 3);
  BindMusicToLyric(p, 1, 0);  // songs 1 and 2 share lyric 1
  const QList<QByteArray> before = lyricThumbs(3);

  DeleteLyricRow(p, workspace, 0);
  EXPECT_EQ(lyricThumbs(2), (QList<QByteArray>{before[1], before[2]}));
  EXPECT_EQ(column(p.ListView_daoru_LRC, lyric_col::file_name), (QStringList{"l2", "l3"}));
  EXPECT_EQ(column(p.suiListView_geci_liebiao, 0), (QStringList{"1", "2"}));
  for (int m = 0; m < 2; ++m) {
    EXPECT_EQ(music(m, music_col::bound_lyric), word::wu);
    EXPECT_EQ(musicShown(m), marker::unbound_lyric);
  }

  DeleteAllLyrics(p, workspace);
  EXPECT_TRUE(p.ListView_daoru_LRC.empty());
  EXPECT_EQ(musicShown(0), marker::unbound_music);
  EXPECT_EQ(p.ListView_daoru_yinyue.count(), 2);
}

TEST_F(MediaListEditingTest, SwappingSongsExchangesRowsThumbnailsAndBindings) {
  importMedia(3, 3);
  const QList<QByteArray> before = musicThumbs(3);
  const QString key0 = music(0, music_col::bound_lyric);
  const QString key2 = music(2, music_col::bound_lyric);

  SwapMusicRows(p, workspace, 0, 2);
  EXPECT_EQ(musicThumbs(3), (QList<QByteArray>{before[2], before[1], before[0]}));
  EXPECT_EQ(column(p.ListView_daoru_yinyue, music_col::file_name), (QStringList{"s3", "s2", "s1"}));
  EXPECT_EQ(column(p.ListView_daoru_yinyue, music_col::seq), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(column(p.suiListView_yinyue_liebiao, 0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(music(0, music_col::bound_lyric), key2);
  EXPECT_EQ(music(2, music_col::bound_lyric), key0);
  EXPECT_EQ(musicShown(0), "l3");  // the bound names move with their rows
  EXPECT_EQ(musicShown(2), "l1");
  EXPECT_EQ(lyric(0, lyric_col::bound_music), key0);  // still bound, now to row 3
  EXPECT_FALSE(QFileInfo::exists(
      QFileInfo(musicThumbnailPath(workspace, 0)).absolutePath() + "/tp_slt_2_000.bmp"));
  expectShownBindingsAreReal();
}

TEST_F(MediaListEditingTest, SwappingLyricsCarriesTheirStyles) {
  importMedia(0, 2);
  LrcStyle style;
  style.fontSize = 33;
  writeLrcStyle(p, 1, style);
  const QList<QByteArray> before = lyricThumbs(2);
  SwapLyricRows(p, workspace, 1, 0);
  EXPECT_EQ(lyricThumbs(2), (QList<QByteArray>{before[1], before[0]}));
  EXPECT_EQ(lyric(0, lyric_col::font_size), "33");
  EXPECT_EQ(p.suiListView_geci_liebiao.cell(0, 6), "33");
  EXPECT_EQ(column(p.ListView_daoru_LRC, lyric_col::seq), (QStringList{"1", "2"}));
}

TEST_F(MediaListEditingTest, AnEditThatCannotMoveAThumbnailChangesNothing) {
  importMedia(2, 0);
  const Project untouched = p;
  const QList<QByteArray> before = musicThumbs(2);
  // A folder squats on the name the swap passes through.
  const QString squatter =
      QFileInfo(musicThumbnailPath(workspace, 0)).absolutePath() + "/tp_slt_2_000.bmp";
  ASSERT_TRUE(QDir().mkpath(squatter + "/inside"));
  EXPECT_THROW(SwapMusicRows(p, workspace, 0, 1), Error);
  EXPECT_EQ(musicThumbs(2), before);
  EXPECT_EQ(p.ListView_daoru_yinyue.row(0), untouched.ListView_daoru_yinyue.row(0));
  EXPECT_EQ(p.suiListView_yinyue_liebiao.row(1), untouched.suiListView_yinyue_liebiao.row(1));

  EXPECT_THROW(DeleteMusicRow(p, workspace, 2), Error);
  EXPECT_EQ(p.ListView_daoru_yinyue.count(), 2);
}

TEST(MediaDeleteChecks, EmptyPaneNoSelectionOrConfirmation) {
  Project p;
  EXPECT_EQ(checkDeleteCommand(p, Pane::Music, false).outcome, BindingCheck::Outcome::Nothing);
  EXPECT_EQ(checkDeleteCommand(p, Pane::Lyric, true).outcome, BindingCheck::Outcome::Nothing);
  p.ListView_daoru_yinyue.append({"1", "a", ".mp3", "/a.mp3", "00:00:01", "25", "wu", "wu"});
  p.suiListView_yinyue_liebiao.append({"1", "a"});
  const BindingCheck none = checkDeleteCommand(p, Pane::Music, false);
  EXPECT_EQ(none.outcome, BindingCheck::Outcome::Message);
  EXPECT_EQ(none.message, QStringLiteral("没有选中音乐文件！"));
  p.Edit_xiangpian_down_id = "0";
  const BindingCheck one = checkDeleteCommand(p, Pane::Music, false);
  EXPECT_EQ(one.outcome, BindingCheck::Outcome::Confirm);
  EXPECT_EQ(one.title, QStringLiteral("删除音乐"));
  EXPECT_EQ(one.question, QStringLiteral("确定删除这个音乐文件吗？"));
  EXPECT_EQ(one.operation, word::dan_ge_shang_chu);
  EXPECT_EQ(one.selectedRow, 0);
  const BindingCheck all = checkDeleteCommand(p, Pane::Music, true);
  EXPECT_EQ(all.question, QStringLiteral("确定删除全部音乐文件吗？"));
  EXPECT_EQ(all.operation, word::quan_bu_shang_chu);
}

TEST(MediaCells, CellsStandOnA170PixelGridFromTen) {
  EXPECT_EQ(mediaCellPosition(0, 700), QPoint(10, 10));
  EXPECT_EQ(mediaCellPosition(3, 700), QPoint(520, 10));  // four cells fit in 700
  EXPECT_EQ(mediaCellPosition(4, 700), QPoint(10, 180));
  EXPECT_EQ(mediaCellPosition(1, 100), QPoint(10, 180));  // always at least one per row
}

TEST(MediaCells, ADropSwapsOnlyWithinFiftyPixelsOfAnotherCell) {
  const std::vector<QPoint> cells = {{10, 10}, {180, 10}, {350, 10}, {10, 180}};
  struct Case {
    QPoint dropped;
    int target;
  };
  const Case cases[] = {
      {{10, 10}, -1},    // back on its own place
      {{40, 30}, -1},    // near its own place only
      {{181, 11}, 1},    // onto cell 2
      {{131, 59}, 1},    // 49 pixels off in both directions
      {{130, 10}, -1},   // exactly 50 across is not close enough
      {{180, 60}, -1},   // exactly 50 down neither
      {{345, 5}, 2},
      {{20, 200}, 3},
      {{265, 95}, -1},   // between cells
  };
  for (const Case& c : cases)
    EXPECT_EQ(dragSwapTarget(cells, 0, c.dropped), c.target)
        << c.dropped.x() << "," << c.dropped.y();
}

TEST(MediaTips, FieldsNameTheRowAndItsBinding) {
  Table music = Project{}.ListView_daoru_yinyue;
  music.append({"1", "情歌", ".mp3", "/a.mp3", "00:04:07", "6175", "wu", "wu"});
  music.append({"2", "b", ".Mp3", "/b.mp3", "00:00:09", "225", "key", "歌词一"});
  EXPECT_EQ(musicTipLines(music, 0),
            (QStringList{"音乐名称：情歌", "音乐类型：.MP3", "绑定状态：未绑定歌词", "绑定歌词：无",
                         "音乐序号：1", "音乐时长：00:04:07"}));
  EXPECT_EQ(musicTipLines(music, 1)[2], QStringLiteral("绑定状态：已绑定歌词"));
  EXPECT_EQ(musicTipLines(music, 1)[3], QStringLiteral("绑定歌词：歌词一"));

  Table lyrics = Project{}.ListView_daoru_LRC;
  lyrics.append({"1", "歌词一", ".lrc", "/l.lrc", "key", "绑定2个音乐"});
  lyrics.append({"2", "c", ".LRC", "/c.lrc", "wu", "wu"});
  EXPECT_EQ(lyricTipLines(lyrics, 0),
            (QStringList{"歌词名称：歌词一", "歌词类型：.LRC", "绑定状态：已绑定音乐",
                         "绑定音乐：绑定2个音乐", "歌词序号：1"}));
  EXPECT_EQ(lyricTipLines(lyrics, 1)[2], QStringLiteral("绑定状态：未绑定音乐"));
  EXPECT_EQ(lyricTipLines(lyrics, 1)[3], QStringLiteral("绑定音乐：无"));
}

}  // namespace
}  // namespace solvane
