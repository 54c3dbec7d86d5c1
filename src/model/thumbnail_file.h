#pragma once
#include <QImage>
#include <QString>

namespace solvane {

// Saves a pane thumbnail as a 24-bit BMP, creating its folder when needed. Throws Error
// naming the file when it cannot be written; no partial file is left.
void saveThumbnail(const QImage& picture, const QString& path);

}  // namespace solvane
