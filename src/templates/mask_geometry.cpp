#include "templates/mask_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPolygonF>

namespace solvane {

namespace {

const QRectF kCanvas(0, 0, kCanvasWidth, kCanvasHeight);
// Regions reach a little past the canvas so their own anti-aliased edges never show.
const QRectF kBleed = kCanvas.adjusted(-4, -4, 4, 4);

QPointF direction(double degrees) {
  const double r = degrees * std::numbers::pi / 180.0;
  return {std::cos(r), std::sin(r)};
}

// Projections of the canvas corners on the direction of travel.
std::pair<double, double> extent(QPointF u) {
  double lo = 1e18, hi = -1e18;
  for (QPointF c : {kCanvas.topLeft(), kCanvas.topRight(), kCanvas.bottomLeft(),
                    kCanvas.bottomRight()}) {
    const double p = c.x() * u.x() + c.y() * u.y();
    lo = std::min(lo, p);
    hi = std::max(hi, p);
  }
  return {lo, hi};
}

double farthestCorner(QPointF c) {
  double r = 0;
  for (QPointF k : {kCanvas.topLeft(), kCanvas.topRight(), kCanvas.bottomLeft(),
                    kCanvas.bottomRight()})
    r = std::max(r, std::hypot(k.x() - c.x(), k.y() - c.y()));
  return r + 4;
}

// Half-plane {p : p.u < line} clipped to the bleed rectangle.
QPainterPath halfPlane(QPointF u, double line) {
  const QPointF n(-u.y(), u.x());
  const double big = 6000;
  const QPointF onLine = u * line;
  QPolygonF poly;
  poly << onLine + n * big << onLine - n * big << onLine - n * big - u * big
       << onLine + n * big - u * big;
  QPainterPath p;
  p.addPolygon(poly);
  p.closeSubpath();
  QPainterPath bleed;
  bleed.addRect(kBleed);
  return p.intersected(bleed);
}

QPainterPath linearRegion(const Mask& m, double p) {
  const QPointF u = direction(m.angle);
  const auto [lo, hi] = extent(u);
  const double line = lo + p * (hi - lo + m.softness);
  // The soft ramp runs from line - softness (opaque) to line (clear); its hard outline is
  // the whole half-plane up to `line`.
  return halfPlane(u, line);
}

QPainterPath blindsRegion(const Mask& m, double p) {
  QPainterPath path;
  const int n = std::max(1, m.count);
  if (!m.vertical) {
    const double w = kCanvasWidth / n;
    for (int i = 0; i < n; ++i) path.addRect(QRectF(i * w - 0.5, kBleed.top(), w * p + 1.0 * (p > 0), kBleed.height()));
  } else {
    const double h = kCanvasHeight / n;
    for (int i = 0; i < n; ++i) path.addRect(QRectF(kBleed.left(), i * h - 0.5, kBleed.width(), h * p + 1.0 * (p > 0)));
  }
  return path;
}

QPainterPath clockRegion(const Mask& m, double p) {
  QPainterPath path;
  if (p <= 0) return path;
  const double r = farthestCorner(m.center);
  const QRectF circle(m.center.x() - r, m.center.y() - r, 2 * r, 2 * r);
  // Qt angles run counter-clockwise from 3 o'clock; ours clockwise from 12 o'clock.
  path.moveTo(m.center);
  path.arcTo(circle, 90 - m.angle, -360 * p);
  path.closeSubpath();
  return path;
}

}  // namespace

QPainterPath maskRegion(const Mask& m, double progress) {
  const double p = std::clamp(progress, 0.0, 1.0);
  QPainterPath region;
  switch (m.kind) {
    case MaskKind::None: region.addRect(kBleed); break;
    case MaskKind::Linear: region = linearRegion(m, p); break;
    case MaskKind::Iris: {
      const double r = farthestCorner(m.center) * p;
      if (r > 0) region.addEllipse(m.center, r, r);
      break;
    }
    case MaskKind::Blinds: region = blindsRegion(m, p); break;
    case MaskKind::Split:
      if (!m.vertical)
        region.addRect(QRectF(m.center.x() - p * (kBleed.width() / 2), kBleed.top(),
                              p * kBleed.width(), kBleed.height()));
      else
        region.addRect(QRectF(kBleed.left(), m.center.y() - p * (kBleed.height() / 2),
                              kBleed.width(), p * kBleed.height()));
      break;
    case MaskKind::Clock: region = clockRegion(m, p); break;
    case MaskKind::Box: {
      const double w = kBleed.width() * p, h = kBleed.height() * p;
      region.addRect(QRectF(m.center.x() - w / 2, m.center.y() - h / 2, w, h));
      break;
    }
  }
  if (m.invert) {
    QPainterPath all;
    all.addRect(kBleed);
    region = all.subtracted(region);
  }
  return region;
}

QLinearGradient softLinearGradient(const Mask& m, double progress) {
  const double p = std::clamp(progress, 0.0, 1.0);
  const QPointF u = direction(m.angle);
  const auto [lo, hi] = extent(u);
  const double line = lo + p * (hi - lo + m.softness);
  QLinearGradient g(u * (line - m.softness), u * line);
  const QColor shown(0, 0, 0, 255), hidden(0, 0, 0, 0);
  g.setColorAt(0, m.invert ? hidden : shown);
  g.setColorAt(1, m.invert ? shown : hidden);
  g.setSpread(QGradient::PadSpread);
  return g;
}

}  // namespace solvane
