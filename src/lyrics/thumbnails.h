#pragma once
// The 130 × 115 pictures of the music and lyric panes: a fixed icon with the file name.
#include <QImage>
#include <QString>

#include "model/thumbnail_file.h"

namespace solvane {

inline constexpr int kPaneThumbWidth = 130;
inline constexpr int kPaneThumbHeight = 115;

// A name narrower than 130 pixels (measured in 宋体 at 11 pixels) is centred in its box;
// a wider one starts at the box's left edge so its beginning stays readable.
bool thumbnailNameCentred(int measuredWidth);

QImage drawMusicThumbnail(const QString& fileName);
QImage drawLyricThumbnail(const QString& fileName);

}  // namespace solvane
