#pragma once
// Staging of template instances: each instance gets a folder with its unpacked template
// movie and one cropped picture per slot; the closing movie gets its own folder. Also the
// single-slot crops that other windows ask for (replacement, preview copies).
#include <QImage>
#include <QSize>
#include <QString>

#include "photos/crop_geometry.h"

namespace solvane {

struct Project;
class Workspace;
class DecodedPhoto;
class PictureMemory;

// Unpacks the movie of every instance of the current batch (photo rows whose thumb_done is
// still "jiancai_no") into its instance folder. Resets the staging tree first when
// Edit_daoru_moban_kaishishiyong_kaiguan is "kai" and then sets it to "guan". Advances
// Edit_wj_1_jy_leijia once per run and once per photo row. Throws Error naming a package
// that cannot be unpacked.
void stageMovies(Project& project, const Workspace& ws);

// Replaces the closing movie's folder with a freshly unpacked closing movie.
void stageClosingMovie(const Workspace& ws);

// The picture of a slot: the photograph stretched to geometry.scaled, drawn at the top-left
// of a black canvas of geometry.canvas. Made in the photo's memory when it has one.
QImage cropPicture(const DecodedPhoto& photo, const CropGeometry& geometry);

// Encodes `picture` as JPEG (quality 90) and writes it under `target` with its ending
// replaced by the staged-picture ending ".rar".
void writeStagedPicture(const QImage& picture, const QString& target,
                        PictureMemory* memory = nullptr);

// Refills the slot of photo row `row` with the photograph `file`, replacing the slot's
// picture. With `addRow`, first appends a photo row for `file` that copies `row`'s
// orientation, template and state columns. Nothing changes when `file` cannot be read.
void replacementCrop(Project& project, const Workspace& ws, int row, const QString& file,
                     bool addRow);

// Shrunken copies of every slot picture of row `row`'s instance for the single-photograph
// preview, scaled by previewBox against the 1920 × 1080 frame.
void makePreviewCopies(const Project& project, const Workspace& ws, int row, QSize previewBox);

}  // namespace solvane
