#pragma once
// "其它设置": the television system, the picture quality and the two crop choices of the
// next photo import. Choices take effect at once.
#include <QDialog>

class QRadioButton;

namespace solvane {
struct Project;
}

namespace solvane::ui {

class OtherSettingsWindow : public QDialog {
  Q_OBJECT
 public:
  explicit OtherSettingsWindow(Project& project, QWidget* parent = nullptr);

  QRadioButton* pal() const { return pal_; }
  QRadioButton* ntsc() const { return ntsc_; }
  QRadioButton* normalQuality() const { return normal_; }
  QRadioButton* highQuality() const { return high_; }
  QRadioButton* landscapeFull() const { return landscapeFull_; }
  QRadioButton* landscapeTemplate() const { return landscapeTemplate_; }
  QRadioButton* portraitCloseUp() const { return portraitCloseUp_; }
  QRadioButton* portraitTemplate() const { return portraitTemplate_; }

 private:
  Project& project_;
  QRadioButton* pal_;
  QRadioButton* ntsc_;
  QRadioButton* normal_;
  QRadioButton* high_;
  QRadioButton* landscapeFull_;
  QRadioButton* landscapeTemplate_;
  QRadioButton* portraitCloseUp_;
  QRadioButton* portraitTemplate_;
};

}  // namespace solvane::ui
