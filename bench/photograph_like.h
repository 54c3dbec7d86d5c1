#pragma once
// Generated photographs for the benchmarks: soft shapes and gradients with sensor-like noise,
// so they compress and decode like real photographs (a smooth gradient decodes many times
// faster than anything a camera writes).
#include <algorithm>
#include <random>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace solvane::bench {

inline QImage photographLike(int width, int height, unsigned seed) {
  std::mt19937 rng(seed);
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor::fromHsv(rng() % 360, 80, 230));
  sky.setColorAt(1, QColor::fromHsv(rng() % 360, 140, 90));
  p.fillRect(img.rect(), sky);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const int r = 80 + rng() % 700;
    const QPointF c(rng() % width, rng() % height);
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor::fromHsv(rng() % 360, 60 + rng() % 160, 60 + rng() % 190));
    g.setColorAt(1, QColor::fromHsv(rng() % 360, 60 + rng() % 160, 40 + rng() % 150, 0));
    p.setBrush(g);
    p.drawEllipse(c, r, r * (0.4 + (rng() % 100) / 80.0));
  }
  p.end();
  unsigned state = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const int n = static_cast<int>((state >> 24) % 25) - 12;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                     std::clamp(qBlue(c) + n, 0, 255));
    }
  }
  return img;
}

}  // namespace solvane::bench
