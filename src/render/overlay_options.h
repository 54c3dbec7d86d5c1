#pragma once
// The command line's overlay options: moving captions (what the text-effect window adds),
// karaoke files (what the karaoke window adds) and the lyric-type choice the output command
// asks for when an album has both LRC and karaoke lyrics.
#include <QString>
#include <QStringList>

namespace solvane {

struct Project;

struct OverlayOptions {
  QStringList texts;    // --text "TIME|ENTRY|TEXT[|SIZE[|COLOUR[|FONT]]]"
  QStringList karaoke;  // --karaoke FILE.ksc or word-timed FILE.lrc, the n-th for the n-th song
  QString lyricType;    // --lyric-type lrc|ksc|both; empty: both
};

// Adds the karaoke rows and the captions to the project and sets the lyric-type choice.
// Throws Error naming the option whose value is wrong, before the project changes; an LRC
// file given as karaoke must carry word times.
// Captions go through the text-effect window's checks and motion choice, on the 1920 × 1080
// picture; a caption the window would refuse throws Error with the window's message.
void applyOverlayOptions(Project& project, const OverlayOptions& options);

}  // namespace solvane
