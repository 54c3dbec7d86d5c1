#pragma once
// Fixtures of the photo tests: generated JPEG files and small template catalogs.
#include <filesystem>
#include <functional>
#include <vector>
#include <ostream>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace solvane {
struct Project;
}

namespace solvane::test {

// Template draws that answer `draws` in turn (each modulo the pool size), then 0.
std::function<int(int)> drawSequence(std::vector<int> draws);

// A picture whose four quadrants have distinct colours (red top-left, green top-right,
// blue bottom-left, yellow bottom-right), so a test can tell orientation and placement.
QImage quadrantPicture(int width, int height);
// Baseline JPEG of `picture` at quality 95; `exifOrientation` (1–8) adds an EXIF APP1
// segment carrying that orientation tag, 0 adds none.
QByteArray jpegBytes(const QImage& picture, int exifOrientation = 0, bool progressive = false);
// Writes a quadrant JPEG of the given size and returns its path.
QString writeJpeg(const std::filesystem::path& path, int width, int height,
                  int exifOrientation = 0);

// Colour of pixel (x, y) compared with `expected` channel by channel within `tolerance`.
bool near(QColor actual, QColor expected, int tolerance = 40);

// One catalog row (13 columns) of a template: slots "|w|…|", "|h|…|" and "|o|…|".
QStringList catalogRow(int tplSeq, int photoCount, int landscapeCount, int portraitCount,
                       const QString& location = QString(), const QString& widths = QString(),
                       const QString& heights = QString());

// Fills the landscape and portrait catalogs with one single-photograph template each
// (slot 800 × 600 and 600 × 800) whose movie packages are written under `libraryRoot`.
void addSingleTemplates(Project& project, const QString& libraryRoot);
// Writes the closing movie package where staging expects it below `libraryRoot`.
void writeClosingMovie(const QString& libraryRoot);

}  // namespace solvane::test

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
