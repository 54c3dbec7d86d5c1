#pragma once
// The lyric line of the music and lyric previews: the LRC line of the music's current
// second on the 679 × 390 preview area, styled and placed as the album places it on its
// 1920 × 1080 frame and drawn by the same label.
#include <QColor>
#include <QSize>
#include <QString>

#include "lyrics/lrc_reader.h"
#include "lyrics/lyric_styles.h"
#include "render/overlay_label.h"

class QPainter;

namespace solvane {

class Table;

inline constexpr QSize kPreviewAreaSize{679, 390};

// The clock of the previews: mm:ss of the whole seconds, with the hours in front from the
// first hour on ("1:01:05"), so the second hour never reads like the first.
QString previewClockText(long long ms);
// The mm:ss an LRC tag of this time carries: its minutes go on counting past 60 ("61:05").
QString lrcLookupText(long long ms);

class LyricPreview {
 public:
  // Reads the file of lyric row `row` and takes that row's style now, so a row deleted
  // while the window is open changes nothing here. Throws Error when the file cannot be
  // read; the previous choice stays then.
  void choose(const Table& lyrics, int row);
  bool chosen() const { return chosen_; }
  // Empties the line (stop).
  void reset();
  // The line of the second at `positionMs`; a second without a line keeps the one shown.
  // True when the line changed.
  bool update(long long positionMs);

  const OverlayLabel& label() const { return label_; }
  const LrcStyle& style() const { return style_; }
  void paint(QPainter& painter) const { label_.paint(painter); }

 private:
  LrcLyrics lyrics_;
  LrcStyle style_;
  QColor colour_ = Qt::white;
  OverlayLabel label_;
  bool chosen_ = false;
  int shownRow_ = -1;
};

}  // namespace solvane
