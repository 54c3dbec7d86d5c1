#pragma once
// One text element of the frame overlay. Its text is drawn once, antialiased with a thin
// dark outline, into a cached transparent picture; each frame only composites that picture
// at the label's place. Only the glyphs (and their outline) cover the photograph.
#include <utility>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class QPainter;

namespace solvane {

class OverlayLabel {
 public:
  // Changing text, font or colour redraws the cached picture on next use; setting the
  // same values again costs nothing.
  void setText(const QString& text);
  void setFont(const QFont& font);
  void setColor(const QColor& color);
  const QString& text() const { return text_; }
  const QFont& font() const { return font_; }

  // The box that fits the text in the label's font (outline included).
  QSize textSize() const;
  // Auto size: the box becomes textSize().
  void fitToText();

  QPoint pos() const { return pos_; }
  void move(QPoint p) { pos_ = p; }
  QSize size() const { return size_; }
  void resize(QSize s) { size_ = s; }
  bool visible() const { return visible_; }
  void setVisible(bool on) { visible_ = on; }

  // Composites the label: the cached picture at pos(), cut to size() (a fill label's
  // width grows from 0 to uncover its text). Hidden or empty labels draw nothing.
  void paint(QPainter& painter) const;

  bool drawsAnything() const;

  // The cached picture (for tests and tools): the inked part of the box, standing at
  // inkOffset() inside it. A box far wider than the canvas is drawn only where it can be
  // seen, over the canvas and one canvas width either side of it at the label's place
  // (a line of thousands of characters costs no more than that).
  const QImage& picture() const;
  QPoint inkOffset() const;

 private:
  int outlineWidth() const;
  // The columns [first, last) of the box that lie on the canvas at pos().
  std::pair<int, int> columnsOnCanvas() const;
  bool coversCanvas() const;
  void render() const;
  void cropToInk() const;

  QString text_;
  QFont font_;
  QColor color_ = Qt::white;
  QPoint pos_;
  QSize size_;
  bool visible_ = false;
  mutable QImage cache_;
  mutable QPoint inkOffset_;
  mutable bool dirty_ = true;
  mutable int boxWidth_ = 0;                  // textSize().width() when last drawn
  mutable std::pair<int, int> drawnColumns_;  // the box columns the picture covers
};

}  // namespace solvane
