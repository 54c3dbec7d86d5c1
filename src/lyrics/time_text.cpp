#include "lyrics/time_text.h"

#include <algorithm>

namespace solvane {

QString twoDigits(int n) {
  return n < 10 && n >= 0 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

QString musicDurationText(long long ms) {
  const long long seconds = ms / 1000;
  return QStringLiteral("00:") + twoDigits(static_cast<int>(seconds / 60)) + ':' +
         twoDigits(static_cast<int>(seconds % 60));
}

long long musicFramesNeeded(long long ms) { return ms / 1000 * 25; }

QString karaokeRealTimeText(int seconds) {
  seconds = std::max(0, seconds);
  return twoDigits(seconds / 60) + ':' + twoDigits(seconds % 60);
}

QString karaokeTimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  int minutes = seconds / 60;
  const int rest = seconds - 60 * minutes;
  while (minutes > 60) minutes -= 60;
  return twoDigits(minutes) + ':' + twoDigits(rest);
}

}  // namespace solvane
