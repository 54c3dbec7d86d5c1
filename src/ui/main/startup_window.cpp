#include "ui/main/startup_window.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>

#include "model/error.h"
#include "model/project.h"
#include "model/work_paths.h"
#include "model/workspace.h"
#include "templates/startup_sequence.h"
#include "ui/shared/session.h"

namespace solvane::ui {

StartupWindow::StartupWindow(Session& session, QWidget* parent)
    : ProgressWindow(session, QStringLiteral("Solvane2017 启动"), parent) {
  setStatus(QStringLiteral("正在读取模板库…"));
  stopButton()->hide();  // start-up is short, and without the library there is nothing to do
  auto* box = qobject_cast<QBoxLayout*>(layout());
  for (int i = 0; i < catalogStepCaptions().size(); ++i) {
    auto* step = new QLabel(this);
    steps_ << step;
    box->insertWidget(1 + i, step);
  }
  showStep(-1);

  QPointer<StartupWindow> self(this);
  setWork(
      [&session, self](const JobControl& control) {
        runStartupSteps(session.project, session.workspace, control, [self](int step) {
          QMetaObject::invokeMethod(
              self.data(), [self, step] { if (self) self->showStep(step); }, Qt::QueuedConnection);
        });
        if (session.project.ListView_mobancanshu.empty())
          throw Error(QStringLiteral("No template library is installed under %1.")
                          .arg(QDir::toNativeSeparators(QDir::cleanPath(
                              session.workspace.LibraryPath(work_path::tree)))));
      },
      4);
}

void StartupWindow::showStep(int step) {
  const QStringList& captions = catalogStepCaptions();
  for (int i = 0; i < steps_.size(); ++i) {
    const QString mark = i < step ? QStringLiteral("✓ ") : i == step ? QStringLiteral("▶ ") : QStringLiteral("   ");
    steps_[i]->setText(mark + captions[i]);
  }
}

QStringList StartupWindow::stepTexts() const {
  QStringList texts;
  for (const QLabel* step : steps_) texts << step->text();
  return texts;
}

}  // namespace solvane::ui
