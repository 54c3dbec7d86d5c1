#pragma once
// The karaoke presentation of one song: two display slots (A and B) that lines take in
// turn, each with a base label in the lyric colour and a fill label in the fill colour
// that is wiped across the line unit by unit. The karaoke preview drives it once per
// second of play and once per timer tick; the frame overlay once per frame. It holds only
// geometry and texts; drawing is the caller's.
#include <array>
#include <vector>

#include <QFont>
#include <QRect>
#include <QString>

#include "lyrics/ksc_reader.h"

namespace solvane {

struct KaraokeLabel {
  QString text;
  QRect box;  // the fill label's width is how far the fill has come
  bool visible = false;
};

enum class KaraokeLabelId { A1 = 0, A2 = 1, B1 = 2, B2 = 3 };  // base / fill of slot A, B

// Where the slots stand on a panel: slot A at a fixed place, slot B lower and ending
// 20 pixels from the right border.
struct KaraokePanel {
  int width = 800;
  int height = 450;
  QPoint slotA{75, 338};
  int slotBTop = 388;
  int rightMargin = 20;

  static KaraokePanel preview();  // the karaoke window's 800 × 450 panel
  static KaraokePanel render();   // the same places scaled to the 1920 × 1080 frame
};

class KaraokeStage {
 public:
  // `timing` must outlive the stage. Whenever the timing is read again (the next song, or
  // another file in the preview) the stage starts afresh: four empty labels, no wipe.
  explicit KaraokeStage(const KaraokeTiming& timing);

  // Preview only: the script the user chose ("jianti" / "fanti") for the shown lines.
  void setPreviewScript(const QString& script) { previewScript_ = script; }

  // Empties the four labels and stops the wipe.
  void reset();
  // The appear, wipe-start and hide rules for the clock text `t` (mm:ss).
  void onClock(const QString& t);
  // One fill step: a timer tick in the preview, a frame in the render.
  void step();

  bool wiping() const { return wiping_; }
  int currentLine() const { return line_; }
  int unitIndex() const { return unit_; }
  int stepCounter() const { return counter_; }

  const KaraokeLabel& label(KaraokeLabelId id) const { return labels_[static_cast<int>(id)]; }
  // The four labels from bottom to top: a label comes to the top when a line appears in
  // its slot and when its wipe starts.
  const std::array<KaraokeLabelId, 4>& stackingOrder() const { return order_; }
  const KaraokePanel& panel() const { return panel_; }
  // 微软雅黑 at the karaoke size (scaled to the frame in the render variant).
  const QFont& measureFont() const { return measureFont_; }

 private:
  KaraokeLabel& base(int slot) { return labels_[slot * 2]; }
  KaraokeLabel& fill(int slot) { return labels_[slot * 2 + 1]; }
  void raise(KaraokeLabelId id);
  void appear(int line);
  void startWipe(int line, const QString& t);
  void completeOtherSlot(int slot);
  void followTiming();

  const KaraokeTiming& timing_;
  KaraokePanel panel_;
  QFont measureFont_;
  QString previewScript_;
  std::array<KaraokeLabel, 4> labels_;
  std::array<KaraokeLabelId, 4> order_;
  int generation_ = -1;
  bool wiping_ = false;
  int line_ = -1;
  int unit_ = 0;
  int counter_ = 0;
  QString wipeClock_;
  std::vector<FillUnit> units_;
};

}  // namespace solvane
