#pragma once
// Time texts of music and lyrics: whole seconds written as two-digit minutes and seconds.
#include <QString>

namespace solvane {

// n written in decimal with a leading "0" below 10 ("7" → "07", "75" → "75").
QString twoDigits(int n);

// Length of a music file: "00:" + minutes + ":" + seconds of the whole seconds in `ms`.
// Minutes are never carried into hours (75 minutes → "00:75:00").
QString musicDurationText(long long ms);

// Frames a music file needs at 25 frames per second: whole seconds × 25.
long long musicFramesNeeded(long long ms);

// Karaoke time text of a number of seconds: mm:ss, minutes above 60 reduced by 60 until
// they are not (hours are not shown). Negative seconds read as 0, so a line that starts
// within the first second still appears at 00:00.
QString karaokeTimeText(int seconds);
// The same with the minutes counting on past 60 ("61:05"), as the lyric files write them:
// the karaoke window looks lines up by the real time, so the second hour of a long song
// shows its own lines, not the first hour's again.
QString karaokeRealTimeText(int seconds);

}  // namespace solvane
