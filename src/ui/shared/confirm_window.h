#pragma once
// A confirmation: a title, one question, "确定" and "取消".
#include <QDialog>

namespace solvane::ui {

class ConfirmWindow : public QDialog {
  Q_OBJECT
 public:
  ConfirmWindow(const QString& title, const QString& text, QWidget* parent = nullptr);
};

}  // namespace solvane::ui
