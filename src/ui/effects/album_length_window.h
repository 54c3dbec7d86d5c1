#pragma once
// "相册时长": whether the album follows the photographs or the music, and the two loop
// options. Choices take effect at once.
#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace solvane {
struct Project;
}

namespace solvane::ui {

class AlbumLengthWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AlbumLengthWindow(Project& project, QWidget* parent = nullptr);

  QRadioButton* photoRule() const { return photoRule_; }
  QRadioButton* musicRule() const { return musicRule_; }
  QCheckBox* musicLoop() const { return musicLoop_; }
  QCheckBox* pictureLoop() const { return pictureLoop_; }

 private:
  void showProject();

  Project& project_;
  QRadioButton* photoRule_;
  QRadioButton* musicRule_;
  QCheckBox* musicLoop_;
  QCheckBox* pictureLoop_;
};

}  // namespace solvane::ui
