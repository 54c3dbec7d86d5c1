#pragma once
// Everything the album lays over its frames: the LRC lyric line, the karaoke lines with
// their wipe and the user's moving texts, on one 1920 × 1080 overlay panel. The render
// driver starts it with the album, advances it once per frame after the frame has been
// published and the album clock set, hides it around every change of movie, and has it
// composited over every photograph of the player (see hooks()).
#include <QImage>
#include <QString>
#include <QStringList>

#include "render/karaoke_overlay.h"
#include "render/lyric_overlay.h"
#include "render/overlay_panel.h"
#include "render/render_driver.h"
#include "render/text_effect_overlay.h"

namespace solvane {

struct Project;

class FrameOverlay {
 public:
  // The text-effect rows' state cells are written into `project` as texts start and stop.
  explicit FrameOverlay(Project& project);
  FrameOverlay(const FrameOverlay&) = delete;
  FrameOverlay& operator=(const FrameOverlay&) = delete;

  // The driver's hooks, bound to this overlay (which must outlive the driver's use).
  OverlayHooks hooks();

  // The album's start, step by step as the driver calls it ...
  void reset();
  void CreateTextEffectLabels();
  void StartLyrics();
  void StartKaraoke();
  // ... and all of it at once: reset, the text-effect labels when there are rows, lyrics,
  // karaoke.
  void start();

  // After each frame, in this order.
  void KaraokeStep();
  void LyricStep();
  void TextEffectStep(const QString& albumClock);
  void advance(const QString& albumClock);

  void HideOverlays();
  void ShowOverlays();
  // Draws the visible elements over a photograph of the player. Leaves `frame` untouched
  // (and unshared) when nothing would show.
  void composite(QImage& frame) const;
  // ReleaseOverlayItems: the text-effect labels go away after the album.
  void ReleaseOverlayItems();

  // Lyric and karaoke files that could not be read during this album.
  QStringList problems() const;

  OverlayPanel& panel() { return panel_; }
  LyricOverlay& lyrics() { return lyrics_; }
  KaraokeOverlay& karaoke() { return karaoke_; }

  QString Edit_wenzizhuangshi_num = QStringLiteral("3");  // text-effect step in pixels

 private:
  Project& project_;
  OverlayPanel panel_;
  TextEffectOverlay texts_;
  LyricOverlay lyrics_;
  KaraokeOverlay karaoke_;
};

}  // namespace solvane
