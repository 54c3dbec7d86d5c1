#pragma once
// A confirmation: a title, one question, "确定" (or the given caption) and "取消".
#include <QDialog>

class QPushButton;

namespace solvane::ui {

class ConfirmWindow : public QDialog {
  Q_OBJECT
 public:
  ConfirmWindow(const QString& title, const QString& text, QWidget* parent = nullptr,
                const QString& okCaption = QStringLiteral("确定"));

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace solvane::ui
