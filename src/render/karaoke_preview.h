#pragma once
// The karaoke window's preview: one KSC file on the 800 × 450 panel, slots A and B and the
// fill drawn by the album's labels, following the music's position. The reader budgets
// the fill in ticks of 1 ms (1000 per second), the unit of the position, so every
// millisecond the music moves is one fill step: the fill stays with the song on any
// machine, whatever the rate of the window's timer.
#include <array>

#include <QString>

#include "lyrics/karaoke_stage.h"
#include "lyrics/ksc_reader.h"
#include "render/overlay_label.h"

class QPainter;

namespace solvane {

class Table;

inline constexpr int kKaraokeTicksPerSecond = 1000;

// The karaoke window's clocks: hh:mm:ss of the whole seconds in `ms`.
QString karaokeWindowClockText(long long ms);

class KaraokePreview {
 public:
  KaraokePreview() = default;
  KaraokePreview(const KaraokePreview&) = delete;
  KaraokePreview& operator=(const KaraokePreview&) = delete;

  // Reads the file of karaoke row `row` with `script` ("jianti"/"fanti") for the shown
  // lines and styles the four labels from the row. Throws Error when the file cannot be
  // read; nothing is loaded then.
  void load(const Table& ksc, int row);
  void clear();
  bool loaded() const { return !timing_.empty(); }
  // Empties the labels and goes back to the start of the song.
  void reset();
  // Brings the presentation to `positionMs`: each whole second passed runs the appear,
  // wipe and hide rules, each millisecond one fill step. A position behind the last one
  // (a seek back) starts again from 0.
  void update(long long positionMs);

  // The music position the labels stand at.
  long long appliedMs() const { return done_; }
  const KaraokeStage& stage() const { return stage_; }
  const KaraokeTiming& timing() const { return timing_; }
  const OverlayLabel& label(KaraokeLabelId id) const {
    return labels_[static_cast<size_t>(id)];
  }
  // Draws the visible labels on the 800 × 450 panel in their stacking order.
  void paint(QPainter& painter) const;

 private:
  void syncLabels();

  KaraokeTiming timing_;
  KaraokeStage stage_{timing_};
  std::array<OverlayLabel, 4> labels_;
  long long done_ = 0;  // ms already applied
  bool started_ = false;
};

}  // namespace solvane
