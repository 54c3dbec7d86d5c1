#pragma once
// Staging trees for template player tests: a movie in "<root>/tp_wjj/tp_wjj/tp_wjj_1/"
// with its slot pictures beside it and the opening picture in "<root>/tp_wjj/pic/".
#include <filesystem>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace solvane::test {

struct StagedMovie {
  std::filesystem::path folder;  // the movie's folder
  QString moviePath;
  std::filesystem::path openingPicture;
  std::filesystem::path slotPicture(int k) const {
    return folder / ("picture_" + std::to_string(k) + ".rar");
  }
};

// Creates the folders and writes `movie` as the movie file; pictures are written separately.
StagedMovie stageMovie(const std::filesystem::path& root, const QByteArray& movie);

// A JPEG (quality 90) of one flat colour, written under a ".rar" name like staged pictures.
void writeJpeg(const std::filesystem::path& path, QSize size, const QColor& colour);

// True when the two colours differ by at most `tolerance` in every channel.
bool closeColour(QRgb a, QRgb b, int tolerance = 12);

}  // namespace solvane::test
