#include "render/frame_overlay.h"

#include "model/project.h"

namespace solvane {

FrameOverlay::FrameOverlay(Project& project)
    : project_(project),
      texts_(project.ListView_Label, panel_),
      lyrics_(project, panel_),
      karaoke_(project, panel_) {}

OverlayHooks FrameOverlay::hooks() {
  OverlayHooks h;
  h.resetOverlays = [this] { reset(); };
  h.createTextEffectLabels = [this] { CreateTextEffectLabels(); };
  // The picture-effect table never has rows; its pictures would be empty anyway.
  h.createPicturePictures = [] {};
  h.startLyrics = [this] { StartLyrics(); };
  h.startKaraoke = [this] { StartKaraoke(); };
  h.hideOverlays = [this] { HideOverlays(); };
  h.showOverlays = [this] { ShowOverlays(); };
  h.composeOverBackground = [this](QImage& frame) { composite(frame); };
  h.karaokeStep = [this](const RenderState&) { KaraokeStep(); };
  h.lyricStep = [this](const RenderState&) { LyricStep(); };
  h.textEffectStep = [this](const RenderState& s) { TextEffectStep(s.Edit_shijian); };
  return h;
}

void FrameOverlay::reset() {
  lyrics_.reset();
  karaoke_.reset();
  texts_.release();
}

void FrameOverlay::CreateTextEffectLabels() { texts_.createLabels(); }
void FrameOverlay::StartLyrics() { lyrics_.start(); }
void FrameOverlay::StartKaraoke() { karaoke_.start(); }

void FrameOverlay::start() {
  reset();
  if (!project_.ListView_Label.empty()) CreateTextEffectLabels();
  StartLyrics();
  StartKaraoke();
}

void FrameOverlay::KaraokeStep() {
  if (KaraokeGateOpen(project_)) karaoke_.step();
}
void FrameOverlay::LyricStep() { lyrics_.step(); }
void FrameOverlay::TextEffectStep(const QString& albumClock) {
  texts_.step(albumClock, Edit_wenzizhuangshi_num.toInt());
}

void FrameOverlay::advance(const QString& albumClock) {
  KaraokeStep();
  LyricStep();
  TextEffectStep(albumClock);
}

void FrameOverlay::HideOverlays() { panel_.hideAll(); }
void FrameOverlay::ShowOverlays() { panel_.showAll(project_.ListView_Label); }

void FrameOverlay::composite(QImage& frame) const {
  if (panel_.anythingToDraw()) panel_.composite(frame);
}

void FrameOverlay::ReleaseOverlayItems() { texts_.release(); }

QStringList FrameOverlay::problems() const {
  return lyrics_.problems() + karaoke_.problems();
}

}  // namespace solvane
