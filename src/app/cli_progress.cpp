#include "app/cli_progress.h"

#include <unistd.h>

#include <cmath>

namespace solvane::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(150);

}  // namespace

QString clockText(double seconds) {
  const long long s = std::max(0LL, std::llround(seconds));
  const QString mmss =
      QStringLiteral("%1:%2").arg((s / 60) % 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
  return s >= 3600 ? QString::number(s / 3600) + QLatin1Char(':') + mmss : mmss;
}

ProgressLine::ProgressLine(std::FILE* out) : out_(out), terminal_(isatty(fileno(out)) != 0) {}

void ProgressLine::phase(const QString& title, bool frames) {
  finish();
  title_ = title;
  frames_ = frames;
  start_ = std::chrono::steady_clock::now();
  lastDraw_ = {};
}

void ProgressLine::update(long long done, long long total) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now();
  if (done < total && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  draw(done, total);
}

void ProgressLine::draw(long long done, long long total) {
  const double fraction = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 0.0;
  const int filled = int(fraction * kBarWidth);
  QString line = QStringLiteral("\r%1 [%2%3] %4/%5")
                     .arg(title_, QString(filled, QLatin1Char('#')),
                          QString(kBarWidth - filled, QLatin1Char('.')))
                     .arg(done)
                     .arg(total);
  if (frames_) {
    const double elapsed = secondsSincePhase();
    const double fps = elapsed > 0 ? double(done) / elapsed : 0.0;
    const QString left = fps > 0 ? clockText(double(total - done) / fps) : QStringLiteral("--:--");
    line += QStringLiteral(" frames  %1 fps  %2 left").arg(fps, 0, 'f', 1).arg(left);
  }
  line += QStringLiteral("\033[K");
  std::fputs(line.toLocal8Bit().constData(), out_);
  std::fflush(out_);
  open_ = true;
}

void ProgressLine::finish() {
  if (!open_) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  open_ = false;
}

double ProgressLine::secondsSincePhase() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

}  // namespace solvane::cli
