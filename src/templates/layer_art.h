#pragma once
// Pictures made once when a movie loads, so that painting a frame only places them:
// photographs pre-scaled to the size they are shown at, shapes, soft shadows and the
// sprites of particles and glows.
#include <QImage>
#include <QPainterPath>
#include <QRectF>

#include "templates/movie_model.h"

namespace solvane {

// `source` scaled with area averaging so that it covers `pixels` exactly (centred crop),
// shown zoomed by `zoom` (>= 1) and panned by (panX, panY) in -1 ... 1 of the spare room.
QImage coverPicture(const QImage& source, QSize pixels, double zoom = 1, double panX = 0,
                    double panY = 0);

// `source` scaled with area averaging to cover `pixels` (keeping its aspect), uncropped.
QImage coverScaledWhole(const QImage& source, QSizeF pixels);

// The box a picture of `pictureSize` takes inside `box` when it must fit without cropping.
QRectF containRect(QSizeF pictureSize, const QRectF& box);

// Outline of a shape layer in canvas coordinates (its untransformed box).
QPainterPath shapePath(const Layer& layer);

// A rounded rectangle, or a plain one for radius 0.
QPainterPath roundedRectPath(const QRectF& rect, double radius);

// The silhouette of `outline` (canvas coordinates) in `color`, blurred by `blur` canvas
// pixels, drawn at `scale` device pixels per canvas pixel. `placed` receives the canvas
// rectangle the picture covers.
QImage softShadow(const QPainterPath& outline, double blur, const QColor& color, double scale,
                  QRectF* placed);

// Particle and glow sprites: `pixels` wide and high, centred, premultiplied ARGB.
QImage particleSprite(ParticleStyle style, const QColor& color, int pixels);
QImage glowSprite(const QColor& color, int pixels);

// In-place box blur of a premultiplied ARGB picture (three passes approximate a Gaussian).
void blurImage(QImage& image, int radius);

}  // namespace solvane
