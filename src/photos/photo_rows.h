#pragma once
// The rows an import writes: the staging row of a chosen file (with its classification as
// landscape or portrait) and the texts of the photo display list.
#include <QLatin1String>
#include <QSize>
#include <QString>
#include <QStringList>

namespace solvane {

struct Project;

// The working box of the orientation probe (Edit_Width × Edit_height at start).
inline constexpr QSize kProbeBox{1920, 1080};

struct Classification {
  int width = 0;   // size as seen
  int height = 0;
  QLatin1String orientation;  // word::heng_zhao or word::shu_zhao
};

// The size a photograph stored `stored` is asked for inside `box`: landscape and square
// photographs get the box's width, portraits its height; the other side is scaled with a
// truncating division.
QSize requestInBox(QSize stored, QSize box);

// `rendered` is the size of the picture the rendering service returned for the probe.
// Square counts as landscape; width and height are exchanged when the stored and rendered
// sizes disagree strictly about the orientation.
Classification classify(QSize stored, QSize rendered);
// The probe of a photograph whose upright size is `upright`: what the service would return
// when asked for the probe size, classified.
Classification classifyPhoto(QSize stored, QSize upright);

// The file's name without folder, less its last four characters (counted as characters).
QString fileNameWithoutExtension(const QString& path);
// The extension with its dot, as written (".JPG" stays ".JPG"); empty when there is none.
QString fileTypeOf(const QString& path);

// A staging row: seq, path, file_name, file_type, width, height, orientation, and empty
// cells for the template columns.
QStringList stagingRow(int seq, const QString& path, const Classification& c);

// Rebuilds suiListView_xiangpian_liebiao from the photo table.
void rebuildPhotoDisplayList(Project& project);

}  // namespace solvane
