#include "render/karaoke_preview.h"

#include <algorithm>

#include <QPainter>

#include "lyrics/colour_names.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/time_text.h"
#include "model/columns.h"
#include "model/table.h"

namespace solvane {

QString karaokeWindowClockText(long long ms) {
  const long long s = std::max(0LL, ms) / 1000;
  return twoDigits(static_cast<int>(s / 3600)) + QLatin1Char(':') +
         twoDigits(static_cast<int>(s / 60 % 60)) + QLatin1Char(':') +
         twoDigits(static_cast<int>(s % 60));
}

void KaraokePreview::load(const Table& ksc, int row) {
  KscReadOptions options;
  options.ticksPerSecond = kKaraokeTicksPerSecond;
  try {
    timing_.ReadKscFile(ksc, row, KscVariant::Preview, options);
  } catch (...) {
    clear();
    throw;
  }
  stage_.setPreviewScript(ksc.cell(row, ksc_col::script));
  const QFont font = karaokeLabelFont(ksc, row, KscVariant::Preview);
  const QColor base = colourFromValueText(ksc.cell(row, ksc_col::color_value));
  const QColor fill = colourFromValueText(ksc.cell(row, ksc_col::fill_color_value));
  for (size_t i = 0; i < labels_.size(); ++i) {
    labels_[i].setFont(font);
    labels_[i].setColor(i % 2 == 1 ? fill : base);
  }
  reset();
}

void KaraokePreview::clear() {
  timing_.clear();
  reset();
}

void KaraokePreview::reset() {
  stage_.reset();
  done_ = 0;
  started_ = false;
  syncLabels();
}

void KaraokePreview::update(long long positionMs) {
  if (!loaded()) return;
  if (positionMs < done_) reset();
  if (!started_) {
    stage_.onClock(karaokeRealTimeText(0));
    started_ = true;
  }
  while (done_ < positionMs) {
    const long long nextSecond = (done_ / 1000 + 1) * 1000;
    const long long target = std::min(positionMs, nextSecond);
    for (; done_ < target; ++done_) stage_.step();
    if (done_ == nextSecond) stage_.onClock(karaokeRealTimeText(static_cast<int>(done_ / 1000)));
  }
  syncLabels();
}

void KaraokePreview::syncLabels() {
  for (size_t i = 0; i < labels_.size(); ++i) {
    const KaraokeLabel& k = stage_.label(static_cast<KaraokeLabelId>(i));
    OverlayLabel& l = labels_[i];
    l.setText(k.text);
    l.move(k.box.topLeft());
    l.resize(k.box.size());
    l.setVisible(k.visible);
  }
}

void KaraokePreview::paint(QPainter& painter) const {
  for (KaraokeLabelId id : stage_.stackingOrder()) label(id).paint(painter);
}

}  // namespace solvane
