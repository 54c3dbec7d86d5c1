#pragma once
// "歌词类型选择": asked before an album with music and karaoke rows is made: which lyrics the
// album draws.
#include <QDialog>

class QRadioButton;

namespace solvane {
struct Project;
}

namespace solvane::ui {

class LyricTypeWindow : public QDialog {
  Q_OBJECT
 public:
  // Opening the window preselects "两种歌词都使用".
  explicit LyricTypeWindow(Project& project, QWidget* parent = nullptr);

  QRadioButton* lrcOnly() const { return lrc_; }
  QRadioButton* karaokeOnly() const { return ksc_; }
  QRadioButton* both() const { return both_; }

 private:
  Project& project_;
  QRadioButton* lrc_;
  QRadioButton* ksc_;
  QRadioButton* both_;
};

}  // namespace solvane::ui
