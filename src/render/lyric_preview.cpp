#include "render/lyric_preview.h"

#include <algorithm>

#include "lyrics/colour_names.h"
#include "lyrics/text_fonts.h"
#include "lyrics/time_text.h"
#include "model/columns.h"
#include "model/table.h"

namespace solvane {

QString previewClockText(long long ms) {
  const long long s = std::max(0LL, ms) / 1000;
  const QString mmss = twoDigits(static_cast<int>(s / 60 % 60)) + QLatin1Char(':') +
                       twoDigits(static_cast<int>(s % 60));
  return s < 3600 ? mmss : QString::number(s / 3600) + QLatin1Char(':') + mmss;
}

QString lrcLookupText(long long ms) {
  const long long s = std::max(0LL, ms) / 1000;
  return twoDigits(static_cast<int>(s / 60)) + QLatin1Char(':') + twoDigits(static_cast<int>(s % 60));
}

void LyricPreview::choose(const Table& lyrics, int row) {
  if (row < 0 || row >= lyrics.count()) return;
  LrcLyrics read;
  read.ReadLrcFile(lyrics.cell(row, lyric_col::path));
  lyrics_ = std::move(read);
  style_ = LrcStyle::fromRow(lyrics, row);
  colour_ = colourFromValueText(lyrics.cell(row, lyric_col::color_value));
  chosen_ = true;
  reset();
}

void LyricPreview::reset() {
  label_.setText(QString());
  label_.setVisible(false);
  shownRow_ = -1;
}

bool LyricPreview::update(long long positionMs) {
  if (!chosen_) return false;
  const int row = lyrics_.findLrcRow(lrcLookupText(positionMs));
  if (row < 0 || row == shownRow_) return false;
  shownRow_ = row;
  const QSize area = kPreviewAreaSize;
  label_.setText(lyrics_.timedLines()[static_cast<size_t>(row)].text);
  label_.setFont(fontAtPoints(style_.fontName, lrcFontSizeOnArea(style_.fontSize, area.width()),
                              style_.bold, style_.italic, style_.underline));
  label_.setColor(colour_);
  label_.fitToText();
  label_.move(lrcPlacement(area.width(), area.height(), label_.size().width(),
                           label_.size().height(), style_.hAlign, style_.vAlign));
  label_.setVisible(true);
  return true;
}

}  // namespace solvane
