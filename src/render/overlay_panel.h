#pragma once
// The overlay panel laid over every album frame (1920 × 1080): the lyric line, the four
// karaoke labels and one label per text effect, drawn over the photograph in their stacking
// order. An element brought to the top is drawn last.
#include <array>
#include <memory>
#include <vector>

#include <QImage>

#include "render/overlay_label.h"

namespace solvane {

class Table;

inline constexpr int kCanvasWidth = 1920;
inline constexpr int kCanvasHeight = 1080;

class OverlayPanel {
 public:
  OverlayPanel();
  OverlayPanel(const OverlayPanel&) = delete;
  OverlayPanel& operator=(const OverlayPanel&) = delete;

  OverlayLabel Label_LRC;
  // Lines timed like the lyric line (translations), under it at a smaller size. More
  // lines than labels share the last one.
  static constexpr int kTranslationLabels = 2;
  std::array<OverlayLabel, kTranslationLabels> Label_LRC_translations;
  OverlayLabel Label_ksc_A1;  // slot A, lyric colour
  OverlayLabel Label_ksc_A2;  // slot A, fill colour, cut to the sung width
  OverlayLabel Label_ksc_B1;
  OverlayLabel Label_ksc_B2;

  // Text-effect labels "Label_" + i, one per row of the text-effect table.
  OverlayLabel& addTextEffectLabel();
  OverlayLabel& textEffectLabel(int i) { return *textLabels_.at(static_cast<size_t>(i)); }
  int textEffectLabelCount() const { return static_cast<int>(textLabels_.size()); }
  void releaseTextEffectLabels();

  void bringToTop(const OverlayLabel& label);

  // Hides every element (around a change of movie, so the next movie's opening picture is
  // the bare photograph).
  void hideAll();
  // Shows the lyric and karaoke labels again, and the text-effect labels of rows that are
  // moving ("qidong") in `textEffects`.
  void showAll(const Table& textEffects);

  // Whether any element would put a pixel on the frame.
  bool anythingToDraw() const;
  // Draws the visible elements over `frame` in stacking order.
  void composite(QImage& frame) const;

 private:
  std::vector<std::unique_ptr<OverlayLabel>> textLabels_;
  std::vector<const OverlayLabel*> stacking_;  // bottom first
};

}  // namespace solvane
