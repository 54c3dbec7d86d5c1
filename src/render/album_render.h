#pragma once
// The render-and-encode stage of an album: the prepared project's template instances are
// played, the overlays laid over every frame and the frames encoded into the chosen target.
// The command line and the make-album window both end an album here.
#include <functional>

#include <QString>

#include "model/job.h"

namespace solvane {

struct OutputTarget;
struct Project;
class Workspace;

struct AlbumResult {
  QString path;             // the album file, or an image sequence's first picture
  long long frames = 0;     // frames written
  double seconds = 0;       // album length at 25 frames per second
  double renderSeconds = 0; // wall time of the render-and-encode stage
  unsigned drawSeed = 0;    // the seed of the template draws, where the caller knows it
};

// Renders and encodes `project` (photographs imported, settings chosen, output kind in
// Edit_VCDSVCDDVD_leixing) into `target`. Progress counts album frames. A stop request throws
// Cancelled, any other failure Error with the message to show (file and reason); either way
// no album is left behind, and an image-sequence folder made for it is removed again.
// `tell` receives what the user should know although the album was made (unreadable lyrics).
AlbumResult RenderAlbum(Project& project, const Workspace& workspace, const OutputTarget& target,
                        const JobControl& control,
                        const std::function<void(const QString& message)>& tell = {});

}  // namespace solvane
