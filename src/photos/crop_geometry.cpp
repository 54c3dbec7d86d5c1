#include "photos/crop_geometry.h"

#include <algorithm>

namespace solvane {
namespace {

// Divisions truncate, as everywhere in the geometry; a side never drops below one pixel.
int scaleSide(qint64 side, qint64 numerator, qint64 denominator) {
  return static_cast<int>(std::max<qint64>(1, side * numerator / std::max<qint64>(1, denominator)));
}

CropGeometry same(QSize size) { return {size, size}; }

// Covers the slot: the picture is at least as large as the slot in both directions.
CropGeometry coverSlot(QSize photo, QSize slot) {
  const int W = photo.width(), H = photo.height(), Sw = slot.width(), Sh = slot.height();
  QSize scaled;
  if (W >= H) {
    scaled = {scaleSide(W, Sh, H), Sh};
    if (scaled.width() < Sw) scaled = {Sw, scaleSide(H, Sw, W)};
  } else {
    scaled = {Sw, scaleSide(H, Sw, W)};
    if (scaled.height() < Sh) scaled = {scaleSide(W, Sh, H), Sh};
  }
  return {scaled, slot};
}

QSize landscapeFit(int W, int H) {
  QSize s{kCanvasWidth, scaleSide(H, kCanvasWidth, W)};
  if (s.height() > kCanvasHeight) s = {scaleSide(W, kCanvasHeight, H), kCanvasHeight};
  return s;
}

QSize portraitFit(int W, int H) {
  QSize s{scaleSide(W, kCanvasHeight, H), kCanvasHeight};
  if (s.width() > kCanvasWidth) s = {kCanvasWidth, scaleSide(H, kCanvasWidth, W)};
  return s;
}

}  // namespace

bool hasFixedSize(QSize slot) { return slot.width() > 0 && slot.height() > 0; }

CropGeometry cropGeometry(QSize photo, QSize slot, const CropSettings& settings) {
  if (hasFixedSize(slot)) return coverSlot(photo, slot);
  const int W = std::max(1, photo.width()), H = std::max(1, photo.height());
  if (W >= H) {
    if (settings.landscape == CropSettings::Landscape::moren) return same(landscapeFit(W, H));
    // Full screen: the full frame width, the frame height kept (black below a low picture).
    return {{kCanvasWidth, scaleSide(H, kCanvasWidth, W)}, {kCanvasWidth, kCanvasHeight}};
  }
  if (settings.portrait == CropSettings::Portrait::moren) return same(portraitFit(W, H));
  // Close-up: the frame-high picture enlarged by a third, of which the top three quarters
  // stay.
  constexpr int kEnlarged = kCanvasHeight + kCanvasHeight / 3;  // 1440
  const int w1 = scaleSide(W, kCanvasHeight, H);
  const int wide = scaleSide(w1, kEnlarged, kCanvasHeight);
  return {{wide, kEnlarged}, {wide, kCanvasHeight}};
}

CropGeometry replacementGeometry(QSize photo, QSize slot) {
  if (hasFixedSize(slot)) return coverSlot(photo, slot);
  const int W = std::max(1, photo.width()), H = std::max(1, photo.height());
  return same(W >= H ? landscapeFit(W, H) : portraitFit(W, H));
}

}  // namespace solvane
