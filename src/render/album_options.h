#pragma once
// What one batch album asks for (the command line's "album" subcommand): output, kind and
// settings, and the photograph, music and lyric files in import order. Parsing and checking
// live here so that every mistake gets a message before any work starts.
#include <optional>

#include <QString>
#include <QStringList>

#include "model/album_choices.h"
#include "render/overlay_options.h"

namespace solvane {

struct Project;

struct AlbumOptions {
  QString output;                         // -o: album file, or image-sequence folder
  QString kind = QStringLiteral("DVD");   // VCD, SVCD, DVD, AVI, MP4, XLTP
  QString format = QStringLiteral("JPG"); // image-sequence picture format
  QString tv = QStringLiteral("PAL");
  QString quality = QStringLiteral("gaoqing_huazhi");
  bool followMusic = false;
  LoopOptions loops;
  CropSettings crops;
  bool overwrite = false;
  QString library;                        // template library root; empty: beside the program
  QStringList music;
  QStringList lyrics;
  QStringList photos;                     // as given; see expandPhotoArguments
  OverlayOptions overlay;                 // --text, --karaoke, --lyric-type
  std::optional<unsigned> drawSeed;       // --seed: fixed template draws; empty: seed from the clock
  bool help = false;
};

// Parses the arguments that follow "album". Throws Error with a message naming the argument
// at fault; the message never needs the usage text to be understood.
AlbumOptions parseAlbumArguments(const QStringList& arguments);

// The usage text of "solvane-cli album" (every option explained).
QString albumUsage();

// Photographs in import order: files stay as given, folders expand to their JPEG files
// (".jpg", ".jpeg" in any letter case) in name order. Throws Error for a path that does not
// exist and for a folder without JPEG files.
QStringList expandPhotoArguments(const QStringList& arguments);

// Writes the settings into the project's state fields (TV system, quality, length rule,
// loops, crops). Call after the music has been imported: the length window's rule that
// resets the options when there is no music applies.
void applyAlbumSettings(Project& project, const AlbumOptions& options);

}  // namespace solvane
