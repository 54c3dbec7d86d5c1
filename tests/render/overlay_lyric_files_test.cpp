// Lyric files as lyric services and players hand them out, drawn on the album frames:
// word-timed LRC lines without their tags, translations under their line, timed clears,
// [offset:N], lines of the first second, KSC statements sharing a line, and a word-timed
// LRC as karaoke whose fill reaches each word on the frame of its time.
#include <cmath>
#include <functional>
#include <vector>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include "lyrics/ksc_reader.h"
#include "lyrics/lyric_words.h"
#include "model/columns.h"
#include "model/text_codec.h"
#include "render/frame_overlay.h"
#include "support/lyrics_fixtures.h"
#include "support/overlay_album.h"
#include "support/overlay_fixtures.h"

namespace solvane {
namespace {

using test::OverlayAlbum;

struct Encoding {
  const char* name;
  std::function<QByteArray(const QString&)> bytes;
};

const Encoding kEncodings[] = {{"GBK", test::gbkBytes},
                               {"UTF-16", test::utf16LeBomBytes},
                               {"UTF-8 BOM", test::utf8BomBytes}};

// Every text label of the lyrics and the karaoke, as they would be drawn.
std::vector<const OverlayLabel*> lyricLabels(OverlayPanel& panel) {
  std::vector<const OverlayLabel*> labels = {&panel.Label_LRC, &panel.Label_ksc_A1,
                                             &panel.Label_ksc_A2, &panel.Label_ksc_B1,
                                             &panel.Label_ksc_B2};
  for (const OverlayLabel& l : panel.Label_LRC_translations) labels.push_back(&l);
  return labels;
}

// The first frame from now on (within `limit`) at which the lyric line reads `text`.
long long firstFrameShowing(OverlayAlbum& album, const QString& text, int limit) {
  for (int i = 0; i < limit; ++i) {
    album.frame();
    if (album.panel().Label_LRC.text() == text) return album.frameCount();
  }
  return -1;
}

const char* const kWordTimed =
    "[ti:夜曲]\r\n"
    "[00:01.000]<00:01.000>又<00:01.400>是<00:01.800>九<00:02.200>月\r\n"
    "[00:03.50]<0:03.50>So<0:03.8> many<0:04.25> times<0:05.000>\r\n"
    "[00:05.20]<00:05.200>晚<00:05.6>风\r\n";

TEST(LyricFilesOnTheFrame, WordTagsAreNeverDrawnInAnyEncoding) {
  static const QRegularExpression timing(QStringLiteral("<\\d{1,2}:\\d\\d"));
  for (const Encoding& e : kEncodings) {
    OverlayAlbum album;
    const QByteArray file = e.bytes(QString::fromUtf8(kWordTimed));
    album.addSongFiles(500, file, file, QStringLiteral(".lrc"));  // lyric and karaoke
    album.project.Edit1_shiyong_lrc_or_ksc = word::shiyong_lrcksc;
    album.start();
    QStringList shown;
    for (int f = 0; f < 200; ++f) {
      album.frame();
      for (const OverlayLabel* label : lyricLabels(album.panel())) {
        EXPECT_FALSE(label->text().contains(timing)) << e.name << " frame " << f << ": "
                                                     << label->text().toStdString();
        if (label == &album.panel().Label_LRC && !shown.contains(label->text()))
          shown << label->text();
      }
    }
    EXPECT_EQ(shown, (QStringList{"", QString::fromUtf8("又是九月"), "So many times",
                                  QString::fromUtf8("晚风")}))
        << e.name;
    EXPECT_TRUE(album.overlay().problems().isEmpty()) << e.name;
  }
}

TEST(LyricFilesOnTheFrame, ATranslationStandsUnderItsLineSmallerAndWithinTheFrame) {
  const struct {
    const char* vAlign;
    const char* hAlign;
    bool lineMovesUp;  // to keep the translation inside the frame
  } cases[] = {{"xiamian", "juzhong", true},
               {"zhongjian", "zuobian", false},
               {"shangmian", "youbian", false}};
  const QString file = QString::fromUtf8(
      "[00:01.84]ここで一生泣いているんだろ\r\n"
      "[00:01.84]因为没有才能 所以一生都在哭泣\r\n"
      "[00:04.00]次の行\r\n");
  for (const auto& c : cases) {
    for (const Encoding& e : {kEncodings[1], kEncodings[2]}) {
      OverlayAlbum album;
      album.addSongFiles(500, e.bytes(file), std::nullopt);
      album.project.ListView_daoru_LRC.setCell(0, lyric_col::v_align, c.vAlign);
      album.project.ListView_daoru_LRC.setCell(0, lyric_col::h_align, c.hAlign);
      album.start();
      album.frames(30);
      const OverlayLabel& line = album.panel().Label_LRC;
      const OverlayLabel& under = album.panel().Label_LRC_translations[0];
      ASSERT_EQ(line.text(), QString::fromUtf8("ここで一生泣いているんだろ")) << c.vAlign;
      ASSERT_EQ(under.text(), QString::fromUtf8("因为没有才能 所以一生都在哭泣")) << c.vAlign;
      EXPECT_TRUE(under.visible());
      EXPECT_EQ(under.font().family(), line.font().family());
      EXPECT_EQ(under.font().bold(), line.font().bold());
      EXPECT_LT(under.font().pixelSize(), line.font().pixelSize());
      EXPECT_EQ(under.pos().y(), line.pos().y() + line.size().height()) << c.vAlign;
      EXPECT_GE(under.pos().x(), 0);
      EXPECT_LE(under.pos().x() + under.size().width(), kCanvasWidth);
      EXPECT_GE(line.pos().y(), 0);
      EXPECT_LE(under.pos().y() + under.size().height(), kCanvasHeight - 10) << c.vAlign;
      const int aloneY = c.vAlign == std::string("xiamian")
                             ? kCanvasHeight - line.size().height() - 10
                             : c.vAlign == std::string("zhongjian")
                                   ? (kCanvasHeight - line.size().height()) / 2
                                   : 10;
      EXPECT_EQ(line.pos().y() < aloneY, c.lineMovesUp) << c.vAlign;

      // Drawn in the lyric colour (clYellow) in its own box.
      QImage frame = test::grey(kCanvasWidth, kCanvasHeight, 60);
      album.overlay().composite(frame);
      EXPECT_GT(test::countColour(frame, QRect(under.pos(), under.size()), qRgb(255, 255, 0), 10),
                100)
          << c.vAlign;

      album.frames(75);  // 00:04: a line without translation takes the label alone
      EXPECT_EQ(line.text(), QString::fromUtf8("次の行"));
      EXPECT_EQ(under.text(), "");
      EXPECT_EQ(line.pos().y(), aloneY);
    }
  }
}

TEST(LyricFilesOnTheFrame, MoreSameTimeLinesThanLabelsShareTheLastOne) {
  OverlayAlbum album;
  album.addSong(250, QString::fromUtf8("[00:01.00]原文\n[00:01.00]yuán wén\n[00:01.00]text\n"
                                       "[00:01.00]texte\n"));
  album.start();
  album.frames(25);
  const auto& under = album.panel().Label_LRC_translations;
  EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("原文"));
  EXPECT_EQ(under[0].text(), QString::fromUtf8("yuán wén"));
  EXPECT_EQ(under[1].text(), "text  texte");
  EXPECT_EQ(under[1].pos().y(), under[0].pos().y() + under[0].size().height());
  EXPECT_LE(under[1].pos().y() + under[1].size().height(), kCanvasHeight - 10);
}

TEST(LyricFilesOnTheFrame, ATimedLineWithoutTextClearsTheLyric) {
  const char* const clears[] = {"[00:03.00]", "[00:03.00][00:09.00]", "[00:03.00]<00:03.00>",
                                "[00:03.00]   "};
  for (const char* clear : clears) {
    for (const Encoding& e : kEncodings) {
      OverlayAlbum album;
      const QString file = QString::fromUtf8("[00:01.00]最后一句\r\n%1\r\n[00:05.00]回来了\r\n")
                               .arg(QString::fromUtf8(clear));
      album.addSongFiles(500, e.bytes(file), std::nullopt);
      album.start();
      album.frames(74);
      EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("最后一句")) << clear;
      album.frame();  // frame 75: 00:03
      QImage frame = test::grey(kCanvasWidth, kCanvasHeight, 60);
      album.overlay().composite(frame);
      EXPECT_EQ(frame, test::grey(kCanvasWidth, kCanvasHeight, 60))
          << clear << " " << e.name << ": nothing is drawn after the clear";
      album.frames(49);
      EXPECT_EQ(album.panel().Label_LRC.text().trimmed(), "") << clear;
      album.frame();  // frame 125: 00:05
      EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("回来了")) << clear;
    }
  }
}

TEST(LyricFilesOnTheFrame, TheOffsetShiftsTheLineByWholeSecondsOfFrames) {
  const struct {
    const char* header;
    long long frame;  // first frame showing [00:05.30]上
  } cases[] = {{"", 125},
               {"[offset:1000]", 100},
               {"[OFFSET:+500]", 100},  // 4.80: second 4
               {"[offset:300]", 125},   // 5.00: still second 5
               {"[Offset:-2000]", 175},
               {"[offset:8000]", 1},  // before the start: shown from the first frame
               {"[offset:abc]", 125}};
  for (const auto& c : cases) {
    for (const Encoding& e : {kEncodings[0], kEncodings[1]}) {
      OverlayAlbum album;
      const QString file =
          QString::fromUtf8("[ti:偏移]\r\n%1\r\n[00:05.30]上\r\n").arg(QString::fromUtf8(c.header));
      album.addSongFiles(500, e.bytes(file), std::nullopt);
      album.start();
      EXPECT_EQ(firstFrameShowing(album, QString::fromUtf8("上"), 250), c.frame)
          << c.header << " " << e.name;
    }
  }
}

TEST(LyricFilesOnTheFrame, LinesOfTheFirstSecondAreShown) {
  OverlayAlbum album;
  album.addSong(100, QString::fromUtf8("[00:00.02]开\n[00:00.28]场\n[00:01.00]后\n"));
  album.addSong(100, QString::fromUtf8("[00:00.50]第二首\n"));
  album.start();
  album.frame();
  EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("开"));
  album.frames(24);
  EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("后"));
  album.frames(76);  // the first frame of the second song
  EXPECT_EQ(album.panel().Label_LRC.text(), QString::fromUtf8("第二首"));
}

// --- KSC statements ---------------------------------------------------------------------

TEST(KaraokeFilesOnTheFrame, AOneLineKscShowsTheSameAsOneStatementPerLine) {
  const QString statements[] = {
      QString::fromUtf8("karaoke.add('00:02.000', '00:03.000', '第一行', '300,300,400');"),
      QString::fromUtf8("karaoke.add('00:03.000', '00:04.000', '第二行', '300,300,400');"),
      QString::fromUtf8("karaoke.add('00:04.000', '00:05.000', '第三行', '300,300,400');")};
  const QString header = QStringLiteral("karaoke := CreateKaraokeObject; karaoke.rows := 2; ");
  const QString lines = statements[0] + "\r\n" + statements[1] + "\r\n" + statements[2] + "\r\n";
  const QString oneLine = header + statements[0] + " " + statements[1] + statements[2];
  const QString crOnly = statements[0] + "\r" + statements[1] + "\r" + statements[2] + "\r";
  for (const QString& variant : {oneLine, crOnly}) {
    for (const Encoding& e : {kEncodings[0], kEncodings[1]}) {
      OverlayAlbum reference;
      reference.addSongFiles(500, std::nullopt, test::gbkBytes(lines));
      OverlayAlbum album;
      album.addSongFiles(500, std::nullopt, e.bytes(variant));
      reference.start();
      album.start();
      QStringList seen;
      for (int f = 0; f < 175; ++f) {
        reference.frame();
        album.frame();
        const auto want = lyricLabels(reference.panel());
        const auto got = lyricLabels(album.panel());
        for (size_t i = 0; i < want.size(); ++i) {
          ASSERT_EQ(got[i]->text(), want[i]->text()) << e.name << " frame " << f;
          ASSERT_EQ(got[i]->size(), want[i]->size()) << e.name << " frame " << f;
        }
        const QString a = album.panel().Label_ksc_A1.text().trimmed();
        const QString b = album.panel().Label_ksc_B1.text().trimmed();
        for (const QString& t : {a, b})
          if (!t.isEmpty() && !seen.contains(t)) seen << t;
      }
      EXPECT_EQ(seen, (QStringList{QString::fromUtf8("第一行"), QString::fromUtf8("第二行"),
                                   QString::fromUtf8("第三行")}))
          << e.name;
    }
  }
}

// --- A word-timed LRC as karaoke ------------------------------------------------------

struct TimedWord {
  int ms;
  const char* unit;  // as the karaoke line measures it (blanks go with the word before)
};

TEST(KaraokeFilesOnTheFrame, AWordTimedLrcFillsWordByWordInStepWithItsTimes) {
  const QString file = QString::fromUtf8(
      "[ar:某人]\r\n"
      "[00:02.000]<00:02.000>晚<00:02.480>风<00:03.200>吹<00:03.520>过<00:04.400>\r\n"
      "[00:05.320]<00:05.320>So<00:05.800> many<00:06.450> times<00:07.900>\r\n"
      "[00:08.100]<00:08.100>又<00:08.500>是<00:09.000>\r\n");
  const std::vector<std::vector<TimedWord>> lines = {
      {{2000, "晚"}, {2480, "风"}, {3200, "吹"}, {3520, "过"}},
      {{5320, "So "}, {5800, "many "}, {6450, "times"}},
      {{8100, "又"}, {8500, "是"}}};
  for (const Encoding& e : kEncodings) {
    OverlayAlbum album;
    album.addSongFiles(500, std::nullopt, e.bytes(file), QStringLiteral(".lrc"));
    album.start();
    const int points = kscMeasureSize(25, KscVariant::Render);
    // Fill width of the line's slot at every frame of the karaoke clock.
    std::vector<int> widths[2];
    for (int f = 1; f <= 260; ++f) {
      album.frame();
      widths[0].push_back(album.panel().Label_ksc_A2.size().width());
      widths[1].push_back(album.panel().Label_ksc_B2.size().width());
    }
    for (size_t l = 0; l < lines.size(); ++l) {
      const std::vector<int>& fill = widths[l % 2];
      int left = 0;  // where the word starts on the line
      for (const TimedWord& w : lines[l]) {
        const int frame = static_cast<int>(std::lround(w.ms / 40.0));  // frame of the word
        // One frame before its time the fill stands exactly at the word's left edge; on
        // the frame after it, it has entered the word.
        EXPECT_EQ(fill[frame - 2], left) << e.name << " " << w.unit << " at " << w.ms;
        EXPECT_GT(fill[frame], left) << e.name << " " << w.unit << " at " << w.ms;
        left += kscUnitWidth(QString::fromUtf8(w.unit), points);
      }
    }
    // Before its first word the line waits: no fill between 00:05 and 00:05.320.
    EXPECT_EQ(widths[1][125 - 1], 0);
    EXPECT_EQ(widths[1][132 - 1], 0);
    EXPECT_EQ(album.panel().Label_ksc_B1.text().trimmed(), "");  // hidden after the last line
    EXPECT_EQ(album.panel().Label_ksc_A1.text(), "");
  }
}

}  // namespace
}  // namespace solvane
