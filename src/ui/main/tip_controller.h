#pragma once
// The fading hover tips of the main window. The general tip shows a control's tip text
// (the text set with setToolTip, which the desktop's own tooltip no longer shows) once the
// pointer has rested on it for 2 s, fades in, holds for 2 s and fades out; any click or key
// in the window, and every command, fades it out at once. The three pane tips (photo, music,
// lyric) describe the cell under the pointer and go away as soon as the pointer leaves that
// cell. Fading animates the tip window's opacity.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPropertyAnimation;
class QTimer;

namespace solvane::ui {

// One tip window: rounded, orange (colour value 33023), text at (8, 8).
class TipWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TipWindow(const QString& title, QWidget* parent = nullptr);

  // Starts over: hidden, then after the delay shown beside the pointer.
  void showText(const QStringList& lines);
  // Fades out now from wherever it stands (nothing happens while hidden).
  void fadeOut();
  QStringList lines() const { return lines_; }
  // Waiting for the delay, fading in, holding or fading out.
  bool pending() const;

  static constexpr int kFadeMs = 200;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void appear();
  void fadeTo(double level, int ms);

  QLabel* label_;
  QStringList lines_;
  QTimer* delay_;
  QTimer* hold_;
  QPropertyAnimation* fade_;
};

enum class CellTip { Photo, Music, Lyric };

class TipController : public QObject {
  Q_OBJECT
 public:
  // Watches every control inside `window`.
  explicit TipController(QWidget* window);
  ~TipController() override;

  // ShowTip / HideTip of the general tip.
  void showTip(const QString& text);
  void hideTip();
  TipWindow* generalTip() const { return general_; }

  // A pane tip for the cell `cell` (in `area`'s coordinates) of a pane's view: `lines` are
  // its fields ("相片名称：…", …). It is hidden once the pointer is outside the cell or the
  // area is hidden.
  void showCellTip(CellTip kind, QWidget* area, const QRect& cell, const QStringList& lines);
  void hideCellTip(CellTip kind);
  TipWindow* cellTip(CellTip kind) const { return cells_[static_cast<int>(kind)].tip; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void trackCells();

  struct Cell {
    TipWindow* tip = nullptr;
    QPointer<QWidget> area;
    QRect rect;
  };
  QWidget* window_;
  TipWindow* general_;
  QPointer<QWidget> hovered_;
  Cell cells_[3];
  QTimer* tracking_;
};

}  // namespace solvane::ui
