#pragma once
// Paints frames of one movie with one set of pictures at one host size. Everything that
// does not change from frame to frame (pre-scaled photographs, cards with their borders and
// rounded corners, shadows, sprites, the static background) is made once here, so painting
// a frame mostly places finished pictures.
#include <memory>
#include <vector>

#include <QImage>
#include <QSize>

#include "templates/movie_model.h"

namespace solvane {

class MovieRenderer {
 public:
  // pictures[k] is picture k (0 = opening picture); a null image leaves its place empty.
  MovieRenderer(Movie movie, const std::vector<QImage>& pictures, QSize hostSize);
  ~MovieRenderer();
  MovieRenderer(const MovieRenderer&) = delete;
  MovieRenderer& operator=(const MovieRenderer&) = delete;

  const Movie& movie() const { return movie_; }
  QSize hostSize() const { return host_; }

  // Paints `frame` (clamped to the movie) over all of `target`, which must have the host
  // size, then darkens it by `fade` (0 ... 1).
  void render(int frame, double fade, QImage& target) const;

 private:
  struct Item;
  void prepare(const std::vector<QImage>& pictures);
  void bakeBackground();
  void drawItem(QPainter& p, const Item& item, int frame, const QTransform& t, double opacity,
                const QPainterPath* clip) const;
  void drawSoftMasked(QPainter& p, const Item& item, int frame, const QTransform& t,
                      double opacity) const;

  Movie movie_;
  QSize host_;
  QTransform hostScale_;
  std::vector<Item> items_;
  size_t firstLive_ = 0;          // items below this are baked into background_
  QImage background_;
  mutable QImage scratch_;        // soft-edged masks are composed here
};

}  // namespace solvane
