#include "render/overlay_panel.h"

#include <algorithm>

#include <QPainter>

#include "model/columns.h"
#include "model/sentinels.h"
#include "model/table.h"

namespace solvane {

OverlayPanel::OverlayPanel()
    : stacking_{&Label_LRC, &Label_ksc_A1, &Label_ksc_A2, &Label_ksc_B1, &Label_ksc_B2} {
  for (const OverlayLabel& label : Label_LRC_translations) stacking_.push_back(&label);
}

OverlayLabel& OverlayPanel::addTextEffectLabel() {
  textLabels_.push_back(std::make_unique<OverlayLabel>());
  stacking_.push_back(textLabels_.back().get());
  return *textLabels_.back();
}

void OverlayPanel::releaseTextEffectLabels() {
  for (const auto& label : textLabels_) std::erase(stacking_, label.get());
  textLabels_.clear();
}

void OverlayPanel::bringToTop(const OverlayLabel& label) {
  std::erase(stacking_, &label);
  stacking_.push_back(&label);
}

void OverlayPanel::hideAll() {
  for (OverlayLabel* l : {&Label_LRC, &Label_ksc_A1, &Label_ksc_A2, &Label_ksc_B1, &Label_ksc_B2})
    l->setVisible(false);
  for (OverlayLabel& l : Label_LRC_translations) l.setVisible(false);
  for (const auto& label : textLabels_) label->setVisible(false);
}

void OverlayPanel::showAll(const Table& textEffects) {
  for (OverlayLabel* l : {&Label_LRC, &Label_ksc_A1, &Label_ksc_A2, &Label_ksc_B1, &Label_ksc_B2})
    l->setVisible(true);
  for (OverlayLabel& l : Label_LRC_translations) l.setVisible(true);
  for (int i = 0; i < textEffectLabelCount() && i < textEffects.count(); ++i)
    textLabels_[static_cast<size_t>(i)]->setVisible(
        textEffects.cell(i, label_col::state) == word::qidong);
}

bool OverlayPanel::anythingToDraw() const {
  return std::any_of(stacking_.begin(), stacking_.end(),
                     [](const OverlayLabel* l) { return l->drawsAnything(); });
}

void OverlayPanel::composite(QImage& frame) const {
  QPainter painter(&frame);
  for (const OverlayLabel* label : stacking_) label->paint(painter);
}

}  // namespace solvane
