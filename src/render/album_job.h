#pragma once
// One album from start to end without windows: load the template library, import the
// photographs (templates drawn, movies staged, photographs cropped), import music and lyrics,
// apply the settings, then render and encode. Used by the command line and the benchmarks.
#include <functional>

#include <QString>

#include "model/job.h"
#include "render/album_options.h"
#include "render/album_render.h"

namespace solvane {

struct Project;
class Workspace;

struct AlbumEvents {
  // A new stage begins; `frames` is true for the render-and-encode stage, whose progress
  // counts album frames.
  std::function<void(const QString& title, bool frames)> stage;
  // The system's messages and the conversion's progress lines worth showing.
  std::function<void(const QString& message)> message;
};


// The album as it is about to be rendered: template library loaded into `project`, photographs,
// music and lyrics imported, settings applied. MakeAlbum starts with this; benchmarks use it
// to render an album's frames without encoding them. Returns the seed of the template draws:
// options.drawSeed, or one taken from the clock and named through events.message.
unsigned PrepareAlbumProject(Project& project, const AlbumOptions& options, const Workspace& workspace,
                             const AlbumEvents& events, const JobControl& control);

// Makes the album in `workspace` (an empty working tree of its own; the template library is
// read from workspace.libraryRoot()). Progress reaches `control`; a stop request throws
// Cancelled and leaves no album behind. Other failures throw Error with the message to show.
AlbumResult MakeAlbum(const AlbumOptions& options, const Workspace& workspace,
                      const AlbumEvents& events, const JobControl& control);

}  // namespace solvane
