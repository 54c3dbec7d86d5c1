// Crop geometry for fixed and free slots under every crop setting, checked on real pixels.
#include <gtest/gtest.h>

#include "photo_fixtures.h"
#include "photos/crop_geometry.h"
#include "photos/photo_renderer.h"
#include "photos/staging.h"

namespace solvane {
namespace {

using Land = CropSettings::Landscape;
using Port = CropSettings::Portrait;

struct CropCase {
  const char* label;
  QSize photo, slot;
  Land landscape;
  Port portrait;
  QSize scaled, canvas;
  bool replacement = false;
};

std::ostream& operator<<(std::ostream& os, const CropCase& c) { return os << c.label; }

class CropGeometryTest : public ::testing::TestWithParam<CropCase> {};

QColor quadrantAt(QPoint p, QSize scaled) {
  const bool right = p.x() >= scaled.width() / 2, bottom = p.y() >= scaled.height() / 2;
  if (bottom) return right ? Qt::yellow : Qt::blue;
  return right ? Qt::green : Qt::red;
}

bool nearQuadrantEdge(QPoint p, QSize scaled) {
  return std::abs(p.x() - scaled.width() / 2) < 6 || std::abs(p.y() - scaled.height() / 2) < 6;
}

TEST_P(CropGeometryTest, ScalesCoversAndCutsAsTheSettingsSay) {
  const CropCase c = GetParam();
  const CropSettings settings{c.landscape, c.portrait};
  const CropGeometry g = c.replacement ? replacementGeometry(c.photo, c.slot)
                                       : cropGeometry(c.photo, c.slot, settings);
  EXPECT_EQ(g.scaled, c.scaled);
  EXPECT_EQ(g.canvas, c.canvas);

  // The same proportions at a tenth of the size are enough for the pixels.
  const int k = std::max(1, std::max(c.photo.width(), c.photo.height()) / 400);
  const QByteArray bytes = test::jpegBytes(test::quadrantPicture(c.photo.width() / k,
                                                                 c.photo.height() / k));
  const QImage out = cropPicture(DecodedPhoto(bytes, g.scaled, "p.jpg"), g);
  ASSERT_EQ(out.size(), c.canvas);
  const int r = c.canvas.width() - 3, b = c.canvas.height() - 3;
  std::vector<QPoint> samples{{2, 2}, {r, 2}, {2, b}, {r, b}, {c.canvas.width() / 3, b}};
  if (g.scaled.height() + 5 < c.canvas.height()) samples.push_back({10, g.scaled.height() + 5});
  for (QPoint p : samples) {
    if (nearQuadrantEdge(p, g.scaled)) continue;
    const bool inside = p.x() < g.scaled.width() && p.y() < g.scaled.height();
    const QColor want = inside ? quadrantAt(p, g.scaled) : QColor(Qt::black);
    EXPECT_TRUE(test::near(out.pixelColor(p), want))
        << "at " << p.x() << "," << p.y() << " got " << out.pixelColor(p).name().toStdString();
  }
}

const Land kFull = Land::quanping, kLandDefault = Land::moren;
const Port kCloseUp = Port::jubufangda, kPortDefault = Port::moren;

INSTANTIATE_TEST_SUITE_P(
    EveryRule, CropGeometryTest,
    ::testing::Values(
        CropCase{"landscape fills slot", {4000, 3000}, {800, 600}, kFull, kCloseUp, {800, 600}, {800, 600}},
        CropCase{"portrait keeps top", {3000, 4000}, {800, 600}, kFull, kCloseUp, {800, 1066}, {800, 600}},
        CropCase{"wide keeps left", {4000, 1000}, {800, 600}, kFull, kCloseUp, {2400, 600}, {800, 600}},
        CropCase{"landscape too narrow widens", {1000, 900}, {800, 200}, kFull, kCloseUp, {800, 720}, {800, 200}},
        CropCase{"portrait too low heightens", {1000, 1100}, {200, 800}, kFull, kCloseUp, {727, 800}, {200, 800}},
        CropCase{"full screen band below", {2000, 1000}, {0, 0}, kFull, kCloseUp, {1920, 960}, {1920, 1080}},
        CropCase{"template default landscape", {2000, 1000}, {0, 0}, kLandDefault, kCloseUp, {1920, 960}, {1920, 960}},
        CropCase{"full screen square cut", {1000, 1000}, {0, 0}, kFull, kCloseUp, {1920, 1920}, {1920, 1080}},
        CropCase{"template default square", {1000, 1000}, {0, 0}, kLandDefault, kCloseUp, {1080, 1080}, {1080, 1080}},
        CropCase{"close-up portrait", {1000, 2000}, {0, 0}, kFull, kCloseUp, {720, 1440}, {720, 1080}},
        CropCase{"template default portrait", {1000, 2000}, {0, 0}, kFull, kPortDefault, {540, 1080}, {540, 1080}},
        CropCase{"one zero side is free", {2000, 1000}, {0, 600}, kFull, kCloseUp, {1920, 960}, {1920, 1080}},
        CropCase{"replacement free landscape", {2000, 1000}, {0, 0}, kFull, kCloseUp, {1920, 960}, {1920, 960}, true},
        CropCase{"replacement free portrait", {1000, 2000}, {0, 0}, kFull, kCloseUp, {540, 1080}, {540, 1080}, true},
        CropCase{"replacement fixed slot", {3000, 4000}, {800, 600}, kFull, kCloseUp, {800, 1066}, {800, 600}, true}));

}  // namespace
}  // namespace solvane
