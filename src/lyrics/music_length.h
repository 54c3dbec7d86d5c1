#pragma once
// The playing time of a music file, read through libavformat/libavcodec.
#include <QString>

namespace solvane {

// Length of the music file in milliseconds. The file must open as a media file with an
// audio stream whose first frame decodes; otherwise throws Error naming the file and the
// reason, so the caller can leave the file out instead of writing a half-filled row.
long long measureMusicLengthMs(const QString& path);

}  // namespace solvane
