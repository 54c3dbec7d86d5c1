#pragma once
// The start-up progress window: the four catalog steps run as a job, each named while it
// runs, then the working tree is made clean.
#include <QStringList>

#include "ui/shared/progress_window.h"

class QLabel;

namespace solvane::ui {

class StartupWindow : public ProgressWindow {
  Q_OBJECT
 public:
  explicit StartupWindow(Session& session, QWidget* parent = nullptr);
  // The step captions as shown, the running one marked.
  QStringList stepTexts() const;

 private:
  void showStep(int step);
  QList<QLabel*> steps_;
};

}  // namespace solvane::ui
