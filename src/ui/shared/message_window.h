#pragma once
// The message window "提示信息": one message and "确定". Every message of the system reaches
// the user here.
#include <QDialog>

class QLabel;

namespace solvane::ui {

class MessageWindow : public QDialog {
  Q_OBJECT
 public:
  explicit MessageWindow(const QString& text, QWidget* parent = nullptr);
  QString text() const;

 private:
  QLabel* text_;
};

}  // namespace solvane::ui
