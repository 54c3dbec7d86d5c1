#include "model/frame_clock.h"

namespace solvane {

QString FrameClockText(long long frames) {
  const long long seconds = frames / kFramesPerSecond;  // truncates toward zero
  long long minutes = seconds / 60;
  long long rest = seconds - 60 * minutes;
  while (minutes > 60) minutes -= 60;
  const auto twoDigits = [](long long v) {
    return v >= 0 && v < 10 ? QStringLiteral("0%1").arg(v) : QString::number(v);
  };
  return twoDigits(minutes) + QLatin1Char(':') + twoDigits(rest);
}

}  // namespace solvane
