// The previews' lyric line and karaoke fill, driven by a scripted music clock.
#include <gtest/gtest.h>

#include "lyrics/lyric_styles.h"
#include "lyrics/playback.h"
#include "lyrics/text_fonts.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "render/karaoke_preview.h"
#include "render/lyric_preview.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

// A lyric row of the file with the default style, then the alignment given.
void addLyricRow(Project& p, const QString& path, const QString& hAlign = "juzhong",
                 const QString& vAlign = "xiamian") {
  Table& t = p.ListView_daoru_LRC;
  const int row = t.append({QString::number(t.count() + 1), "song", ".lrc", path, "wu", "wu"});
  const QStringList style = defaultLrcStyle().cells();
  for (int i = 0; i < style.size(); ++i) t.setCell(row, lyric_col::color_name + i, style[i]);
  t.setCell(row, lyric_col::h_align, hAlign);
  t.setCell(row, lyric_col::v_align, vAlign);
}

TEST(PreviewClock, HoursAreShownAndLrcMinutesCountOn) {
  struct Case {
    long long ms;
    const char* shown;
    const char* lookup;
  } cases[] = {{0, "00:00", "00:00"},          {59'999, "00:59", "00:59"},
               {65'000, "01:05", "01:05"},     {3'599'000, "59:59", "59:59"},
               {3'665'000, "1:01:05", "61:05"}, {7'265'400, "2:01:05", "121:05"}};
  for (const Case& c : cases) {
    EXPECT_EQ(previewClockText(c.ms), c.shown) << c.ms;
    EXPECT_EQ(lrcLookupText(c.ms), c.lookup) << c.ms;
  }
}

class LyricPreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    test::writeFile(dir / "a.lrc",
                    "[00:00.50]early\n[00:02.00]second line\n[00:05.00]far right\n"
                    "[01:05.00]first hour\n[61:05.00]second hour\n");
    path = dir.qpath() + "/a.lrc";
  }
  test::ScratchDir dir;
  QString path;
  Project project;
  LyricPreview preview;
};

TEST_F(LyricPreviewTest, TheLineOfTheSecondStandsWhereTheAlbumPutsIt) {
  addLyricRow(project, path, "youbian", "shangmian");
  preview.choose(project.ListView_daoru_LRC, 0);
  ScriptedPlayback music(4'000'000);
  music.open("song.mp3");
  music.play();

  preview.update(music.positionMs());
  EXPECT_EQ(preview.label().text(), "early") << "a line inside the first second shows at 00:00";
  music.advance(2'400);
  preview.update(music.positionMs());
  const OverlayLabel& label = preview.label();
  EXPECT_EQ(label.text(), "second line");
  EXPECT_EQ(label.font(), fontAtPoints("黑体", 13, true)) << "size 10 × 679 div 513";
  EXPECT_EQ(label.pos(), QPoint(679 - label.size().width() - 10, 10));
  music.advance(1'000);  // 00:03 has no line: the last one stays
  EXPECT_FALSE(preview.update(music.positionMs()));
  EXPECT_EQ(label.text(), "second line");
}

TEST_F(LyricPreviewTest, TheSecondHourFindsItsOwnLines) {
  addLyricRow(project, path);
  preview.choose(project.ListView_daoru_LRC, 0);
  preview.update(65'300);
  EXPECT_EQ(preview.label().text(), "first hour");
  preview.update(3'665'300);
  EXPECT_EQ(preview.label().text(), "second hour");
}

TEST_F(LyricPreviewTest, TheStyleIsTheShownLyricsEvenAfterItsRowIsDeleted) {
  addLyricRow(project, path);
  addLyricRow(project, path, "zuobian", "shangmian");
  preview.choose(project.ListView_daoru_LRC, 1);
  project.ListView_daoru_LRC.clear();
  preview.update(2'000);
  EXPECT_EQ(preview.label().pos(), QPoint(10, 10));
  EXPECT_EQ(preview.style().hAlign, "zuobian");
}

TEST_F(LyricPreviewTest, AnUnreadableLyricNamesItsFileAndKeepsTheChoiceBefore) {
  addLyricRow(project, path);
  addLyricRow(project, dir.qpath() + "/missing.lrc");
  preview.choose(project.ListView_daoru_LRC, 0);
  try {
    preview.choose(project.ListView_daoru_LRC, 1);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("missing.lrc")) << e.message().toStdString();
  }
  preview.update(2'000);
  EXPECT_EQ(preview.label().text(), "second line");
}

TEST(ScriptedPlaybackTest, PauseResumesWhereItStoodStopStartsAgain) {
  ScriptedPlayback music(10'000);
  music.open("a.mp3");
  music.play();
  music.advance(3'250);
  music.pause();
  music.advance(2'000);
  EXPECT_EQ(music.positionMs(), 3'250);
  music.play();
  music.advance(750);
  EXPECT_EQ(music.positionMs(), 4'000);
  music.stop();
  EXPECT_EQ(music.positionMs(), 0);
  music.play();
  music.advance(20'000);
  EXPECT_TRUE(music.ended());
  EXPECT_FALSE(music.playing());
  music.play();
  EXPECT_EQ(music.positionMs(), 0) << "play after the end starts from the beginning";
}

class KaraokePreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    test::writeFile(dir / "k.ksc",
                    "karaoke.add('00:02.000', '00:03.200', 'ABCD', '300,300,300,300');\n"
                    "karaoke.add('00:04.000', '00:05.000', 'EF', '500,500');\n");
    appendKaraokeRow(project.suiListView_ksc, dir.qpath() + "/k.ksc");
    preview.load(project.suiListView_ksc, 0);
  }
  const OverlayLabel& label(KaraokeLabelId id) { return preview.label(id); }
  test::ScratchDir dir;
  Project project;
  KaraokePreview preview;
};

TEST_F(KaraokePreviewTest, SlotsAppearOneSecondBeforeTheirLines) {
  preview.update(900);
  EXPECT_FALSE(label(KaraokeLabelId::A1).visible());
  preview.update(1'000);
  EXPECT_TRUE(label(KaraokeLabelId::A1).visible());
  EXPECT_EQ(label(KaraokeLabelId::A1).pos(), QPoint(75, 338));
  EXPECT_FALSE(label(KaraokeLabelId::A2).visible()) << "the fill waits for the line's start";
  EXPECT_FALSE(label(KaraokeLabelId::B1).visible());
  preview.update(3'000);
  EXPECT_TRUE(label(KaraokeLabelId::B1).visible());
  EXPECT_EQ(label(KaraokeLabelId::B1).pos().y(), 388);
  EXPECT_EQ(label(KaraokeLabelId::B1).pos().x() + label(KaraokeLabelId::B1).size().width(),
            800 - 20);
}

TEST_F(KaraokePreviewTest, TheFillReachesEachUnitsEndAtItsTimeWhateverTheTimerRate) {
  const std::vector<FillUnit> units = preview.timing().fillUnits(0);
  ASSERT_EQ(units.size(), 4u);
  // Polled every 37 ms, as a busy window might: the fill still follows the music.
  ScriptedPlayback music(10'000);
  music.open("a.mp3");
  music.play();
  for (int unit = 0; unit < 4; ++unit) {
    const long long end = 2'000 + 300LL * (unit + 1);
    while (music.positionMs() + 37 <= end) {
      music.advance(37);
      preview.update(music.positionMs());
    }
    preview.update(end);
    const int width = label(KaraokeLabelId::A2).size().width();
    if (unit < 3) {
      EXPECT_EQ(width, units[unit].cumulativeWidth) << "unit " << unit;
    } else {  // the last unit goes on over the trailing blanks, never past the line
      EXPECT_GE(width, units[unit].cumulativeWidth);
      EXPECT_LE(width, label(KaraokeLabelId::A1).size().width());
    }
  }
}

TEST(KaraokePreviewHours, TheSecondHourShowsItsOwnLines) {
  test::ScratchDir dir;
  test::writeFile(dir / "long.ksc",
                  "karaoke.add('01:05.000', '01:06.000', 'first hour', '500,500');\n"
                  "karaoke.add('61:05.000', '61:06.000', 'second hour', '500,500');\n");
  Project project;
  appendKaraokeRow(project.suiListView_ksc, dir.qpath() + "/long.ksc");
  KaraokePreview preview;
  preview.load(project.suiListView_ksc, 0);
  preview.update(64'000);
  EXPECT_EQ(preview.label(KaraokeLabelId::A1).text().trimmed(), "first hour");
  EXPECT_FALSE(preview.label(KaraokeLabelId::B1).visible()) << "the second hour waits for it";
  preview.update(3'664'000);
  EXPECT_TRUE(preview.label(KaraokeLabelId::B1).visible());
  EXPECT_EQ(preview.label(KaraokeLabelId::B1).text().trimmed(), "second hour");
  preview.update(3'665'500);
  EXPECT_GT(preview.label(KaraokeLabelId::B2).size().width(), 0) << "its fill runs in its time";
}

TEST_F(KaraokePreviewTest, GoingBackStartsTheSongAfresh) {
  preview.update(2'500);
  EXPECT_GT(label(KaraokeLabelId::A2).size().width(), 0);
  preview.update(0);
  EXPECT_FALSE(label(KaraokeLabelId::A1).visible());
  preview.update(2'500);
  const int again = label(KaraokeLabelId::A2).size().width();
  KaraokePreview fresh;
  fresh.load(project.suiListView_ksc, 0);
  fresh.update(2'500);
  EXPECT_EQ(again, fresh.label(KaraokeLabelId::A2).size().width());
}

}  // namespace
}  // namespace solvane
