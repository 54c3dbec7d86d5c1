#include "lyrics/lyric_styles.h"

#include "lyrics/colour_names.h"
#include "lyrics/display_lists.h"
#include "lyrics/lyric_words.h"
#include "lyrics/media_import.h"
#include "lyrics/text_fonts.h"
#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

QString colourValueText(const QString& name) {
  return QString::number(colourValue(name).value_or(0xFFFFFF));
}

QString flagWord(bool on, QLatin1String word) { return on ? QString(word) : QString(word::wu); }
QString tf(bool on) { return on ? QString(word::T) : QString(word::F); }

int sizeCell(const QString& text, int fallback) {
  bool ok = false;
  const int size = text.toInt(&ok);
  return ok ? size : fallback;
}

}  // namespace

QStringList LrcStyle::cells() const {
  return {colorName,
          colourValueText(colorName),
          QString::number(fontSize),
          fontName,
          flagWord(bold, word::cuti),
          flagWord(italic, word::xieti),
          flagWord(underline, word::xiahuaxian),
          hAlign,
          vAlign};
}

LrcStyle LrcStyle::fromRow(const Table& lyrics, int row) {
  LrcStyle style;
  style.colorName = lyrics.cell(row, lyric_col::color_name);
  style.fontSize = sizeCell(lyrics.cell(row, lyric_col::font_size), 10);
  style.fontName = lyrics.cell(row, lyric_col::font_name);
  style.bold = lyrics.cell(row, lyric_col::bold) == word::cuti;
  style.italic = lyrics.cell(row, lyric_col::italic) == word::xieti;
  style.underline = lyrics.cell(row, lyric_col::underline) == word::xiahuaxian;
  style.hAlign = lyrics.cell(row, lyric_col::h_align);
  style.vAlign = lyrics.cell(row, lyric_col::v_align);
  return style;
}

LrcStyle defaultLrcStyle() { return LrcStyle{}; }
void resetLrcColour(LrcStyle& style) { style.colorName = LrcStyle{}.colorName; }
void resetLrcFont(LrcStyle& style) { style.fontName = LrcStyle{}.fontName; }
void resetLrcFontSize(LrcStyle& style) { style.fontSize = LrcStyle{}.fontSize; }
void resetLrcFontStyle(LrcStyle& style) {
  style.bold = true;
  style.italic = false;
  style.underline = false;
}
void resetLrcHAlign(LrcStyle& style) { style.hAlign = word::juzhong; }
void resetLrcVAlign(LrcStyle& style) { style.vAlign = word::xiamian; }

void writeLrcStyle(Project& project, int row, const LrcStyle& style) {
  const QStringList cells = style.cells();
  for (int k = 0; k < cells.size(); ++k)
    project.ListView_daoru_LRC.setCell(row, lyric_col::color_name + k, cells[k]);
  refreshLyricListRow(project, row, marker::unbound_music);
}

QStringList styleFontSizes() {
  QStringList sizes;
  for (int size = 10; size <= 40; ++size) sizes << QString::number(size);
  return sizes;
}

QPoint lrcPlacement(int areaWidth, int areaHeight, int textWidth, int textHeight,
                    const QString& hAlign, const QString& vAlign) {
  int x = 0;
  if (hAlign == word::zuobian)
    x = 10;
  else if (hAlign == word::juzhong)
    x = (areaWidth - textWidth) / 2;
  else if (hAlign == word::youbian)
    x = areaWidth - textWidth - 10;
  int y = 0;
  if (vAlign == word::shangmian)
    y = 10;
  else if (vAlign == word::zhongjian)
    y = (areaHeight - textHeight) / 2;
  else if (vAlign == word::xiamian)
    y = areaHeight - textHeight - 10;
  return {x, y};
}

int lrcFontSizeOnArea(int fontSize, int areaWidth) { return fontSize * areaWidth / 513; }

QFont lrcFont(const Table& lyrics, int row, int areaWidth) {
  return lrcFont(LrcStyle::fromRow(lyrics, row), areaWidth);
}

QFont lrcFont(const LrcStyle& style, int areaWidth) {
  return fontAtPoints(style.fontName, lrcFontSizeOnArea(style.fontSize, areaWidth), style.bold,
                      style.italic, style.underline);
}

LrcLineLayout lrcLineLayout(const LrcStyle& style, const QString& text, QSize area) {
  LrcLineLayout line;
  line.font = lrcFont(style, area.width());
  const QSize box = outlinedTextBox(line.font, text);
  line.box = QRect(lrcPlacement(area.width(), area.height(), box.width(), box.height(),
                                style.hAlign, style.vAlign),
                   box);
  return line;
}

KaraokeStyle KaraokeStyle::fromRow(const Table& ksc, int row) {
  KaraokeStyle style;
  style.colorName = ksc.cell(row, ksc_col::color_name);
  style.fillColorName = ksc.cell(row, ksc_col::fill_color_name);
  style.fontName = ksc.cell(row, ksc_col::font_name);
  style.fontSize = sizeCell(ksc.cell(row, ksc_col::font_size), 25);
  style.bold = ksc.cell(row, ksc_col::bold) == word::T;
  style.italic = ksc.cell(row, ksc_col::italic) == word::T;
  style.underline = ksc.cell(row, ksc_col::underline) == word::T;
  style.script = ksc.cell(row, ksc_col::script);
  return style;
}

QFont karaokeLabelFont(const Table& ksc, int row, KscVariant variant) {
  const KaraokeStyle style = KaraokeStyle::fromRow(ksc, row);
  return fontAtPoints(style.fontName, kscMeasureSize(style.fontSize, variant), style.bold,
                      style.italic, style.underline);
}

KaraokeStyle defaultKaraokeStyle() { return KaraokeStyle{}; }
void resetKaraokeColour(KaraokeStyle& style) { style.colorName = KaraokeStyle{}.colorName; }
void resetKaraokeFillColour(KaraokeStyle& style) {
  style.fillColorName = KaraokeStyle{}.fillColorName;
}
void resetKaraokeFont(KaraokeStyle& style) { style.fontName = KaraokeStyle{}.fontName; }
void resetKaraokeFontSize(KaraokeStyle& style) { style.fontSize = KaraokeStyle{}.fontSize; }
void resetKaraokeFontStyle(KaraokeStyle& style) {
  style.bold = false;
  style.italic = false;
  style.underline = false;
}
void resetKaraokeScript(KaraokeStyle& style) { style.script = word::jianti; }

int appendKaraokeRow(Table& ksc, const QString& path) {
  const int row = ksc.append({QString::number(ksc.count() + 1), importedFileName(path)});
  ksc.setCell(row, ksc_col::position, path);
  writeKaraokeStyle(ksc, row, defaultKaraokeStyle());
  return row;
}

void writeKaraokeStyle(Table& ksc, int row, const KaraokeStyle& style) {
  ksc.setCell(row, ksc_col::color_name, style.colorName);
  ksc.setCell(row, ksc_col::color_value, colourValueText(style.colorName));
  ksc.setCell(row, ksc_col::fill_color_name, style.fillColorName);
  ksc.setCell(row, ksc_col::fill_color_value, colourValueText(style.fillColorName));
  ksc.setCell(row, ksc_col::font_name, style.fontName);
  ksc.setCell(row, ksc_col::font_size, QString::number(style.fontSize));
  ksc.setCell(row, ksc_col::bold, tf(style.bold));
  ksc.setCell(row, ksc_col::italic, tf(style.italic));
  ksc.setCell(row, ksc_col::underline, tf(style.underline));
  ksc.setCell(row, ksc_col::script, style.script);
}

QStringList karaokeDisplayRow(const Table& ksc, int row) {
  const auto flag = [&](int column) {
    return ksc.cell(row, column) == word::T ? QStringLiteral("使用") : QStringLiteral("无");
  };
  return {ksc.cell(row, ksc_col::seq),
          ksc.cell(row, ksc_col::lyric_name),
          ksc.cell(row, ksc_col::color_name),
          ksc.cell(row, ksc_col::fill_color_name),
          ksc.cell(row, ksc_col::font_name),
          ksc.cell(row, ksc_col::font_size),
          flag(ksc_col::bold),
          flag(ksc_col::italic),
          flag(ksc_col::underline),
          ksc.cell(row, ksc_col::position),
          ksc.cell(row, ksc_col::script) == word::fanti ? QStringLiteral("繁体")
                                                        : QStringLiteral("简体")};
}

}  // namespace solvane
