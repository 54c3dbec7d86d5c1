#pragma once
// The command line's progress display: on a terminal one line redrawn in place with a bar,
// frames done, frames per second and the time left; elsewhere nothing until the summary.
#include <chrono>
#include <cstdio>

#include <QString>

namespace solvane::cli {

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* out);
  // Starts a new phase ("导入相片", "制作相册"); the frame figures appear for phase "frames".
  void phase(const QString& title, bool frames);
  void update(long long done, long long total);
  // Ends the line (keeps what was drawn) before other output.
  void finish();
  double secondsSincePhase() const;

 private:
  void draw(long long done, long long total);

  std::FILE* out_;
  bool terminal_;
  bool frames_ = false;
  bool open_ = false;
  QString title_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
};

// "mm:ss" (or "h:mm:ss") of a number of seconds.
QString clockText(double seconds);

}  // namespace solvane::cli
