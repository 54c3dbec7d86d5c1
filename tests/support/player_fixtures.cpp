#include "support/player_fixtures.h"

#include <cstdlib>
#include <stdexcept>

#include "support/fixtures.h"

namespace solvane::test {

StagedMovie stageMovie(const std::filesystem::path& root, const QByteArray& movie) {
  StagedMovie s;
  s.folder = root / "tp_wjj" / "tp_wjj" / "tp_wjj_1";
  s.openingPicture = root / "tp_wjj" / "pic" / "picture_0.rar";
  std::filesystem::create_directories(s.folder);
  std::filesystem::create_directories(s.openingPicture.parent_path());
  writeFile(s.folder / "w_j_1.rar", movie);
  s.moviePath = QString::fromStdString((s.folder / "w_j_1.rar").string());
  return s;
}

void writeJpeg(const std::filesystem::path& path, QSize size, const QColor& colour) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(colour);
  std::filesystem::create_directories(path.parent_path());
  if (!img.save(QString::fromStdString(path.string()), "JPEG", 90))
    throw std::runtime_error("cannot write " + path.string());
}

bool closeColour(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace solvane::test
