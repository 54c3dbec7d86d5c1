#include "render/text_effect_overlay.h"

#include "lyrics/colour_names.h"
#include "lyrics/text_fonts.h"
#include "model/columns.h"
#include "model/sentinels.h"
#include "model/table.h"
#include "render/overlay_panel.h"

namespace solvane {

int TextEffectPointsOnCanvas(int fontSize) { return fontSize * kCanvasWidth / 513; }

void StyleTextEffectLabel(OverlayLabel& label, const Table& effects, int row) {
  label.setFont(fontAtPoints(
      effects.cell(row, label_col::font_name),
      TextEffectPointsOnCanvas(effects.cell(row, label_col::font_size).toInt()),
      effects.cell(row, label_col::bold) == word::cuti,
      effects.cell(row, label_col::italic) == word::xieti,
      effects.cell(row, label_col::underline) == word::xiahuaxian));
  label.setColor(colourFromValueText(effects.cell(row, label_col::color_value)));
  label.setText(effects.cell(row, label_col::text));
  label.fitToText();
}

TextEffectOverlay::TextEffectOverlay(Table& effects, OverlayPanel& panel)
    : effects_(effects), panel_(panel) {}

void TextEffectOverlay::createLabels() {
  release();
  for (int i = 0; i < effects_.count(); ++i) {
    effects_.setCell(i, label_col::state, word::tingzhi);
    OverlayLabel& label = panel_.addTextEffectLabel();
    StyleTextEffectLabel(label, effects_, i);
    label.move(QPoint(0, 0));
    label.setVisible(false);
    panel_.bringToTop(label);
    moving_.push_back({0, 0, label.size().width(), label.size().height(), false});
  }
}

void TextEffectOverlay::step(const QString& albumClock, int stepPixels) {
  const MotionField field{kCanvasWidth, kCanvasHeight, stepPixels};
  const int n = std::min(effects_.count(), static_cast<int>(moving_.size()));
  for (int i = 0; i < n; ++i) {
    OverlayLabel& label = panel_.textEffectLabel(i);
    MovingLabel& m = moving_[static_cast<size_t>(i)];
    m.visible = label.visible();
    StepTextMotion(effects_, i, albumClock, field, m);
    label.move(QPoint(m.left, m.top));
    label.setVisible(m.visible);
  }
}

void TextEffectOverlay::release() {
  panel_.releaseTextEffectLabels();
  moving_.clear();
}

}  // namespace solvane
