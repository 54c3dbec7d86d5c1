#pragma once
// A template movie as data: a frame count and a stack of layers drawn bottom to top on a
// 1920 x 1080 canvas. The text form is described in docs/movie-format.md; parse_movie
// turns it into these structures and rejects anything it does not understand.
#include <optional>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

namespace solvane {

inline constexpr int kMovieFormatVersion = 2;
inline constexpr double kCanvasWidth = 1920.0;
inline constexpr double kCanvasHeight = 1080.0;

enum class Easing { Linear, In, Out, InOut, OutBack, InOutSine, Hold };

// A number that may change over the frames: either a constant or key frames. The easing of
// a key shapes the stretch that arrives at it.
class Animated {
 public:
  struct Key {
    double frame = 0;
    double value = 0;
    Easing easing = Easing::InOut;
  };

  Animated() = default;
  explicit Animated(double constant) { keys_.push_back({0, constant, Easing::Linear}); }
  explicit Animated(std::vector<Key> keys);

  double at(double frame) const;
  bool isConstant() const;
  // The frame from which the value no longer changes.
  int settledFrom() const;
  double minimum() const;
  double maximum() const;

 private:
  std::vector<Key> keys_;  // sorted by frame, never empty once built
};

double ease(Easing easing, double t);

// A named entrance or exit: the layer arrives from (or leaves to) an away pose over
// `length` frames starting at `at`. Staggering is giving each layer its own `at`.
enum class MoveKind { Fade, Rise, Drop, Left, Right, Grow, Shrink, Flip, Spin };

struct Move {
  MoveKind kind = MoveKind::Fade;
  bool leaving = false;
  double at = 0;
  double length = 20;
  Easing easing = Easing::Out;
  double distance = 0;          // rise, drop, left, right: pixels travelled; 0 = default
};

// Where a layer is at one frame: its own key frames with its moves laid over them.
struct Pose {
  double x = 0, y = 0, scale = 1, scaleX = 1, scaleY = 1, rotation = 0, turn = 0, opacity = 1;
};

struct Transform {
  Animated x{0}, y{0};          // offset from the layer's box, canvas pixels
  Animated scale{1};            // about the anchor
  Animated scaleX{1}, scaleY{1};
  Animated rotation{0};         // degrees, clockwise
  Animated turn{0};             // degrees about the vertical axis through the anchor
  Animated opacity{1};
  QPointF anchor{0.5, 0.5};     // fraction of the box
  std::vector<Move> moves;      // entrances and exits

  Pose pose(double frame) const;
  int settledFrom() const;
};

// A key-framed view over the whole composition: the canvas point at the centre of the
// picture and the magnification. Layers follow it by their parallax (0 = not at all).
struct Camera {
  Animated x{kCanvasWidth / 2}, y{kCanvasHeight / 2};
  Animated zoom{1};
  bool present = false;

  // Canvas -> picture for a layer of the given parallax.
  QTransform view(double frame, double parallax) const;
  bool still() const { return !present || (x.isConstant() && y.isConstant() && zoom.isConstant()); }
  int settledFrom() const;
};

enum class MaskKind { None, Linear, Iris, Blinds, Split, Clock, Box };

// A reveal over the canvas: progress 0 hides the layer, 1 shows all of it.
struct Mask {
  MaskKind kind = MaskKind::None;
  Animated progress{1};
  double angle = 0;             // linear: direction of travel; blinds: slat direction
  double softness = 0;          // linear: width of the soft edge in canvas pixels
  int count = 8;                // blinds
  bool vertical = false;        // split: opens left/right when false, up/down when true
  QPointF center{960, 540};     // iris, clock
  bool invert = false;
};

struct Stroke {
  double width = 0;
  QColor color = Qt::white;
};

struct Shadow {
  double blur = 0;
  QPointF offset{0, 0};
  QColor color = Qt::black;
  double opacity = 0;
  bool present() const { return opacity > 0; }
};

struct GradientStop {
  double at = 0;
  QColor color;
};

enum class LayerKind { Solid, Gradient, Picture, Shape, Glow, Particles };
enum class ShapeKind { Rect, RoundedRect, Ellipse, Heart, Star, Ring, Line };
enum class ParticleStyle { Petals, Snow, Bokeh, Sparkles, Hearts };
enum class PictureFit { Cover, Contain };

struct Layer {
  LayerKind kind = LayerKind::Solid;
  int start = 0;                // first frame drawn
  int end = -1;                 // last frame drawn; -1 = to the end
  Transform transform;
  double parallax = 1;          // how far the camera carries this layer, 0 ... 1
  Mask mask;
  QRectF box{0, 0, kCanvasWidth, kCanvasHeight};

  // solid, shape fill, glow, particles
  QColor color = Qt::white;
  std::vector<QColor> colors;   // particles: drawn in turn

  // gradient (and shape fill when stops are given)
  std::vector<GradientStop> stops;
  bool radial = false;
  QPointF from{0, 0}, to{0, kCanvasHeight};  // linear: end points; radial: centre, edge point

  // picture
  int picture = 0;              // 0 = opening picture, k = slot k
  PictureFit fit = PictureFit::Cover;
  Animated zoom{1};             // content zoom inside the box
  Animated panX{0}, panY{0};    // content pan inside the box, -1 ... 1 of the spare room
  double radius = 0;
  Stroke border;
  double borderBottom = 0;      // extra border below the picture (instant prints)
  Shadow shadow;

  // shape
  ShapeKind shape = ShapeKind::Rect;
  Stroke stroke;
  int points = 5;               // star
  double innerRatio = 0.45;     // star, ring

  // glow: soft light blob in screen blend, box = its extent
  // particles
  ParticleStyle style = ParticleStyle::Petals;
  int count = 30;
  unsigned seed = 1;
  QPointF velocity{0, 2};       // canvas pixels per frame
  double sway = 20;             // sideways swing, pixels
  double spin = 2;              // degrees per frame
  double sizeMin = 12, sizeMax = 28;

  bool drawnAt(int frame) const { return frame >= start && (end < 0 || frame <= end); }
};

struct Movie {
  int frames = 0;
  QString name;
  Camera camera;
  std::vector<Layer> layers;

  // Slot numbers (1 ... n) the movie shows, ascending, and the opening picture if used.
  std::vector<int> slots() const;
  bool usesOpeningPicture() const;
  // The last frame on which the opening picture is drawn: where the hand-over ends.
  int handoverEnd() const;
  // The first picture layer of slot k: the box the slot's photograph is shown in.
  const Layer* slotLayer(int k) const;
};

// Movie files come from template packages, which arrive from outside: a larger or more
// deeply nested text is refused before it is parsed. The library's movies are a few
// kilobytes and nest six levels.
inline constexpr qint64 kMaxMovieBytes = 16ll * 1024 * 1024;
inline constexpr int kMaxMovieNesting = 32;

// Throws Error naming `what` (usually the file) and the place of the fault.
Movie parse_movie(const QByteArray& text, const QString& what);

}  // namespace solvane
