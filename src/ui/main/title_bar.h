#pragma once
// The strip at the top of the main window: the title and the marks of the three layouts and
// of the exit. A double click switches between the start layout and full screen; dragging
// it moves the window, which has no frame of its own.
#include <QWidget>

class QPushButton;

namespace solvane::ui {

class TitleBar : public QWidget {
  Q_OBJECT
 public:
  explicit TitleBar(QWidget* parent = nullptr);
  QPushButton* startMark() const { return start_; }
  QPushButton* fittedMark() const { return fitted_; }
  QPushButton* fullMark() const { return full_; }
  QPushButton* closeMark() const { return close_; }

 Q_SIGNALS:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPushButton* start_;
  QPushButton* fitted_;
  QPushButton* full_;
  QPushButton* close_;
  bool dragging_ = false;
  QPoint grabbedAt_;
};

}  // namespace solvane::ui
