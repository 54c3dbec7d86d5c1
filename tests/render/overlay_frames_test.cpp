// The overlay driven frame by frame as the render driver drives it: lyric and karaoke
// clocks per song, the 24-frame karaoke offset, slots A and B, text effects started by the
// album clock, the lyric-type choice, and real pixels of a composited frame.
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include "lyrics/lyric_words.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/text_codec.h"
#include "model/frame_clock.h"
#include "render/frame_overlay.h"
#include "support/overlay_album.h"
#include "support/overlay_fixtures.h"

namespace solvane {
namespace {

using test::countColour;
using test::grey;
using test::kscLine;
using test::OverlayAlbum;

// --- Lyrics ---------------------------------------------------------------------------

TEST(LyricOverlay, SecondSongCountsItsLyricTimesFromThe51stStep) {
  OverlayAlbum album;
  album.addSong(50, QStringLiteral("[00:01.00]第一首\n"));
  album.addSong(250, QStringLiteral("[00:01.00]第二首\n[00:03.00]尾声\n"));
  album.start();
  LyricOverlay& lyrics = album.overlay().lyrics();
  EXPECT_EQ(lyrics.Edit_lrc_kaiguan, "kaishi");

  album.frames(24);
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  album.frame();  // lyric step 25: 00:01
  EXPECT_EQ(album.panel().Label_LRC.text(), "第一首");
  album.frames(24);
  EXPECT_EQ(lyrics.Edit_shijian_lrc, "49");
  album.frame();  // step 50: the song's length; the clock restarts on the next song
  EXPECT_EQ(lyrics.Edit_shijian_lrc, "0");
  EXPECT_EQ(lyrics.Edit_shijian_lrc_num, "1");
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  album.frames(24);  // steps 51 … 74: 00:00
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  album.frame();  // step 75: 25 frames into the second song
  EXPECT_EQ(lyrics.Edit_shijian_lrc_0, "00:01");
  EXPECT_EQ(album.panel().Label_LRC.text(), "第二首");
  album.frames(49);
  EXPECT_EQ(album.panel().Label_LRC.text(), "第二首") << "the line stays until the next one";
  album.frame();
  EXPECT_EQ(album.panel().Label_LRC.text(), "尾声");
}

TEST(LyricOverlay, TheLineIsStyledAndPlacedOnTheCanvas) {
  OverlayAlbum album;
  album.addSong(250, QStringLiteral("[00:01.00]月亮代表我的心\n"));
  album.start();
  album.frames(25);
  const OverlayLabel& label = album.panel().Label_LRC;
  EXPECT_TRUE(label.visible());
  EXPECT_TRUE(label.font().bold());
  // Centred at the bottom with a 10-pixel margin, sized to its text.
  EXPECT_EQ(label.pos().x(), (kCanvasWidth - label.size().width()) / 2);
  EXPECT_EQ(label.pos().y(), kCanvasHeight - label.size().height() - 10);
  EXPECT_EQ(label.size(), label.textSize());
}

TEST(LyricOverlay, ASongWithoutLyricStopsTheLyricsForTheRestOfTheAlbum) {
  OverlayAlbum album;
  album.addSong(50, QStringLiteral("[00:01.00]只有一首\n"));
  album.addSong(100, QString());  // no lyric row for the second song
  album.start();
  album.frames(50);
  EXPECT_EQ(album.overlay().lyrics().Edit_lrc_kaiguan, "tingzhi1");
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  album.frames(60);
  EXPECT_EQ(album.overlay().lyrics().Edit_shijian_lrc, "0") << "the clock no longer runs";
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
}

TEST(LyricOverlay, KaraokeOnlyDrawsNoLrcLineWhileTheLyricClockRuns) {
  OverlayAlbum album;
  album.addSong(250, QStringLiteral("[00:01.00]不该出现\n"),
                kscLine("00:02.000", "00:04.000", "卡拉", "500,500"));
  album.project.Edit1_shiyong_lrc_or_ksc = word::shiyong_ksc;
  album.start();
  album.frames(30);
  EXPECT_EQ(album.overlay().lyrics().Edit_shijian_lrc, "30");
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  EXPECT_EQ(album.panel().Label_ksc_A1.text().trimmed(), "卡拉");
}

TEST(LyricOverlay, AnUnreadableLyricIsReportedAndTheAlbumGoesOn) {
  OverlayAlbum album;
  album.addSong(250, QStringLiteral("[00:01.00]x\n"));
  album.project.ListView_daoru_LRC.setCell(0, lyric_col::path, "/no/such/file.lrc");
  album.start();
  album.frames(30);
  EXPECT_EQ(album.panel().Label_LRC.text(), "");
  ASSERT_EQ(album.overlay().problems().size(), 1);
  EXPECT_TRUE(album.overlay().problems()[0].contains("file.lrc"));
}

TEST(LyricGate, FollowsTheTablesAndTheLyricTypeChoice) {
  const struct {
    bool music, lrc, ksc;
    QLatin1String choice;
    bool lyricOpen, karaokeOpen;
  } cases[] = {
      {true, true, false, word::shiyong_ksc, true, false},  // no karaoke rows: LRC regardless
      {true, true, true, word::shiyong_lrc, true, false},
      {true, true, true, word::shiyong_ksc, false, true},
      {true, true, true, word::shiyong_lrcksc, true, true},
      {false, true, true, word::shiyong_lrcksc, false, false},
      {true, false, true, word::shiyong_lrcksc, false, true},
  };
  for (const auto& c : cases) {
    Project p;
    if (c.music) p.ListView_daoru_yinyue.append({"1"});
    if (c.lrc) p.ListView_daoru_LRC.append({"1"});
    if (c.ksc) p.suiListView_ksc.append({"1"});
    p.Edit1_shiyong_lrc_or_ksc = c.choice;
    EXPECT_EQ(LyricGateOpen(p), c.lyricOpen) << c.choice.data();
    EXPECT_EQ(KaraokeGateOpen(p), c.karaokeOpen) << c.choice.data();
  }
}

TEST(BoundLyric, TheLastRowWithTheSongsKeyOrRowZero) {
  Project p;
  p.ListView_daoru_yinyue.append({"1", "a", ".mp3", "/a", "", "50", "k1", "x"});
  p.ListView_daoru_yinyue.append({"2", "b", ".mp3", "/b", "", "50", "wu", "wu"});
  p.ListView_daoru_yinyue.append({"3", "c", ".mp3", "/c", "", "50", "k9", "x"});
  for (const char* key : {"k2", "k1", "wu", "k1", "wu"})
    p.ListView_daoru_LRC.append({"", "", "", "", key});
  EXPECT_EQ(BoundLyricRow(p, 0), 3);
  EXPECT_EQ(BoundLyricRow(p, 1), 4) << "an unbound song finds the last unbound lyric";
  EXPECT_EQ(BoundLyricRow(p, 2), 0);
}

// --- Karaoke --------------------------------------------------------------------------

TEST(KaraokeOverlay, LinesTakeSlotsAThenBAndSlotBEnds20PixelsFromTheRight) {
  OverlayAlbum album;
  album.addSong(500, QString(),
                kscLine("00:02.000", "00:03.000", "第一行", "300,300,400") +
                    kscLine("00:03.000", "00:04.000", "第二行", "300,300,400") +
                    kscLine("00:04.000", "00:05.000", "第三行", "300,300,400"));
  album.start();
  OverlayPanel& panel = album.panel();
  album.frames(24);
  EXPECT_EQ(panel.Label_ksc_A1.text(), "");
  album.frame();  // 00:01: the first line appears in slot A
  EXPECT_EQ(panel.Label_ksc_A1.text(), QStringLiteral("第一行     "));
  EXPECT_TRUE(panel.Label_ksc_A1.visible());
  EXPECT_EQ(panel.Label_ksc_A1.pos(), QPoint(75 * 1920 / 800, 338 * 1080 / 450));
  EXPECT_EQ(panel.Label_ksc_A2.size().width(), 0);
  album.frames(25);  // 00:02: the second line appears in slot B, the first starts its wipe
  EXPECT_EQ(panel.Label_ksc_B1.text(), QStringLiteral("第二行     "));
  EXPECT_EQ(panel.Label_ksc_B1.pos().x() + panel.Label_ksc_B1.size().width(), 1920 - 20);
  EXPECT_EQ(panel.Label_ksc_B1.pos().y(), 388 * 1080 / 450);
  EXPECT_TRUE(panel.Label_ksc_A2.visible());
  EXPECT_GT(panel.Label_ksc_A2.size().width(), 0);
  album.frames(25);  // 00:03: the third line takes slot A again
  EXPECT_EQ(panel.Label_ksc_A1.text(), QStringLiteral("第三行     "));
  album.frames(25 * 3);  // 00:06: hide time of the last line
  EXPECT_EQ(panel.Label_ksc_A1.text(), "");
  EXPECT_EQ(panel.Label_ksc_B1.text(), "");
}

TEST(KaraokeOverlay, TheNextSongsKaraokeClockStarts24FramesLater) {
  OverlayAlbum album;
  album.addSong(50, QStringLiteral("[00:01.00]甲\n"),
                kscLine("00:01.000", "00:01.500", "甲", "500"));
  album.addSong(500, QStringLiteral("[00:01.00]乙\n"),
                kscLine("00:02.000", "00:03.000", "乙", "1000"));
  album.start();
  KaraokeOverlay& karaoke = album.overlay().karaoke();
  album.frames(50);
  EXPECT_EQ(karaoke.Edit_ksc_xuhao_leijia, "2");
  EXPECT_EQ(karaoke.Edit_ksc_zhen_leijia, "-24");
  album.frames(25);  // frame 75: the lyric of the second song is at 00:01 ...
  EXPECT_EQ(album.panel().Label_LRC.text(), "乙");
  EXPECT_EQ(karaoke.Edit_ksc_shijian, "00:00");
  EXPECT_EQ(album.panel().Label_ksc_A1.text(), "");
  album.frames(23);
  EXPECT_EQ(album.panel().Label_ksc_A1.text(), "");
  album.frame();  // ... and its karaoke line (appear 00:01) 24 frames later, at frame 99
  EXPECT_EQ(karaoke.Edit_ksc_zhen_leijia, "25");
  EXPECT_EQ(album.panel().Label_ksc_A1.text(), QStringLiteral("乙     "));
}

TEST(KaraokeOverlay, TheFillGrowsFrameByFrameToTheWholeLine) {
  OverlayAlbum album;
  album.addSong(500, QString(), kscLine("00:02.000", "00:04.000", "我的心", "400,400,400"));
  album.start();
  album.frames(49);
  const OverlayLabel& fill = album.panel().Label_ksc_A2;
  const OverlayLabel& base = album.panel().Label_ksc_A1;
  int previous = 0;
  for (int f = 0; f < 40; ++f) {
    album.frame();
    EXPECT_GE(fill.size().width(), previous);
    previous = fill.size().width();
  }
  EXPECT_GT(previous, base.size().width() / 2);
  album.frames(20);
  // Once the last unit's time is up every glyph is covered; the trailing blanks may not be.
  const KaraokeStage& stage = album.overlay().karaoke().stage();
  EXPECT_FALSE(stage.wiping());
  EXPECT_GE(fill.size().width(),
            QFontMetrics(stage.measureFont()).horizontalAdvance(QStringLiteral("我的心")));
  EXPECT_LE(fill.size().width(), base.size().width());
}

// --- Text effects -------------------------------------------------------------------

TEST(TextEffectOverlay, AppearsWhenTheAlbumClockFirstReadsItsStartAndMovesEachFrame) {
  const struct {
    QLatin1String motion;
    int dx, dy;
  } cases[] = {{motion::congzuoxiangyou, 3, 0}, {motion::zuoshangxiangyouxia, 3, 2}};
  for (const auto& c : cases) {
    OverlayAlbum album;
    album.addText("00:03", c.motion, "cuti");
    album.start();
    const OverlayLabel& label = album.panel().textEffectLabel(0);
    EXPECT_TRUE(label.font().bold()) << "the style chosen in the window shows in the album";
    const QSize size = label.size();
    album.frames(74);
    EXPECT_FALSE(label.visible());
    EXPECT_EQ(album.project.ListView_Label.cell(0, label_col::state), "tingzhi");
    album.frame();  // frame 75: the clock first reads 00:03
    EXPECT_TRUE(label.visible());
    EXPECT_EQ(album.project.ListView_Label.cell(0, label_col::state), "qidong");
    const QPoint start(-size.width(), c.dy == 0 ? 300 : -size.height());
    EXPECT_EQ(label.pos(), start + QPoint(c.dx, c.dy)) << c.motion.data();
    album.frames(10);
    EXPECT_EQ(label.pos(), start + 11 * QPoint(c.dx, c.dy)) << c.motion.data();
  }
}

TEST(TextEffectOverlay, HiddenAroundAMovieChangeAndShownAgainWhileMoving) {
  OverlayAlbum album;
  album.addText("00:00", motion::congzuoxiangyou);
  album.addText("00:09", motion::congzuoxiangyou);
  album.start();
  album.frames(30);
  album.overlay().HideOverlays();
  EXPECT_FALSE(album.panel().textEffectLabel(0).visible());
  QImage bare = grey(kCanvasWidth, kCanvasHeight, 90);
  album.overlay().composite(bare);
  EXPECT_EQ(bare, grey(kCanvasWidth, kCanvasHeight, 90));
  album.overlay().ShowOverlays();
  EXPECT_TRUE(album.panel().textEffectLabel(0).visible());
  EXPECT_FALSE(album.panel().textEffectLabel(1).visible());
}

// --- Pixels of a composited frame ---------------------------------------------------

TEST(OverlayPixels, LyricColourInTheLyricBoxAndFillColourOnlyLeftOfTheWipe) {
  OverlayAlbum album;
  album.addSong(500, QStringLiteral("[00:01.00]月亮代表我的心\n"),
                kscLine("00:02.000", "00:04.000", "我的心", "600,600,600"));
  album.start();
  album.frames(60);  // lyric shown, karaoke wipe 10 frames in
  QImage frame = grey(kCanvasWidth, kCanvasHeight, 128);
  album.overlay().composite(frame);

  const OverlayLabel& lyric = album.panel().Label_LRC;
  EXPECT_GT(countColour(frame, QRect(lyric.pos(), lyric.size()), qRgb(255, 255, 0), 10), 300);

  const OverlayLabel& base = album.panel().Label_ksc_A1;
  const OverlayLabel& fill = album.panel().Label_ksc_A2;
  const int wipe = fill.size().width();
  ASSERT_GT(wipe, 10);
  ASSERT_LT(wipe, base.size().width() / 2);
  const QRect left(base.pos(), QSize(wipe, base.size().height()));
  const QRect right(base.pos() + QPoint(wipe, 0),
                    QSize(base.size().width() - wipe, base.size().height()));
  EXPECT_GT(countColour(frame, left, qRgb(0, 0, 255), 10), 50);
  EXPECT_EQ(countColour(frame, right, qRgb(0, 0, 255), 60), 0);
  EXPECT_GT(countColour(frame, right, qRgb(255, 255, 255), 10), 300);
}

}  // namespace
}  // namespace solvane
