#pragma once
// An album in the making for the overlay tests: songs, their lyric and karaoke files, and
// the frame counter of the render driver, which advances the overlay frame by frame.
#include <optional>

#include <QByteArray>
#include <QLatin1String>
#include <QString>

#include "model/project.h"
#include "render/frame_overlay.h"
#include "support/fixtures.h"

namespace solvane::test {

class OverlayAlbum {
 public:
  OverlayAlbum();

  // A song of `frames` frames with an LRC lyric bound to it (or none, for a null text) and
  // a KSC file (or none), both written as GBK.
  void addSong(long long frames, const QString& lrc, const QString& ksc = {});
  // The same with the files' bytes as they are; the karaoke file gets `karaokeEnding`
  // (".ksc", or ".lrc" for a word-timed LRC used as karaoke).
  void addSongFiles(long long frames, const std::optional<QByteArray>& lrc,
                    const std::optional<QByteArray>& karaoke,
                    const QString& karaokeEnding = QStringLiteral(".ksc"));
  void addText(const QString& start, QLatin1String motion, const QString& bold = "0");

  void start() { overlay_.start(); }
  // One frame step of the driver: count, set the album clock, advance the overlay.
  void frame();
  void frames(int n);
  long long frameCount() const { return frames_; }

  FrameOverlay& overlay() { return overlay_; }
  OverlayPanel& panel() { return overlay_.panel(); }

  Project project;

 private:
  ScratchDir dir_;
  FrameOverlay overlay_;
  long long frames_ = 0;
};

// One karaoke.add line of a KSC file.
QString kscLine(const char* start, const char* end, const char* text, const char* durations);

}  // namespace solvane::test
