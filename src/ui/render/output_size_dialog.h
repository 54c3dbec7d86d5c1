#pragma once
// "输出相册尺寸": confirms the album's size and, for image sequences, the picture format,
// before an album is made. "开始制作" accepts; the close mark cancels the command.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace solvane {
struct OutputSizeWindow;
}

namespace solvane::ui {

class OutputSizeDialog : public QDialog {
  Q_OBJECT
 public:
  // `state` is prepared for the output kind; the dialog edits it.
  explicit OutputSizeDialog(solvane::OutputSizeWindow& state, QWidget* parent = nullptr);

  QComboBox* sizeChoice() const { return sizes_; }
  QComboBox* formatChoice() const { return formats_; }
  QLineEdit* currentSize() const { return current_; }
  QLineEdit* typeField() const { return type_; }
  QPushButton* defaultButton() const { return default_; }
  QPushButton* startButton() const { return start_; }

  void reject() override;  // the close mark: the output command stops

 private:
  void showState();

  solvane::OutputSizeWindow& state_;
  QComboBox* sizes_;
  QComboBox* formats_;
  QLineEdit* current_;
  QLineEdit* type_;
  QPushButton* default_;
  QPushButton* start_;
};

}  // namespace solvane::ui
