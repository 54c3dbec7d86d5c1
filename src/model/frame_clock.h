#pragma once
// The clock text of a frame counter at 25 frames per second: two-digit minutes, ":" and
// two-digit seconds of n × 0.04 s truncated toward zero. Album, lyric and karaoke clocks and
// the text-effect preview all compare start times against this text.
#include <QString>

namespace solvane {

inline constexpr int kFramesPerSecond = 25;

// FrameClockText(1530) == "01:01"; counters from -24 to 24 all read "00:00". Minutes above
// 60 wrap by 60 because the clock never shows hours.
QString FrameClockText(long long frames);

}  // namespace solvane
