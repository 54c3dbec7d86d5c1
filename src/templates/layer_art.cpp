#include "templates/layer_art.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QPainter>
#include <QRadialGradient>

namespace solvane {

QImage coverScaledWhole(const QImage& source, QSizeF pixels) {
  const double sx = pixels.width() / source.width();
  const double sy = pixels.height() / source.height();
  const double s = std::max(sx, sy);
  const QSize scaled(std::max(1, int(std::ceil(source.width() * s))),
                     std::max(1, int(std::ceil(source.height() * s))));
  return source.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage coverPicture(const QImage& source, QSize pixels, double zoom, double panX, double panY) {
  if (source.isNull() || pixels.isEmpty()) return {};
  const QSizeF zoomed(pixels.width() * zoom, pixels.height() * zoom);
  const QImage scaled = coverScaledWhole(source, zoomed);
  const double spareX = scaled.width() - pixels.width();
  const double spareY = scaled.height() - pixels.height();
  const int left = int(std::lround(spareX * (0.5 + 0.5 * std::clamp(panX, -1.0, 1.0))));
  const int top = int(std::lround(spareY * (0.5 + 0.5 * std::clamp(panY, -1.0, 1.0))));
  return scaled.copy(QRect(QPoint(left, top), pixels))
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QRectF containRect(QSizeF pictureSize, const QRectF& box) {
  if (pictureSize.isEmpty()) return box;
  const double s = std::min(box.width() / pictureSize.width(), box.height() / pictureSize.height());
  const QSizeF size(pictureSize.width() * s, pictureSize.height() * s);
  return QRectF(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QPainterPath roundedRectPath(const QRectF& rect, double radius) {
  QPainterPath p;
  if (radius > 0)
    p.addRoundedRect(rect, radius, radius);
  else
    p.addRect(rect);
  return p;
}

namespace {

QPainterPath heartPath(const QRectF& r) {
  // Two lobes meeting in a point; drawn in a unit square then placed.
  QPainterPath p;
  p.moveTo(0.5, 0.28);
  p.cubicTo(0.5, 0.12, 0.30, 0.0, 0.16, 0.04);
  p.cubicTo(-0.04, 0.10, -0.02, 0.42, 0.12, 0.56);
  p.cubicTo(0.26, 0.72, 0.42, 0.84, 0.5, 1.0);
  p.cubicTo(0.58, 0.84, 0.74, 0.72, 0.88, 0.56);
  p.cubicTo(1.02, 0.42, 1.04, 0.10, 0.84, 0.04);
  p.cubicTo(0.70, 0.0, 0.5, 0.12, 0.5, 0.28);
  p.closeSubpath();
  QTransform t;
  t.translate(r.left(), r.top());
  t.scale(r.width(), r.height());
  return t.map(p);
}

QPainterPath starPath(const QRectF& r, int points, double inner) {
  QPolygonF poly;
  const QPointF c = r.center();
  for (int i = 0; i < points * 2; ++i) {
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    const double k = (i % 2 == 0) ? 1.0 : inner;
    poly << QPointF(c.x() + std::cos(a) * r.width() / 2 * k, c.y() + std::sin(a) * r.height() / 2 * k);
  }
  QPainterPath p;
  p.addPolygon(poly);
  p.closeSubpath();
  return p;
}

}  // namespace

QPainterPath shapePath(const Layer& l) {
  const QRectF& r = l.box;
  QPainterPath p;
  switch (l.shape) {
    case ShapeKind::Rect: p.addRect(r); break;
    case ShapeKind::RoundedRect: p = roundedRectPath(r, l.radius); break;
    case ShapeKind::Ellipse: p.addEllipse(r); break;
    case ShapeKind::Heart: p = heartPath(r); break;
    case ShapeKind::Star: p = starPath(r, l.points, l.innerRatio); break;
    case ShapeKind::Ring: {
      p.addEllipse(r);
      const double k = l.innerRatio;
      p.addEllipse(QRectF(r.center() - QPointF(r.width() * k / 2, r.height() * k / 2),
                          QSizeF(r.width() * k, r.height() * k)));
      p.setFillRule(Qt::OddEvenFill);
      break;
    }
    case ShapeKind::Line:
      p.moveTo(r.left(), r.center().y());
      p.lineTo(r.right(), r.center().y());
      break;
  }
  return p;
}

void blurImage(QImage& image, int radius) {
  if (radius < 1 || image.isNull()) return;
  const int w = image.width(), h = image.height();
  std::vector<uint32_t> line(std::max(w, h));
  auto pass = [&](uint32_t* data, int n, int stride) {
    for (int i = 0; i < n; ++i) line[i] = data[i * stride];
    int sum[4] = {0, 0, 0, 0};
    const int window = 2 * radius + 1;
    auto px = [&](int i) { return line[std::clamp(i, 0, n - 1)]; };
    auto add = [&](uint32_t v, int sign) {
      for (int c = 0; c < 4; ++c) sum[c] += sign * int((v >> (8 * c)) & 0xff);
    };
    for (int i = -radius; i <= radius; ++i) add(i < 0 || i >= n ? 0u : px(i), 1);
    for (int i = 0; i < n; ++i) {
      uint32_t out = 0;
      for (int c = 0; c < 4; ++c) out |= uint32_t(sum[c] / window) << (8 * c);
      data[i * stride] = out;
      const int leaving = i - radius, entering = i + radius + 1;
      add(leaving < 0 ? 0u : px(leaving), -1);
      add(entering >= n ? 0u : px(entering), 1);
    }
  };
  for (int round = 0; round < 3; ++round) {
    for (int y = 0; y < h; ++y) pass(reinterpret_cast<uint32_t*>(image.scanLine(y)), w, 1);
    auto* base = reinterpret_cast<uint32_t*>(image.bits());
    const int stride = int(image.bytesPerLine() / 4);
    for (int x = 0; x < w; ++x) pass(base + x, h, stride);
  }
}

QImage softShadow(const QPainterPath& outline, double blur, const QColor& color, double scale,
                  QRectF* placed) {
  // Shadows are soft, so a quarter of the resolution is plenty and keeps the blur cheap.
  const double s = std::max(0.05, scale * 0.25);
  const double pad = blur * 1.5 + 2;
  const QRectF area = outline.boundingRect().adjusted(-pad, -pad, pad, pad);
  QImage img(std::max(1, int(std::ceil(area.width() * s))),
             std::max(1, int(std::ceil(area.height() * s))), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.translate(-area.topLeft());
    p.fillPath(outline, QColor(color.red(), color.green(), color.blue()));
  }
  blurImage(img, std::max(1, int(std::lround(blur * s / 2))));
  *placed = QRectF(area.topLeft(), QSizeF(img.width() / s, img.height() / s));
  return img;
}

QImage glowSprite(const QColor& color, int pixels) {
  QImage img(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  QRadialGradient g(QPointF(pixels / 2.0, pixels / 2.0), pixels / 2.0);
  QColor c = color;
  g.setColorAt(0, c);
  c.setAlphaF(color.alphaF() * 0.45f);
  g.setColorAt(0.35, c);
  c.setAlphaF(color.alphaF() * 0.12f);
  g.setColorAt(0.7, c);
  c.setAlpha(0);
  g.setColorAt(1, c);
  p.fillRect(img.rect(), g);
  return img;
}

QImage particleSprite(ParticleStyle style, const QColor& color, int pixels) {
  pixels = std::max(4, pixels);
  QImage img(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = pixels;
  const QPointF c(s / 2, s / 2);
  switch (style) {
    case ParticleStyle::Petals: {
      QPainterPath petal;
      petal.moveTo(s * 0.5, s * 0.06);
      petal.cubicTo(s * 0.92, s * 0.2, s * 0.86, s * 0.78, s * 0.5, s * 0.94);
      petal.cubicTo(s * 0.14, s * 0.78, s * 0.08, s * 0.2, s * 0.5, s * 0.06);
      QLinearGradient g(0, 0, s, s);
      g.setColorAt(0, color.lighter(125));
      g.setColorAt(1, color.darker(112));
      p.fillPath(petal, g);
      break;
    }
    case ParticleStyle::Snow: {
      QRadialGradient g(c, s / 2);
      g.setColorAt(0, color);
      g.setColorAt(0.45, color);
      QColor edge = color;
      edge.setAlpha(0);
      g.setColorAt(1, edge);
      p.fillRect(img.rect(), g);
      break;
    }
    case ParticleStyle::Bokeh: {
      QRadialGradient g(c, s / 2);
      QColor inner = color, rim = color, edge = color;
      inner.setAlphaF(color.alphaF() * 0.35f);
      rim.setAlphaF(color.alphaF() * 0.6f);
      edge.setAlpha(0);
      g.setColorAt(0, inner);
      g.setColorAt(0.82, inner);
      g.setColorAt(0.92, rim);
      g.setColorAt(1, edge);
      p.fillRect(img.rect(), g);
      break;
    }
    case ParticleStyle::Sparkles: {
      QRadialGradient glow(c, s / 2);
      QColor halo = color, edge = color;
      halo.setAlphaF(color.alphaF() * 0.35f);
      edge.setAlpha(0);
      glow.setColorAt(0, halo);
      glow.setColorAt(1, edge);
      p.fillRect(img.rect(), glow);
      Layer star;
      star.box = QRectF(0, 0, s, s);
      star.shape = ShapeKind::Star;
      star.points = 4;
      star.innerRatio = 0.18;
      p.fillPath(shapePath(star), color);
      break;
    }
    case ParticleStyle::Hearts: {
      Layer heart;
      heart.box = QRectF(s * 0.08, s * 0.1, s * 0.84, s * 0.8);
      heart.shape = ShapeKind::Heart;
      p.fillPath(shapePath(heart), color);
      break;
    }
  }
  return img;
}

}  // namespace solvane
