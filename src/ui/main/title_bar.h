#pragma once
// The strip at the top of the main window: the title and the marks of the three layouts and
// of the exit. A double click switches between the start layout and full screen.
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

 private:
  QPushButton* start_;
  QPushButton* fitted_;
  QPushButton* full_;
  QPushButton* close_;
};

}  // namespace solvane::ui
