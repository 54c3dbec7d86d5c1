// Binding commands: keys, name cells and the marker texts each command writes.
#include <gtest/gtest.h>

#include "lyrics/binding.h"
#include "lyrics/binding_key.h"
#include "lyrics/display_lists.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "model/columns.h"

namespace solvane {
namespace {

const QString kUnboundLyric = marker::unbound_lyric;
const QString kUnboundMusic = marker::unbound_music;

class BindingTest : public ::testing::Test {
 protected:
  Project p;

  void addRows(int musicRows, int lyricRows) {
    for (int i = 0; i < musicRows; ++i)
      p.ListView_daoru_yinyue.append({QString::number(i + 1), "m" + QString::number(i + 1), ".mp3",
                                      "/m.mp3", "00:00:10", "250", "wu", "wu"});
    for (int i = 0; i < lyricRows; ++i) {
      QStringList row = {
          QString::number(i + 1), "l" + QString::number(i + 1), ".lrc", "/l.lrc", "wu", "wu"};
      p.ListView_daoru_LRC.append(row + defaultLrcStyle().cells());
    }
    rebuildMusicList(p, kUnboundLyric);
    rebuildLyricList(p, kUnboundMusic);
  }
  QString musicKey(int m) const { return p.ListView_daoru_yinyue.cell(m, music_col::bound_lyric); }
  QString musicName(int m) const {
    return p.ListView_daoru_yinyue.cell(m, music_col::bound_lyric_name);
  }
  QString lyricKey(int g) const { return p.ListView_daoru_LRC.cell(g, lyric_col::bound_music); }
  QString lyricName(int g) const {
    return p.ListView_daoru_LRC.cell(g, lyric_col::bound_music_name);
  }
  QString musicShown(int m) const { return p.suiListView_yinyue_liebiao.cell(m, 5); }
  QString lyricShown(int g) const { return p.suiListView_geci_liebiao.cell(g, 4); }
};

TEST_F(BindingTest, AutoBindPairsByPositionAndCountsMusicLeftOver) {
  addRows(5, 3);
  const std::optional<QString> message = AutoBind(p);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message,
            QString::fromUtf8("添加的歌词数量与添加的音乐数量不一致,还有 2 个音乐没有绑定"));
  for (int i = 0; i < 3; ++i) {
    EXPECT_NE(musicKey(i), "wu");
    EXPECT_EQ(musicKey(i), lyricKey(i));
    EXPECT_TRUE(musicKey(i).endsWith(QString::number(i + 1)));
    EXPECT_EQ(musicShown(i), "l" + QString::number(i + 1));
    EXPECT_EQ(lyricShown(i), "m" + QString::number(i + 1));
  }
  EXPECT_EQ(musicKey(3), "wu");
  EXPECT_EQ(musicShown(3), kUnboundMusic);
  EXPECT_EQ(musicShown(4), kUnboundMusic);
}

TEST_F(BindingTest, AutoBindReportsNothingForSurplusLyrics) {
  addRows(3, 5);
  EXPECT_FALSE(AutoBind(p));
  EXPECT_EQ(lyricKey(3), "wu");
  EXPECT_EQ(lyricShown(3), kUnboundLyric);
  EXPECT_EQ(lyricShown(4), kUnboundLyric);
}

TEST_F(BindingTest, AutoBindReplacesEarlierBindings) {
  addRows(2, 2);
  BindMusicToLyric(p, 0, 1);
  AutoBind(p);
  EXPECT_EQ(musicName(0), "l1");
  EXPECT_EQ(lyricName(1), "m2");
}

TEST_F(BindingTest, UnbindAllWritesItsMarkers) {
  addRows(2, 2);
  AutoBind(p);
  UnbindAll(p);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(musicKey(i), "wu");
    EXPECT_EQ(musicName(i), "wu");
    EXPECT_EQ(lyricKey(i), "wu");
    EXPECT_EQ(lyricName(i), "wu");
    EXPECT_EQ(musicShown(i), kUnboundMusic);
    EXPECT_EQ(lyricShown(i), kUnboundLyric);
  }
}

TEST_F(BindingTest, UnbindingOneOfTwoSongsRecountsTheSharedLyric) {
  addRows(2, 1);
  BindMusicToLyric(p, 0, 0);
  EXPECT_EQ(lyricName(0), "m1");
  BindMusicToLyric(p, 1, 0);
  EXPECT_EQ(musicKey(0), musicKey(1));
  EXPECT_EQ(lyricName(0), QString::fromUtf8("绑定2个音乐"));
  EXPECT_EQ(lyricShown(0), QString::fromUtf8("绑定2个音乐"));

  UnbindMusicRow(p, 0);
  EXPECT_EQ(musicKey(0), "wu");
  EXPECT_EQ(musicShown(0), kUnboundMusic);
  EXPECT_EQ(lyricKey(0), musicKey(1));  // still bound to music 2
  EXPECT_EQ(lyricName(0), "m2");           // and named after it, not "绑定2个音乐"
  EXPECT_EQ(lyricShown(0), "m2");

  UnbindMusicRow(p, 1);  // the last holder: the lyric goes too
  EXPECT_EQ(lyricKey(0), "wu");
  EXPECT_EQ(lyricShown(0), kUnboundMusic);
}

TEST_F(BindingTest, RebindingMusicLeavesTheFormerLyricUnbound) {
  addRows(1, 2);
  BindMusicToLyric(p, 0, 0);
  BindMusicToLyric(p, 0, 1);
  EXPECT_EQ(musicName(0), "l2");
  EXPECT_EQ(musicKey(0), lyricKey(1));
  EXPECT_EQ(lyricKey(0), "wu");
  EXPECT_EQ(lyricName(0), "wu");
  EXPECT_EQ(lyricShown(0), kUnboundMusic);
  EXPECT_EQ(lyricShown(1), "m1");
}

TEST_F(BindingTest, LyricChoosesMusicUsingItsOwnKeyWhenBound) {
  addRows(2, 1);
  BindLyricToMusic(p, 0, 0);
  const QString key = lyricKey(0);
  EXPECT_NE(key, "wu");
  EXPECT_EQ(musicKey(0), key);
  EXPECT_EQ(musicShown(0), "l1");
  BindLyricToMusic(p, 0, 1);
  EXPECT_EQ(musicKey(1), key);
  EXPECT_EQ(lyricName(0), QString::fromUtf8("绑定2个音乐"));
}

TEST_F(BindingTest, UnbindingASharedLyricUnbindsEveryMusicRow) {
  addRows(3, 1);
  for (int m = 0; m < 3; ++m) BindMusicToLyric(p, m, 0);
  UnbindLyricRow(p, 0);
  EXPECT_EQ(lyricKey(0), "wu");
  EXPECT_EQ(lyricShown(0), kUnboundMusic);
  for (int m = 0; m < 3; ++m) {
    EXPECT_EQ(musicKey(m), "wu");
    EXPECT_EQ(musicShown(m), kUnboundMusic);
  }
}

TEST_F(BindingTest, UnbindingAnUnboundMusicRowRemarksUnboundLyrics) {
  addRows(2, 2);
  BindMusicToLyric(p, 1, 1);
  rebuildLyricList(p, kUnboundLyric);
  // Music row 1 is the only unbound music row; lyric row 1 is unbound.
  UnbindMusicRow(p, 0);
  EXPECT_EQ(lyricKey(0), "wu");
  EXPECT_EQ(lyricShown(0), kUnboundMusic);
  EXPECT_EQ(lyricShown(1), "m2");
}

TEST_F(BindingTest, ManualBindingsInOneSecondGetDistinctKeys) {
  addRows(2, 2);
  BindMusicToLyric(p, 0, 0);
  BindMusicToLyric(p, 1, 1);
  EXPECT_NE(lyricKey(0), lyricKey(1));
  EXPECT_EQ(lyricName(0), "m1");
  EXPECT_EQ(lyricName(1), "m2");
  EXPECT_NE(makeBindingKey(7), makeBindingKey(7));
}

struct CheckCase {
  const char* name;
  int music, lyrics;
  Pane pane;
  BindingCommand command;
  BindingCheck::Outcome outcome;
  const char* text;  // message, or confirmation question, or operation word
};

class BindingChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(BindingChecks, RefuseOrAskAsTheCommandRequires) {
  const CheckCase& c = GetParam();
  Project p;
  for (int i = 0; i < c.music; ++i) p.ListView_daoru_yinyue.append({"1", "m"});
  for (int i = 0; i < c.lyrics; ++i) p.ListView_daoru_LRC.append({"1", "l"});
  p.Edit_xiangpian_down_id = "wu";
  const BindingCheck check = checkBindingCommand(p, c.pane, c.command);
  EXPECT_EQ(check.outcome, c.outcome);
  const QString text = QString::fromUtf8(c.text);
  switch (check.outcome) {
    case BindingCheck::Outcome::Message:
      EXPECT_EQ(check.message, text);
      break;
    case BindingCheck::Outcome::Confirm:
      EXPECT_EQ(check.question, text);
      break;
    default:
      EXPECT_TRUE(text.isEmpty());
  }
}

using O = BindingCheck::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Commands, BindingChecks,
    ::testing::Values(
        CheckCase{"MusicBindNoMusic", 0, 1, Pane::Music, BindingCommand::Bind, O::Nothing, ""},
        CheckCase{"MusicBindNoLyric", 1, 0, Pane::Music, BindingCommand::Bind, O::Message,
                  "没有找到歌词文件！"},
        CheckCase{"MusicBindNoSelection", 1, 1, Pane::Music, BindingCommand::Bind, O::Message,
                  "没有选中音乐文件！"},
        CheckCase{"LyricBindNoMusic", 0, 1, Pane::Lyric, BindingCommand::Bind, O::Message,
                  "没有找到音乐文件！"},
        CheckCase{"LyricBindNoLyric", 1, 0, Pane::Lyric, BindingCommand::Bind, O::Nothing, ""},
        CheckCase{"LyricUnbindNoSelection", 1, 1, Pane::Lyric, BindingCommand::Unbind, O::Message,
                  "没有选中歌词文件！"},
        CheckCase{"AutoBindAsks", 1, 1, Pane::Lyric, BindingCommand::AutoBind, O::Confirm,
                  "自动绑定会先解绑所有的绑定,然后按顺序重新自动绑定。确定自动绑定吗？"},
        CheckCase{"AutoBindNoLyric", 2, 0, Pane::Music, BindingCommand::AutoBind, O::Message,
                  "没有找到歌词文件！"},
        CheckCase{"UnbindAllAsks", 1, 1, Pane::Music, BindingCommand::UnbindAll, O::Confirm,
                  "确定全部解除绑定吗？"},
        CheckCase{"UnbindAllEmpty", 1, 0, Pane::Music, BindingCommand::UnbindAll, O::Nothing, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BindingSelection, ListAndThumbnailViewsNameTheSelectedRow) {
  Project p;
  for (int i = 0; i < 3; ++i) p.ListView_daoru_yinyue.append({"1", "m"});
  rebuildMusicList(p, marker::unbound_lyric);
  p.ListView_daoru_LRC.append({"1", "l"});
  p.Edit_xiangpian_down_id = "2";
  EXPECT_EQ(selectedPaneRow(p, Pane::Music), 2);
  const BindingCheck bind = checkBindingCommand(p, Pane::Music, BindingCommand::Bind);
  EXPECT_EQ(bind.outcome, BindingCheck::Outcome::ChooseOther);
  EXPECT_EQ(bind.operation, "yinyue_bangding");
  EXPECT_EQ(bind.selectedRow, 2);

  p.Edit_tubiao_liebiao = "liebiao";
  EXPECT_EQ(selectedPaneRow(p, Pane::Music), -1);
  p.suiListView_yinyue_liebiao.setSelected(1, true);
  const BindingCheck unbind = checkBindingCommand(p, Pane::Music, BindingCommand::Unbind);
  EXPECT_EQ(unbind.outcome, BindingCheck::Outcome::Confirm);
  EXPECT_EQ(unbind.title, QString::fromUtf8("解除绑定"));
  EXPECT_EQ(unbind.operation, "dangejiechubangding_yinyue");
  EXPECT_EQ(unbind.selectedRow, 1);
}

TEST_F(BindingTest, ConfirmedOperationsRunByTheirWord) {
  addRows(3, 2);
  EXPECT_EQ(runBindingOperation(p, "zidongbangding", -1).value_or(""),
            QString::fromUtf8("添加的歌词数量与添加的音乐数量不一致,还有 1 个音乐没有绑定"));
  runBindingOperation(p, "dangejiechubangding_geci", 0);
  EXPECT_EQ(musicKey(0), "wu");
  runBindingOperation(p, "quanbujiebang", -1);
  EXPECT_EQ(lyricKey(1), "wu");
}

TEST(KaraokePairing, ListsMusicBesideKaraokeByPosition) {
  Project p;
  for (int i = 0; i < 3; ++i) p.ListView_daoru_yinyue.append({"1", "m" + QString::number(i + 1)});
  appendKaraokeRow(p.suiListView_ksc, "/k/歌一.ksc");
  const Table view = karaokePairingView(p);
  ASSERT_EQ(view.count(), 3);
  EXPECT_EQ(view.row(0), (QStringList{"1", "m1", "<--->", QString::fromUtf8("歌一")}));
  EXPECT_EQ(view.row(2), (QStringList{"3", "m3", "<--->", ""}));
}

}  // namespace
}  // namespace solvane
