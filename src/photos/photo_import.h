#pragma once
// The import of a batch of photographs as one call: check the chosen files, classify them
// into the staging table, assign templates, stage the movies, make thumbnails and crops,
// rebuild the display list.
#include <QString>
#include <QStringList>

#include "model/job.h"
#include "templates/template_assignment.h"

namespace solvane {

struct Project;
class Workspace;

// The crop of slots without a fixed size follows the project's crop_settings.
struct PhotoImportOptions {
  DrawIndex draw = clockSeededDraw;
  int threads = 0;  // photographs prepared in parallel; 0: one per core
};

struct PhotoImportResult {
  int imported = 0;       // photographs added to the photo table
  QStringList leftOut;    // chosen files that were not added, in the order chosen
  QString message;        // one message naming every left-out file and why; empty if none
};

// Imports `files` in the order given. Files that are not readable JPEG photographs are
// left out and reported in the result; the rest are imported. Progress runs over 4 × n steps
// (n = photographs imported). Stopping throws Cancelled and any other failure throws Error;
// either way the project, its thumbnails and its instance folders are as before the call.
PhotoImportResult importPhotos(Project& project, const Workspace& ws, const QStringList& files,
                               const PhotoImportOptions& options, const JobControl& job);

}  // namespace solvane
