#include "templates/movie_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include <QPainter>

#include "templates/layer_art.h"
#include "templates/mask_geometry.h"

namespace solvane {

namespace {

// Transparent margin around every sprite: edges then blend into nothing when a sprite is
// rotated or scaled, which keeps them smooth.
constexpr int kSpritePad = 2;
// Pre-scaled pictures never grow beyond this many pixels.
constexpr double kMaxSpritePixels = 9.0e6;

enum class Mode { Skip, Sprite, LivePicture, Solid, Glow, Particles };

struct Particle {
  QPointF origin;
  double speed = 1, phase = 0, twinkle = 0, size = 1, spinSign = 1;
  int sprite = 0;
};

// Deterministic per-particle numbers: the same seed gives the same snowfall every time.
class Hash {
 public:
  explicit Hash(uint32_t seed) : state_(seed * 2654435761u + 0x9e3779b9u) {}
  double next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xffffff) / double(0x1000000);
  }

 private:
  uint32_t state_;
};

double wrap(double v, double lo, double span) {
  double r = std::fmod(v - lo, span);
  if (r < 0) r += span;
  return lo + r;
}

// The largest size a layer is shown at, relative to its box, counting the camera.
double maxScaleOf(const Layer& l, const Camera& camera) {
  const Transform& t = l.transform;
  double s = std::abs(t.scale.maximum()) *
             std::max(std::abs(t.scaleX.maximum()), std::abs(t.scaleY.maximum()));
  for (const Move& m : t.moves)
    if (m.kind == MoveKind::Shrink) s *= 1.3;
  if (camera.present && l.parallax > 0) s *= 1 + (camera.zoom.maximum() - 1) * l.parallax;
  return std::clamp(s, 0.05, 2.5);
}

// Pixels per canvas unit for a sprite that is shown at most `maxScale` times its size,
// limited so that the sprite stays a reasonable size.
double spriteScale(double hostScale, double maxScale, QSizeF canvasSize) {
  double d = hostScale * std::max(1.0, maxScale);
  const double pixels = canvasSize.width() * canvasSize.height() * d * d;
  if (pixels > kMaxSpritePixels) d *= std::sqrt(kMaxSpritePixels / pixels);
  return d;
}

QImage transparentImage(QSize size) {
  QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

// An empty sprite covering `rect` (canvas units) at `d` pixels per unit, padded; the
// painter returned draws in canvas units.
struct SpriteCanvas {
  QImage image;
  QRectF rect;

  SpriteCanvas(const QRectF& content, double d) {
    const QSize px(int(std::ceil(content.width() * d)) + 2 * kSpritePad,
                   int(std::ceil(content.height() * d)) + 2 * kSpritePad);
    image = transparentImage(px);
    rect = QRectF(content.topLeft() - QPointF(kSpritePad / d, kSpritePad / d),
                  QSizeF(px.width() / d, px.height() / d));
  }
  void setup(QPainter& p) const {
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.scale(image.width() / rect.width(), image.height() / rect.height());
    p.translate(-rect.topLeft());
  }
};

QBrush fillBrush(const Layer& l) {
  if (l.stops.empty()) return QBrush(l.color);
  QGradientStops stops;
  for (const GradientStop& s : l.stops) stops.push_back({s.at, s.color});
  if (l.radial) {
    QRadialGradient g(l.from, std::hypot(l.to.x() - l.from.x(), l.to.y() - l.from.y()));
    g.setStops(stops);
    return QBrush(g);
  }
  QLinearGradient g(l.from, l.to);
  g.setStops(stops);
  return QBrush(g);
}

bool coversWholeMovie(const Layer& l, int frames) {
  return l.start == 0 && (l.end < 0 || l.end >= frames - 1);
}

}  // namespace

struct MovieRenderer::Item {
  const Layer* layer = nullptr;
  Mode mode = Mode::Skip;
  QImage sprite;
  QRectF spriteRect;
  QImage shadow;
  QRectF shadowRect;
  // Live pictures: content that zooms or pans inside its card every frame.
  QImage texture;
  QRectF content;
  QPainterPath outline;
  QPainterPath ring;
  double zoomMax = 1;
  // Particles
  std::vector<QImage> sprites;
  std::vector<Particle> particles;
  double spriteCanvas = 1;
  QRectF bounds;  // untransformed canvas extent, for soft masks
  bool opaque = false;  // a picture without transparency

  // Can be painted once into the background: it has no mask, is drawn in every frame and
  // its transform stops changing in the first half of the movie.
  bool bakeable(int frames, const Camera& camera) const {
    return mode != Mode::Skip && mode != Mode::LivePicture && mode != Mode::Particles &&
           layer->mask.kind == MaskKind::None && coversWholeMovie(*layer, frames) &&
           layer->transform.settledFrom() <= frames / 2 &&
           (layer->parallax <= 0 || camera.still());
  }
};

MovieRenderer::MovieRenderer(Movie movie, const std::vector<QImage>& pictures, QSize hostSize)
    : movie_(std::move(movie)), host_(hostSize.expandedTo(QSize(16, 9))) {
  hostScale_ = QTransform::fromScale(host_.width() / kCanvasWidth, host_.height() / kCanvasHeight);
  prepare(pictures);
  bakeBackground();
  if (std::any_of(movie_.layers.begin(), movie_.layers.end(),
                  [](const Layer& l) { return maskIsSoft(l.mask); })) {
    // Touched now, so that the first wipe does not pay for fresh memory.
    scratch_ = QImage(host_, QImage::Format_ARGB32_Premultiplied);
    scratch_.fill(Qt::transparent);
  }
}

MovieRenderer::~MovieRenderer() = default;

void MovieRenderer::prepare(const std::vector<QImage>& pictures) {
  const double hs = std::max(host_.width() / kCanvasWidth, host_.height() / kCanvasHeight);
  items_.resize(movie_.layers.size());
  for (size_t i = 0; i < movie_.layers.size(); ++i) {
    const Layer& l = movie_.layers[i];
    Item& it = items_[i];
    it.layer = &l;
    it.bounds = l.box;
    const double maxScale = maxScaleOf(l, movie_.camera);
    switch (l.kind) {
      case LayerKind::Solid:
        it.mode = Mode::Solid;
        break;
      case LayerKind::Gradient: {
        SpriteCanvas c(l.box, spriteScale(hs, maxScale, l.box.size()));
        QPainter p(&c.image);
        c.setup(p);
        p.fillRect(l.box, fillBrush(l));
        p.end();
        it.sprite = c.image;
        it.spriteRect = c.rect;
        it.mode = Mode::Sprite;
        break;
      }
      case LayerKind::Shape: {
        const QPainterPath path = shapePath(l);
        const double half = l.stroke.width / 2 + 1;
        const QRectF extent = path.boundingRect().adjusted(-half, -half, half, half);
        SpriteCanvas c(extent, spriteScale(hs, maxScale, extent.size()));
        QPainter p(&c.image);
        c.setup(p);
        if (l.shape != ShapeKind::Line && (l.color.alpha() > 0 || !l.stops.empty()))
          p.fillPath(path, fillBrush(l));
        if (l.stroke.width > 0)
          p.strokePath(path, QPen(l.stroke.color, l.stroke.width, Qt::SolidLine, Qt::RoundCap,
                                  Qt::RoundJoin));
        p.end();
        it.sprite = c.image;
        it.spriteRect = c.rect;
        it.bounds = c.rect;
        it.mode = Mode::Sprite;
        break;
      }
      case LayerKind::Glow:
        // Made at the size it is shown, so that placing it needs no resampling.
        it.sprite = glowSprite(
            l.color, std::clamp(int(std::ceil(std::max(l.box.width(), l.box.height()) * hs *
                                              maxScale)),
                                16, 2048));
        it.spriteRect = l.box;
        it.mode = Mode::Glow;
        break;
      case LayerKind::Picture: {
        const QImage source =
            l.picture < int(pictures.size()) ? pictures[size_t(l.picture)] : QImage();
        if (source.isNull()) break;  // the place stays empty
        it.content = l.fit == PictureFit::Contain ? containRect(source.size(), l.box) : l.box;
        it.opaque = !source.hasAlphaChannel();
        const double bw = l.border.width;
        const QRectF card = it.content.adjusted(-bw, -bw, bw, bw + (bw > 0 ? l.borderBottom : 0));
        const QPainterPath cardPath = roundedRectPath(card, l.radius > 0 ? l.radius + bw : 0);
        it.bounds = card;
        // The opening picture must match the previous movie's last frame exactly at
        // frame 0, so it is kept at the host's own resolution.
        const double d = l.picture == 0 ? hs : spriteScale(hs, maxScale, card.size());
        if (l.shadow.present()) {
          it.shadow = softShadow(cardPath, l.shadow.blur, l.shadow.color, d, &it.shadowRect);
          it.bounds = it.bounds.united(it.shadowRect.translated(l.shadow.offset));
        }
        if (l.zoom.isConstant() && l.panX.isConstant() && l.panY.isConstant()) {
          // One picture holds shadow, border and photograph: a frame then places it once.
          const QRectF shadowArea = it.shadow.isNull()
                                        ? card
                                        : it.shadowRect.translated(l.shadow.offset).united(card);
          SpriteCanvas c(shadowArea, d);
          const QSize photoPx(std::max(1, int(std::lround(it.content.width() * d))),
                              std::max(1, int(std::lround(it.content.height() * d))));
          const QImage photo = coverPicture(source, photoPx, l.zoom.at(0), l.panX.at(0), l.panY.at(0));
          QPainter p(&c.image);
          c.setup(p);
          if (!it.shadow.isNull()) {
            p.setOpacity(l.shadow.opacity);
            p.drawImage(it.shadowRect.translated(l.shadow.offset), it.shadow);
            p.setOpacity(1);
            it.shadow = QImage();
          }
          if (bw > 0) p.fillPath(cardPath, l.border.color);
          QBrush brush(photo);
          brush.setTransform(QTransform::fromScale(it.content.width() / photo.width(),
                                                   it.content.height() / photo.height()) *
                             QTransform::fromTranslate(it.content.left(), it.content.top()));
          if (l.radius > 0 || bw > 0)
            p.fillPath(roundedRectPath(it.content, l.radius), brush);
          else
            p.drawImage(it.content, photo);
          p.end();
          it.sprite = c.image;
          it.spriteRect = c.rect;
          it.mode = Mode::Sprite;
        } else {
          it.zoomMax = std::max(1.0, l.zoom.maximum());
          const double dz = spriteScale(d, it.zoomMax, it.content.size());
          // An opaque photograph stays opaque: Qt then copies its pixels instead of blending.
          it.texture = coverScaledWhole(source, it.content.size() * dz)
                           .convertToFormat(it.opaque ? QImage::Format_RGB32
                                                      : QImage::Format_ARGB32_Premultiplied);
          it.outline = roundedRectPath(it.content, l.radius);
          if (bw > 0) {
            it.ring = cardPath;
            it.ring.addPath(it.outline);
            it.ring.setFillRule(Qt::OddEvenFill);
          }
          it.mode = Mode::LivePicture;
        }
        break;
      }
      case LayerKind::Particles: {
        const std::vector<QColor> colors = l.colors.empty() ? std::vector<QColor>{l.color} : l.colors;
        const int px = int(std::ceil(l.sizeMax * hs * std::max(1.0, maxScale))) + 2;
        for (const QColor& c : colors) it.sprites.push_back(particleSprite(l.style, c, px));
        it.spriteCanvas = px / hs;
        Hash h(l.seed);
        for (int k = 0; k < l.count; ++k) {
          Particle pt;
          pt.origin = QPointF(l.box.left() + h.next() * l.box.width(),
                              l.box.top() + h.next() * l.box.height());
          pt.speed = 0.6 + 0.8 * h.next();
          pt.phase = h.next() * 2 * std::numbers::pi;
          pt.twinkle = h.next() * 2 * std::numbers::pi;
          pt.size = l.sizeMin + (l.sizeMax - l.sizeMin) * h.next();
          pt.spinSign = h.next() < 0.5 ? -1 : 1;
          pt.sprite = int(h.next() * double(colors.size())) % int(colors.size());
          it.particles.push_back(pt);
        }
        it.bounds = l.box.adjusted(-l.sizeMax, -l.sizeMax, l.sizeMax, l.sizeMax);
        it.mode = Mode::Particles;
        break;
      }
    }
  }
}

namespace {

// Layer -> canvas through the layer's pose, then canvas -> picture through the camera.
QTransform layerTransform(const Layer& l, const Camera& camera, const Pose& pose, double f) {
  const Transform& tr = l.transform;
  const QPointF a(l.box.left() + tr.anchor.x() * l.box.width(),
                  l.box.top() + tr.anchor.y() * l.box.height());
  QTransform t;
  t.translate(a.x() + pose.x, a.y() + pose.y);
  if (pose.turn != 0) t.rotate(pose.turn, Qt::YAxis);
  if (pose.rotation != 0) t.rotate(pose.rotation);
  t.scale(pose.scale * pose.scaleX, pose.scale * pose.scaleY);
  t.translate(-a.x(), -a.y());
  return l.parallax > 0 && camera.present ? t * camera.view(f, l.parallax) : t;
}

// Draws `image` over `rect` (canvas units) under `t`, limited to `clip` when given.
void placeImage(QPainter& p, const QTransform& host, const QImage& image, const QRectF& rect,
                const QTransform& t, const QPainterPath* clip) {
  if (!clip) {
    // Every placed picture has a transparent margin, so its edges come out smooth from the
    // filtering alone; antialiasing the outline of its rectangle as well only costs time.
    const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setTransform(t * host);
    p.drawImage(rect, image);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
    return;
  }
  QPainterPath area;
  area.addRect(rect);
  area = t.map(area).intersected(*clip);
  if (area.isEmpty()) return;
  QBrush brush(image);
  brush.setTransform(QTransform::fromScale(rect.width() / image.width(),
                                           rect.height() / image.height()) *
                     QTransform::fromTranslate(rect.left(), rect.top()) * t);
  p.setTransform(host);
  p.setPen(Qt::NoPen);
  p.fillPath(area, brush);
}

void fillArea(QPainter& p, const QTransform& host, const QPainterPath& path, const QBrush& brush,
              const QTransform& t, const QPainterPath* clip) {
  p.setTransform(host);
  const QPainterPath area = clip ? t.map(path).intersected(*clip) : t.map(path);
  p.fillPath(area, brush);
}

}  // namespace

void MovieRenderer::bakeBackground() {
  background_ = QImage(host_, QImage::Format_RGB32);
  background_.fill(Qt::black);
  // The bottom layers that stop changing early are painted once, as they look once they
  // have settled; frames before that paint them live.
  firstLive_ = 0;
  bakeFrame_ = 0;
  while (firstLive_ < items_.size() && (items_[firstLive_].mode == Mode::Skip ||
                                        items_[firstLive_].bakeable(movie_.frames, movie_.camera))) {
    if (items_[firstLive_].mode != Mode::Skip) {
      const Layer& l = *items_[firstLive_].layer;
      bakeFrame_ = std::max(bakeFrame_, l.transform.settledFrom());
      if (l.parallax > 0) bakeFrame_ = std::max(bakeFrame_, movie_.camera.settledFrom());
    }
    ++firstLive_;
  }
  QPainter p(&background_);
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  for (size_t i = 0; i < firstLive_; ++i) {
    const Item& it = items_[i];
    if (it.mode == Mode::Skip) continue;
    const Pose pose = it.layer->transform.pose(bakeFrame_);
    const double opacity = std::clamp(pose.opacity, 0.0, 1.0);
    if (opacity > 0)
      drawItem(p, it, bakeFrame_, layerTransform(*it.layer, movie_.camera, pose, bakeFrame_),
               opacity, nullptr);
  }
}

void MovieRenderer::drawItem(QPainter& p, const Item& it, int frame, const QTransform& t,
                             double opacity, const QPainterPath* clip) const {
  const Layer& l = *it.layer;
  p.setOpacity(opacity);
  if (!it.shadow.isNull()) {
    p.setOpacity(opacity * l.shadow.opacity);
    placeImage(p, hostScale_, it.shadow, it.shadowRect,
               t * QTransform::fromTranslate(l.shadow.offset.x(), l.shadow.offset.y()), clip);
    p.setOpacity(opacity);
  }
  switch (it.mode) {
    case Mode::Skip: break;
    case Mode::Sprite: placeImage(p, hostScale_, it.sprite, it.spriteRect, t, clip); break;
    case Mode::Glow:
      p.setCompositionMode(QPainter::CompositionMode_Plus);
      placeImage(p, hostScale_, it.sprite, it.spriteRect, t, clip);
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    case Mode::Solid: {
      QPainterPath box;
      box.addRect(l.box);
      fillArea(p, hostScale_, box, l.color, t, clip);
      break;
    }
    case Mode::LivePicture: {
      const double z = std::max(1.0, l.zoom.at(frame));
      // Texture pixels -> canvas units, so that the texture covers content x z.
      const double k = it.content.width() * z / it.texture.width() >
                               it.content.height() * z / it.texture.height()
                           ? it.content.width() * z / it.texture.width()
                           : it.content.height() * z / it.texture.height();
      const QSizeF shown(it.texture.width() * k, it.texture.height() * k);
      const double px = std::clamp(l.panX.at(frame), -1.0, 1.0);
      const double py = std::clamp(l.panY.at(frame), -1.0, 1.0);
      const QPointF topLeft(
          it.content.left() - (shown.width() - it.content.width()) * (0.5 + 0.5 * px),
          it.content.top() - (shown.height() - it.content.height()) * (0.5 + 0.5 * py));
      QBrush brush(it.texture);
      brush.setTransform(QTransform::fromScale(k, k) *
                         QTransform::fromTranslate(topLeft.x(), topLeft.y()) * t);
      if (!clip && t.type() <= QTransform::TxScale) {
        // Qt's scaled-picture path is much quicker than a texture fill, so the picture is
        // placed with it piece by piece; only rounded corners need the texture fill.
        const QRectF source((it.content.topLeft() - topLeft) / k, it.content.size() / k);
        const QRectF& c = it.content;
        const double r = std::min({l.radius, c.width() / 2, c.height() / 2});
        auto piece = [&](const QRectF& area, bool corner) {
          p.save();
          p.setTransform(t * hostScale_);
          p.setClipRect(area, Qt::IntersectClip);
          if (corner)
            fillArea(p, hostScale_, it.outline, brush, t, nullptr);
          else
            p.drawImage(c, it.texture, source);
          p.restore();
        };
        if (r <= 0) {
          p.setTransform(t * hostScale_);
          p.drawImage(c, it.texture, source);
        } else {
          piece(QRectF(c.left(), c.top() + r, c.width(), c.height() - 2 * r), false);
          piece(QRectF(c.left() + r, c.top(), c.width() - 2 * r, r), false);
          piece(QRectF(c.left() + r, c.bottom() - r, c.width() - 2 * r, r), false);
          for (QPointF corner : {c.topLeft(), QPointF(c.right() - r, c.top()),
                                 QPointF(c.left(), c.bottom() - r), c.bottomRight() - QPointF(r, r)})
            piece(QRectF(corner, QSizeF(r, r)), true);
        }
      } else {
        fillArea(p, hostScale_, it.outline, brush, t, clip);
      }
      if (!it.ring.isEmpty()) fillArea(p, hostScale_, it.ring, l.border.color, t, clip);
      break;
    }
    case Mode::Particles: {
      const double f = frame;
      const double margin = l.sizeMax * 2;
      const QRectF area = l.box.adjusted(-margin, -margin, margin, margin);
      for (const Particle& pt : it.particles) {
        const double x = wrap(pt.origin.x() + l.velocity.x() * pt.speed * f +
                                  l.sway * std::sin(f * 0.045 * pt.speed + pt.phase),
                              area.left(), area.width());
        const double y = wrap(pt.origin.y() + l.velocity.y() * pt.speed * f +
                                  l.sway * 0.35 * std::cos(f * 0.037 * pt.speed + pt.phase),
                              area.top(), area.height());
        double alpha = 1, flatten = 1;
        if (l.style == ParticleStyle::Bokeh || l.style == ParticleStyle::Sparkles)
          alpha = 0.5 + 0.5 * std::sin(f * 0.09 * pt.speed + pt.twinkle);
        if (l.style == ParticleStyle::Petals || l.style == ParticleStyle::Hearts)
          flatten = 0.35 + 0.65 * std::abs(std::cos(f * 0.05 * pt.speed + pt.twinkle));
        if (alpha <= 0.02) continue;
        const double s = pt.size / it.spriteCanvas;
        QTransform m;
        m.translate(x, y);
        // Round particles look the same at any angle; leaving them unturned is cheaper.
        if (l.style != ParticleStyle::Bokeh && l.style != ParticleStyle::Snow)
          m.rotate(pt.phase * 57.3 + l.spin * pt.speed * pt.spinSign * f);
        m.scale(s * flatten, s);
        p.setOpacity(opacity * alpha);
        const double half = it.spriteCanvas / 2;
        placeImage(p, hostScale_, it.sprites[size_t(pt.sprite)],
                   QRectF(-half, -half, it.spriteCanvas, it.spriteCanvas), m * t, clip);
      }
      break;
    }
  }
}

void MovieRenderer::drawSoftMasked(QPainter& p, const Item& it, int frame, const QTransform& t,
                                   double opacity) const {
  // The fully shown part is drawn directly; only the soft band goes through the scratch
  // picture, where the ramp is applied.
  const Mask& mask = it.layer->mask;
  const double progress = mask.progress.at(frame);
  const SoftSplit split = softLinearSplit(mask, progress);
  if (!split.solid.isEmpty()) drawItem(p, it, frame, t, opacity, &split.solid);

  const QRect region = (t * hostScale_).mapRect(it.bounds).toAlignedRect().adjusted(-2, -2, 2, 2) &
                       hostScale_.mapRect(split.band.boundingRect()).toAlignedRect() &
                       QRect(QPoint(0, 0), host_);
  if (region.isEmpty()) return;
  {
    QPainter s(&scratch_);
    s.setCompositionMode(QPainter::CompositionMode_Source);
    s.fillRect(region, Qt::transparent);
    s.setCompositionMode(QPainter::CompositionMode_SourceOver);
    s.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    s.setClipRect(region);
    drawItem(s, it, frame, t, 1.0, &split.band);
    s.setOpacity(1);
    s.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    s.setTransform(QTransform());
    QBrush ramp(softLinearGradient(mask, progress));
    ramp.setTransform(hostScale_);
    s.fillRect(region, ramp);
  }
  p.setTransform(QTransform());
  p.setOpacity(opacity);
  p.drawImage(region.topLeft(), scratch_, region);
}

// True when the item paints every pixel of the canvas opaquely at this frame, so nothing
// below it needs painting (the opening picture at the start of every movie).
bool MovieRenderer::coversCanvas(const Item& it, int frame) const {
  const Layer& l = *it.layer;
  // A zooming photograph fills its box at every zoom, so it covers as well as a still one.
  if ((it.mode != Mode::Sprite && it.mode != Mode::LivePicture) || l.kind != LayerKind::Picture ||
      !it.opaque || !l.drawnAt(frame))
    return false;
  if (it.content != QRectF(0, 0, kCanvasWidth, kCanvasHeight) || l.radius > 0) return false;
  if (l.mask.kind != MaskKind::None && !(l.mask.invert && l.mask.progress.at(frame) <= 0))
    return false;
  if (l.parallax > 0 && !movie_.camera.view(frame, l.parallax).isIdentity()) return false;
  const Pose t = l.transform.pose(frame);
  return t.opacity >= 1 && t.x == 0 && t.y == 0 && t.scale == 1 && t.scaleX == 1 &&
         t.scaleY == 1 && t.rotation == 0 && t.turn == 0;
}

void MovieRenderer::render(int frame, double fade, QImage& target) const {
  frame = std::clamp(frame, 0, std::max(0, movie_.frames - 1));
  const bool baked = frame >= bakeFrame_;
  size_t first = baked ? firstLive_ : 0;
  bool covered = false;
  for (size_t i = items_.size(); i-- > first;)
    if (coversCanvas(items_[i], frame)) {
      first = i;
      covered = true;
      break;
    }
  if (covered) {
    // every pixel is painted over opaquely: nothing to clear or copy
  } else if (!baked) {
    target.fill(Qt::black);
  } else if (target.size() == background_.size() && target.format() == background_.format()) {
    std::memcpy(target.bits(), background_.constBits(), size_t(background_.sizeInBytes()));
  } else {
    QPainter copy(&target);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(0, 0, background_);
  }
  QPainter p(&target);
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  p.setPen(Qt::NoPen);
  for (size_t i = first; i < items_.size(); ++i) {
    const Item& it = items_[i];
    const Layer& l = *it.layer;
    if (it.mode == Mode::Skip || !l.drawnAt(frame)) continue;
    const Pose pose = l.transform.pose(frame);
    const double opacity = std::clamp(pose.opacity, 0.0, 1.0);
    if (opacity <= 0.001) continue;
    const QTransform t = layerTransform(l, movie_.camera, pose, frame);
    // A mask that shows all or nothing costs nothing.
    const double progress = std::clamp(l.mask.progress.at(frame), 0.0, 1.0);
    const bool hidesNothing = l.mask.kind == MaskKind::None ||
                              (l.mask.invert ? progress <= 0 : progress >= 1);
    const bool hidesAll = l.mask.kind != MaskKind::None &&
                          (l.mask.invert ? progress >= 1 : progress <= 0);
    if (hidesAll) continue;
    if (hidesNothing) {
      drawItem(p, it, frame, t, opacity, nullptr);
    } else if (maskIsSoft(l.mask)) {
      drawSoftMasked(p, it, frame, t, opacity);
    } else {
      const QPainterPath region = maskRegion(l.mask, progress);
      if (!region.isEmpty()) drawItem(p, it, frame, t, opacity, &region);
    }
  }
  if (fade > 0) {
    p.setTransform(QTransform());
    p.setOpacity(std::clamp(fade, 0.0, 1.0));
    p.fillRect(target.rect(), Qt::black);
  }
}

}  // namespace solvane
