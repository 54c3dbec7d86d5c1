#pragma once
// Styles of LRC lyric rows and karaoke rows: what the style windows edit, the defaults
// their "默认" buttons restore, the write-back into the tables and the LRC placement rule.
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "lyrics/ksc_reader.h"
#include "model/project.h"

namespace solvane {

// Style of a ListView_daoru_LRC row. The colour number is derived from the name.
struct LrcStyle {
  QString colorName = QStringLiteral("clWhite");
  int fontSize = 10;  // points, "10" … "40"
  QString fontName = QStringLiteral("黑体");
  bool bold = true;
  bool italic = false;
  bool underline = false;
  QString hAlign = QStringLiteral("juzhong");
  QString vAlign = QStringLiteral("xiamian");

  // The stored cells color_name … v_align, in column order.
  QStringList cells() const;
  static LrcStyle fromRow(const Table& lyrics, int row);
};

LrcStyle defaultLrcStyle();
// The "默认" buttons of the lyric style window, one group each.
void resetLrcColour(LrcStyle& style);
void resetLrcFont(LrcStyle& style);
void resetLrcFontSize(LrcStyle& style);
void resetLrcFontStyle(LrcStyle& style);
void resetLrcHAlign(LrcStyle& style);
void resetLrcVAlign(LrcStyle& style);

// "确定" of the lyric style window: the cells of lyric row `row` and its pane list row.
void writeLrcStyle(Project& project, int row, const LrcStyle& style);

// The font sizes both style windows offer: "10" … "40".
QStringList styleFontSizes();

// Where an LRC line of w × h stands on an area of W × H (divisions truncate toward zero,
// so a box wider than the area gets a negative x when centred).
QPoint lrcPlacement(int areaWidth, int areaHeight, int textWidth, int textHeight,
                    const QString& hAlign, const QString& vAlign);
// A size chosen on the 513-pixel sample keeps its proportion on an area of this width.
int lrcFontSizeOnArea(int fontSize, int areaWidth);
// The font of an LRC line drawn on an area of this width.
QFont lrcFont(const Table& lyrics, int row, int areaWidth);
QFont lrcFont(const LrcStyle& style, int areaWidth);

// An LRC line laid out on an area: its font at the area's scale and its outlined box where
// the placement rule puts it. The style window's 513 × 289 sample and the 1920 × 1080
// album frame both draw through this, so the sample shows the frame scaled down.
struct LrcLineLayout {
  QFont font;
  QRect box;
};
LrcLineLayout lrcLineLayout(const LrcStyle& style, const QString& text, QSize area);

// Style of a suiListView_ksc row.
struct KaraokeStyle {
  QString colorName = QStringLiteral("clWhite");
  QString fillColorName = QStringLiteral("clBlue");
  QString fontName = QStringLiteral("黑体");
  int fontSize = 25;
  bool bold = true;
  bool italic = false;
  bool underline = false;
  QString script = QStringLiteral("jianti");

  static KaraokeStyle fromRow(const Table& ksc, int row);
};

KaraokeStyle defaultKaraokeStyle();
// The "默认" buttons of the karaoke style window. The font-style default turns all three
// flags off, unlike a newly added row, which starts bold.
void resetKaraokeColour(KaraokeStyle& style);
void resetKaraokeFillColour(KaraokeStyle& style);
void resetKaraokeFont(KaraokeStyle& style);
void resetKaraokeFontSize(KaraokeStyle& style);
void resetKaraokeFontStyle(KaraokeStyle& style);
void resetKaraokeScript(KaraokeStyle& style);

// The font of the four karaoke labels of row `row`: its font and flags, at its size on the
// preview panel or scaled to the frame.
QFont karaokeLabelFont(const Table& ksc, int row, KscVariant variant);

// Appends a karaoke row for the file with the default style; returns its index.
int appendKaraokeRow(Table& ksc, const QString& path);
// "确定" of the karaoke style window: writes the style cells of row `row`.
void writeKaraokeStyle(Table& ksc, int row, const KaraokeStyle& style);
// The karaoke window's display copy of row `row` ("使用"/"无", "简体"/"繁体").
QStringList karaokeDisplayRow(const Table& ksc, int row);

}  // namespace solvane
