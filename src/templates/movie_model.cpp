#include "templates/movie_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include <nlohmann/json.hpp>

#include "model/error.h"

namespace solvane {

using json = nlohmann::json;

// ---------------------------------------------------------------- animation

double ease(Easing easing, double t) {
  t = std::clamp(t, 0.0, 1.0);
  switch (easing) {
    case Easing::Linear: return t;
    case Easing::In: return t * t * t;
    case Easing::Out: return 1 - std::pow(1 - t, 3);
    case Easing::InOut: return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
    case Easing::OutBack: {
      const double c1 = 1.70158, c3 = c1 + 1;
      return 1 + c3 * std::pow(t - 1, 3) + c1 * std::pow(t - 1, 2);
    }
    case Easing::InOutSine: return -(std::cos(std::numbers::pi * t) - 1) / 2;
    case Easing::Hold: return t < 1 ? 0 : 1;
  }
  return t;
}

Animated::Animated(std::vector<Key> keys) : keys_(std::move(keys)) {
  std::stable_sort(keys_.begin(), keys_.end(),
                   [](const Key& a, const Key& b) { return a.frame < b.frame; });
}

double Animated::at(double frame) const {
  if (keys_.empty()) return 0;
  if (frame <= keys_.front().frame) return keys_.front().value;
  if (frame >= keys_.back().frame) return keys_.back().value;
  const auto next = std::upper_bound(keys_.begin(), keys_.end(), frame,
                                     [](double f, const Key& k) { return f < k.frame; });
  const Key& b = *next;
  const Key& a = *(next - 1);
  const double span = b.frame - a.frame;
  const double t = span > 0 ? (frame - a.frame) / span : 1;
  return a.value + (b.value - a.value) * ease(b.easing, t);
}

bool Animated::isConstant() const {
  return std::all_of(keys_.begin(), keys_.end(),
                     [&](const Key& k) { return k.value == keys_.front().value; });
}

int Animated::settledFrom() const {
  // Key frames may lie far beyond any movie; the cast must stay inside int.
  return isConstant() ? 0 : int(std::clamp(std::ceil(keys_.back().frame), -1e9, 1e9));
}

double Animated::minimum() const {
  double m = keys_.empty() ? 0 : keys_.front().value;
  for (const Key& k : keys_) m = std::min(m, k.value);
  // OutBack overshoots by up to ~10 % of a stretch; a little headroom covers it.
  return m;
}

double Animated::maximum() const {
  double m = keys_.empty() ? 0 : keys_.front().value;
  for (const Key& k : keys_) m = std::max(m, k.value);
  return m;
}

namespace {

// The away pose of a move, laid over the layer's own pose with weight 1 - u.
void applyMove(const Move& m, double u, Pose& p) {
  const double away = 1 - u;
  // Everything but a flip fades over the first part of the way in, so that nothing pops.
  const double seen = m.kind == MoveKind::Flip ? 1 : std::clamp(u / 0.4, 0.0, 1.0);
  auto travel = [&](double fallback) { return (m.distance > 0 ? m.distance : fallback) * away; };
  switch (m.kind) {
    case MoveKind::Fade: p.opacity *= std::clamp(u, 0.0, 1.0); return;
    case MoveKind::Rise: p.y += travel(220); break;
    case MoveKind::Drop: p.y -= travel(260); break;
    case MoveKind::Left: p.x -= travel(520); break;
    case MoveKind::Right: p.x += travel(520); break;
    case MoveKind::Grow: p.scale *= 1 - 0.4 * away; break;
    case MoveKind::Shrink: p.scale *= 1 + 0.3 * away; break;
    case MoveKind::Flip: p.turn += (m.leaving ? -90 : 90) * away; break;
    case MoveKind::Spin:
      p.rotation += (m.leaving ? 100 : -100) * away;
      p.scale *= 1 - 0.7 * away;
      break;
  }
  p.opacity *= seen;
}

}  // namespace

Pose Transform::pose(double f) const {
  Pose p{x.at(f), y.at(f), scale.at(f), scaleX.at(f), scaleY.at(f),
         rotation.at(f), turn.at(f), opacity.at(f)};
  for (const Move& m : moves) {
    const double t = std::clamp((f - m.at) / m.length, 0.0, 1.0);
    const double eased = ease(m.easing, t);
    // An entrance arrives at rest (u = 1); an exit starts there and goes away.
    applyMove(m, m.leaving ? 1 - eased : eased, p);
  }
  return p;
}

int Transform::settledFrom() const {
  int settled = std::max({x.settledFrom(), y.settledFrom(), scale.settledFrom(),
                          scaleX.settledFrom(), scaleY.settledFrom(), rotation.settledFrom(),
                          turn.settledFrom(), opacity.settledFrom()});
  for (const Move& m : moves) settled = std::max(settled, int(std::ceil(m.at + m.length)));
  return settled;
}

QTransform Camera::view(double frame, double parallax) const {
  if (!present || parallax <= 0) return {};
  const double z = 1 + (zoom.at(frame) - 1) * parallax;
  const double cx = kCanvasWidth / 2 + (x.at(frame) - kCanvasWidth / 2) * parallax;
  const double cy = kCanvasHeight / 2 + (y.at(frame) - kCanvasHeight / 2) * parallax;
  QTransform t;
  t.translate(kCanvasWidth / 2, kCanvasHeight / 2);
  t.scale(z, z);
  t.translate(-cx, -cy);
  return t;
}

int Camera::settledFrom() const {
  return present ? std::max({x.settledFrom(), y.settledFrom(), zoom.settledFrom()}) : 0;
}


// ---------------------------------------------------------------- movie queries

std::vector<int> Movie::slots() const {
  std::vector<int> out;
  for (const Layer& l : layers)
    if (l.kind == LayerKind::Picture && l.picture > 0) out.push_back(l.picture);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool Movie::usesOpeningPicture() const {
  return std::any_of(layers.begin(), layers.end(), [](const Layer& l) {
    return l.kind == LayerKind::Picture && l.picture == 0;
  });
}

int Movie::handoverEnd() const {
  int last = 0;
  for (const Layer& l : layers)
    if (l.kind == LayerKind::Picture && l.picture == 0)
      last = std::max(last, l.end < 0 ? frames - 1 : l.end);
  return last;
}

const Layer* Movie::slotLayer(int k) const {
  for (const Layer& l : layers)
    if (l.kind == LayerKind::Picture && l.picture == k) return &l;
  return nullptr;
}

// ---------------------------------------------------------------- parsing

namespace {

// Carries the file name and the place inside the document into every message.
struct Reader {
  QString what;
  QString place;

  [[noreturn]] void fail(const QString& reason) const {
    throw Error(QStringLiteral("%1: %2%3").arg(what, place.isEmpty() ? QString() : place + ": ",
                                               reason));
  }

  double number(const json& v, const char* name) const {
    if (!v.is_number()) fail(QStringLiteral("\"%1\" must be a number").arg(name));
    const double d = v.get<double>();
    if (!std::isfinite(d)) fail(QStringLiteral("\"%1\" is not finite").arg(name));
    return d;
  }

  double number(const json& obj, const char* name, double fallback) const {
    return obj.contains(name) ? number(obj.at(name), name) : fallback;
  }

  // A number used as a count or a frame: clamped into int range before the cast, so that
  // 1e300 reads as a very large number (and is then refused or clamped by its reader).
  int whole(const json& obj, const char* name, int fallback) const {
    return int(std::clamp(number(obj, name, fallback), -2e9, 2e9));
  }

  QString text(const json& obj, const char* name, const QString& fallback = QString()) const {
    if (!obj.contains(name)) return fallback;
    if (!obj.at(name).is_string()) fail(QStringLiteral("\"%1\" must be text").arg(name));
    return QString::fromStdString(obj.at(name).get<std::string>());
  }

  bool flag(const json& obj, const char* name, bool fallback) const {
    if (!obj.contains(name)) return fallback;
    if (!obj.at(name).is_boolean()) fail(QStringLiteral("\"%1\" must be true or false").arg(name));
    return obj.at(name).get<bool>();
  }

  QColor color(const json& v, const char* name) const {
    if (!v.is_string()) fail(QStringLiteral("\"%1\" must be a colour text").arg(name));
    const QString s = QString::fromStdString(v.get<std::string>());
    // "#rrggbb" or "#rrggbbaa"
    bool ok = s.startsWith('#') && (s.size() == 7 || s.size() == 9);
    const uint rgb = ok ? s.mid(1, 6).toUInt(&ok, 16) : 0;
    bool okAlpha = true;
    const uint alpha = s.size() == 9 ? s.mid(7, 2).toUInt(&okAlpha, 16) : 255;
    if (!ok || !okAlpha) fail(QStringLiteral("\"%1\" is not a colour: %2").arg(name, s));
    QColor c(QRgb(rgb | 0xff000000u));
    c.setAlpha(int(alpha));
    return c;
  }

  QColor color(const json& obj, const char* name, QColor fallback) const {
    return obj.contains(name) ? color(obj.at(name), name) : fallback;
  }

  QPointF point(const json& obj, const char* name, QPointF fallback) const {
    if (!obj.contains(name)) return fallback;
    const json& v = obj.at(name);
    if (!v.is_array() || v.size() != 2) fail(QStringLiteral("\"%1\" must be [x, y]").arg(name));
    return {number(v[0], name), number(v[1], name)};
  }

  QRectF rect(const json& obj, const char* name, QRectF fallback) const {
    if (!obj.contains(name)) return fallback;
    const json& v = obj.at(name);
    if (!v.is_array() || v.size() != 4)
      fail(QStringLiteral("\"%1\" must be [x, y, width, height]").arg(name));
    const QRectF r(number(v[0], name), number(v[1], name), number(v[2], name),
                   number(v[3], name));
    if (r.width() <= 0 || r.height() <= 0)
      fail(QStringLiteral("\"%1\" must have a positive size").arg(name));
    return r;
  }

  Easing easing(const json& v) const {
    static const std::map<std::string, Easing> names = {
        {"linear", Easing::Linear}, {"in", Easing::In},          {"out", Easing::Out},
        {"inout", Easing::InOut},   {"outback", Easing::OutBack}, {"sine", Easing::InOutSine},
        {"hold", Easing::Hold}};
    if (!v.is_string()) fail("an easing must be text");
    const auto it = names.find(v.get<std::string>());
    if (it == names.end())
      fail(QStringLiteral("unknown easing \"%1\"").arg(QString::fromStdString(v.get<std::string>())));
    return it->second;
  }

  // A number, or key frames [[frame, value], [frame, value, "easing"], ...].
  Animated animated(const json& obj, const char* name, double fallback) const {
    if (!obj.contains(name)) return Animated(fallback);
    const json& v = obj.at(name);
    if (v.is_number()) return Animated(number(v, name));
    if (!v.is_array() || v.empty())
      fail(QStringLiteral("\"%1\" must be a number or a list of key frames").arg(name));
    std::vector<Animated::Key> keys;
    for (const json& k : v) {
      if (!k.is_array() || k.size() < 2 || k.size() > 3)
        fail(QStringLiteral("a key frame of \"%1\" must be [frame, value] or [frame, value, "
                            "\"easing\"]").arg(name));
      Animated::Key key{number(k[0], name), number(k[1], name), Easing::InOut};
      if (k.size() == 3) key.easing = easing(k[2]);
      keys.push_back(key);
    }
    return Animated(std::move(keys));
  }

  template <typename E>
  E choice(const json& obj, const char* name, const std::map<std::string, E>& names,
           E fallback) const {
    if (!obj.contains(name)) return fallback;
    const json& v = obj.at(name);
    if (v.is_string()) {
      const auto it = names.find(v.get<std::string>());
      if (it != names.end()) return it->second;
    }
    const std::string shown = v.is_string() ? v.get<std::string>() : v.dump();
    fail(QStringLiteral("unknown %1 \"%2\"").arg(name, QString::fromStdString(shown)));
  }
};

Transform readTransform(const Reader& r, const json& o) {
  Transform t;
  t.x = r.animated(o, "x", 0);
  t.y = r.animated(o, "y", 0);
  t.scale = r.animated(o, "scale", 1);
  t.scaleX = r.animated(o, "scale_x", 1);
  t.scaleY = r.animated(o, "scale_y", 1);
  t.rotation = r.animated(o, "rotation", 0);
  t.turn = r.animated(o, "turn", 0);
  t.opacity = r.animated(o, "opacity", 1);
  t.anchor = r.point(o, "anchor", {0.5, 0.5});
  for (const char* name : {"enter", "leave"}) {
    if (!o.contains(name)) continue;
    const json& mo = o.at(name);
    if (!mo.is_object()) r.fail(QStringLiteral("\"%1\" must be an object").arg(name));
    static const std::map<std::string, MoveKind> kinds = {
        {"fade", MoveKind::Fade},   {"rise", MoveKind::Rise},     {"drop", MoveKind::Drop},
        {"left", MoveKind::Left},   {"right", MoveKind::Right},   {"grow", MoveKind::Grow},
        {"shrink", MoveKind::Shrink}, {"flip", MoveKind::Flip},   {"spin", MoveKind::Spin}};
    Move m;
    m.leaving = name[0] == 'l';
    if (!mo.contains("move")) r.fail(QStringLiteral("\"%1\" needs a \"move\"").arg(name));
    m.kind = r.choice(mo, "move", kinds, MoveKind::Fade);
    m.at = r.number(mo, "at", 0);
    m.length = r.number(mo, "length", 20);
    if (m.length < 1) r.fail(QStringLiteral("\"%1\" must last at least one frame").arg(name));
    m.easing = mo.contains("easing") ? r.easing(mo.at("easing"))
                                     : (m.leaving ? Easing::In : Easing::Out);
    m.distance = std::max(0.0, r.number(mo, "distance", 0));
    t.moves.push_back(m);
  }
  if (t.moves.size() == 2 && t.moves[0].at + t.moves[0].length > t.moves[1].at)
    r.fail("\"leave\" begins before \"enter\" has ended");
  return t;
}

// The camera may magnify and travel, but never so far that the picture shows past the edge
// of the canvas: full-canvas backgrounds then always fill the frame.
Camera readCamera(const Reader& r, const json& doc, int frames) {
  Camera c;
  if (!doc.contains("camera")) return c;
  const json& co = doc.at("camera");
  if (!co.is_object()) r.fail("\"camera\" must be an object");
  c.present = true;
  c.x = r.animated(co, "x", kCanvasWidth / 2);
  c.y = r.animated(co, "y", kCanvasHeight / 2);
  c.zoom = r.animated(co, "zoom", 1);
  for (int f = 0; f < frames; ++f) {
    const double z = c.zoom.at(f);
    if (z < 1) r.fail(QStringLiteral("camera: \"zoom\" below 1 at frame %1 would show past the canvas").arg(f));
    const double spareX = kCanvasWidth / 2 * (1 - 1 / z) + 0.5;
    const double spareY = kCanvasHeight / 2 * (1 - 1 / z) + 0.5;
    if (std::abs(c.x.at(f) - kCanvasWidth / 2) > spareX ||
        std::abs(c.y.at(f) - kCanvasHeight / 2) > spareY)
      r.fail(QStringLiteral("camera: the view passes the canvas edge at frame %1").arg(f));
  }
  return c;
}

Mask readMask(const Reader& r, const json& o) {
  Mask m;
  if (!o.contains("mask")) return m;
  const json& mo = o.at("mask");
  if (!mo.is_object()) r.fail("\"mask\" must be an object");
  static const std::map<std::string, MaskKind> kinds = {
      {"linear", MaskKind::Linear}, {"iris", MaskKind::Iris},   {"blinds", MaskKind::Blinds},
      {"split", MaskKind::Split},   {"clock", MaskKind::Clock}, {"box", MaskKind::Box}};
  m.kind = r.choice(mo, "kind", kinds, MaskKind::None);
  if (m.kind == MaskKind::None) r.fail("a mask needs a \"kind\"");
  m.progress = r.animated(mo, "progress", 1);
  m.angle = r.number(mo, "angle", 0);
  m.softness = std::max(0.0, r.number(mo, "softness", 0));
  m.count = std::clamp(r.whole(mo, "count", 8), 1, 64);
  m.vertical = r.flag(mo, "vertical", false);
  m.center = r.point(mo, "center", {kCanvasWidth / 2, kCanvasHeight / 2});
  m.invert = r.flag(mo, "invert", false);
  return m;
}

void readStops(const Reader& r, const json& o, Layer& l) {
  if (!o.contains("stops")) return;
  const json& s = o.at("stops");
  if (!s.is_array() || s.size() < 2) r.fail("\"stops\" must list at least two [at, colour]");
  for (const json& stop : s) {
    if (!stop.is_array() || stop.size() != 2) r.fail("a stop must be [at, colour]");
    l.stops.push_back({std::clamp(r.number(stop[0], "stops"), 0.0, 1.0),
                       r.color(stop[1], "stops")});
  }
}

Stroke readStroke(const Reader& r, const json& o, const char* name) {
  Stroke s;
  if (!o.contains(name)) return s;
  const json& so = o.at(name);
  if (!so.is_object()) r.fail(QStringLiteral("\"%1\" must be an object").arg(name));
  s.width = std::max(0.0, r.number(so, "width", 0));
  s.color = r.color(so, "color", Qt::white);
  return s;
}

Shadow readShadow(const Reader& r, const json& o) {
  Shadow s;
  if (!o.contains("shadow")) return s;
  const json& so = o.at("shadow");
  if (!so.is_object()) r.fail("\"shadow\" must be an object");
  s.blur = std::clamp(r.number(so, "blur", 20), 0.0, 200.0);
  s.offset = r.point(so, "offset", {0, 10});
  s.color = r.color(so, "color", Qt::black);
  s.opacity = std::clamp(r.number(so, "opacity", 0.5), 0.0, 1.0);
  return s;
}

Layer readLayer(const Reader& r, const json& o, int frames) {
  if (!o.is_object()) r.fail("a layer must be an object");
  static const std::map<std::string, LayerKind> kinds = {
      {"solid", LayerKind::Solid},     {"gradient", LayerKind::Gradient},
      {"picture", LayerKind::Picture}, {"shape", LayerKind::Shape},
      {"glow", LayerKind::Glow},       {"particles", LayerKind::Particles}};
  if (!o.contains("kind")) r.fail("a layer needs a \"kind\"");
  Layer l;
  l.kind = r.choice(o, "kind", kinds, LayerKind::Solid);
  l.start = r.whole(o, "start", 0);
  l.end = r.whole(o, "end", -1);
  l.transform = readTransform(r, o);
  l.mask = readMask(r, o);
  const bool ownParallax = o.contains("parallax");
  l.parallax = r.number(o, "parallax", 1);
  l.box = r.rect(o, "box", l.box);
  l.color = r.color(o, "color", Qt::white);
  if (o.contains("colors")) {
    if (!o.at("colors").is_array() || o.at("colors").empty())
      r.fail("\"colors\" must list colours");
    for (const json& c : o.at("colors")) l.colors.push_back(r.color(c, "colors"));
  }
  readStops(r, o, l);
  l.radial = r.flag(o, "radial", false);
  l.from = r.point(o, "from", l.box.topLeft());
  l.to = r.point(o, "to", l.box.bottomLeft());

  if (l.kind == LayerKind::Gradient && l.stops.empty()) r.fail("a gradient needs \"stops\"");
  if (l.kind == LayerKind::Picture) {
    const QString source = r.text(o, "source");
    bool ok = source.startsWith(QLatin1String("picture_"));
    l.picture = ok ? source.mid(8).toInt(&ok) : -1;
    if (!ok || l.picture < 0 || l.picture > 99)
      r.fail(QStringLiteral("\"source\" must be picture_0 ... picture_99, not \"%1\"").arg(source));
    static const std::map<std::string, PictureFit> fits = {{"cover", PictureFit::Cover},
                                                           {"contain", PictureFit::Contain}};
    l.fit = r.choice(o, "fit", fits, PictureFit::Cover);
    l.zoom = r.animated(o, "zoom", 1);
    if (l.zoom.minimum() < 1) r.fail("\"zoom\" below 1 would leave the box partly empty");
    l.panX = r.animated(o, "pan_x", 0);
    l.panY = r.animated(o, "pan_y", 0);
  }
  if (!ownParallax && l.kind == LayerKind::Picture && l.picture == 0)
    l.parallax = 0;  // the opening picture must match the previous movie's last frame
  if (l.parallax < 0 || l.parallax > 1) r.fail("\"parallax\" must lie between 0 and 1");
  for (const Move& m : l.transform.moves)
    if (m.at < 0 || m.at >= frames) r.fail("a move's \"at\" lies outside the movie");
  l.radius = std::max(0.0, r.number(o, "radius", 0));
  l.border = readStroke(r, o, "border");
  if (o.contains("border") && o.at("border").is_object())
    l.borderBottom = std::max(0.0, r.number(o.at("border"), "bottom", 0));
  l.shadow = readShadow(r, o);
  if (l.kind == LayerKind::Shape) {
    static const std::map<std::string, ShapeKind> shapes = {
        {"rect", ShapeKind::Rect},   {"rounded_rect", ShapeKind::RoundedRect},
        {"ellipse", ShapeKind::Ellipse}, {"heart", ShapeKind::Heart},
        {"star", ShapeKind::Star},   {"ring", ShapeKind::Ring}, {"line", ShapeKind::Line}};
    if (!o.contains("shape")) r.fail("a shape layer needs \"shape\"");
    l.shape = r.choice(o, "shape", shapes, ShapeKind::Rect);
    l.stroke = readStroke(r, o, "stroke");
    l.points = std::clamp(r.whole(o, "points", 5), 3, 24);
    l.innerRatio = std::clamp(r.number(o, "inner", 0.45), 0.05, 0.95);
    if (!o.contains("color") && l.stops.empty()) l.color = Qt::transparent;
  }
  if (l.kind == LayerKind::Particles) {
    static const std::map<std::string, ParticleStyle> styles = {
        {"petals", ParticleStyle::Petals}, {"snow", ParticleStyle::Snow},
        {"bokeh", ParticleStyle::Bokeh},   {"sparkles", ParticleStyle::Sparkles},
        {"hearts", ParticleStyle::Hearts}};
    l.style = r.choice(o, "style", styles, ParticleStyle::Petals);
    l.count = std::clamp(r.whole(o, "count", 30), 0, 400);
    l.seed = unsigned(std::clamp(r.number(o, "seed", 1), 0.0, 4294967295.0));
    l.velocity = r.point(o, "velocity", {0, 2});
    l.sway = r.number(o, "sway", 20);
    l.spin = r.number(o, "spin", 2);
    const QPointF size = r.point(o, "size", {12, 28});
    // Sprites are made at the largest size, so it is kept to something sensible.
    l.sizeMin = std::clamp(std::min(size.x(), size.y()), 1.0, 400.0);
    l.sizeMax = std::clamp(std::max(size.x(), size.y()), l.sizeMin, 400.0);
  }
  if (l.start < 0 || l.start >= frames) r.fail("\"start\" lies outside the movie");
  return l;
}

}  // namespace

Movie parse_movie(const QByteArray& text, const QString& what) {
  Reader r{what, {}};
  if (text.size() > kMaxMovieBytes)
    r.fail(QStringLiteral("too large for a movie file (more than %1 MB)")
               .arg(kMaxMovieBytes / (1024 * 1024)));
  // The parser is told to stop at the first bracket too deep, before it builds the levels.
  struct TooDeep {};
  const json::parser_callback_t depthGuard = [](int depth, json::parse_event_t event, json&) {
    if ((event == json::parse_event_t::object_start ||
         event == json::parse_event_t::array_start) && depth >= kMaxMovieNesting)
      throw TooDeep{};
    return true;
  };
  json doc;
  try {
    doc = json::parse(text.constData(), text.constData() + text.size(), depthGuard);
  } catch (const json::exception& e) {
    // Syntax errors, and numbers too large for a double ("1e3002"), which the parser reports
    // as out_of_range rather than as a parse error.
    r.fail(QStringLiteral("not a movie file (%1)").arg(QString::fromUtf8(e.what())));
  } catch (const TooDeep&) {
    r.fail(QStringLiteral("not a movie file (lists and objects nest more than %1 deep)")
               .arg(kMaxMovieNesting));
  }
  if (!doc.is_object() || r.text(doc, "format") != QLatin1String("solvane-movie"))
    r.fail("not a movie file (\"format\" is not \"solvane-movie\")");
  const int version = r.whole(doc, "version", 0);
  if (version < 1 || version > kMovieFormatVersion)
    r.fail(QStringLiteral("movie format version %1 is not supported (this program reads 1 to %2)")
               .arg(version)
               .arg(kMovieFormatVersion));
  Movie movie;
  movie.name = r.text(doc, "name");
  movie.frames = r.whole(doc, "frames", 0);
  if (movie.frames < 1 || movie.frames > 100000) r.fail("\"frames\" must be 1 or more");
  if (!doc.contains("layers") || !doc.at("layers").is_array())
    r.fail("\"layers\" must be a list");
  movie.camera = readCamera(r, doc, movie.frames);
  int index = 0;
  for (const json& layer : doc.at("layers")) {
    r.place = QStringLiteral("layer %1").arg(index++);
    movie.layers.push_back(readLayer(r, layer, movie.frames));
  }
  return movie;
}

}  // namespace solvane
