#include "ui/photos/add_photos_window.h"

#include "templates/template_assignment.h"
#include "ui/shared/session.h"

namespace solvane::ui {

AddPhotosWindow::AddPhotosWindow(Session& session, const QStringList& files, QWidget* parent)
    : ProgressWindow(session, QStringLiteral("添加相片"), parent) {
  setStatus(QStringLiteral("正在添加 %1 张相片…").arg(files.size()));
  PhotoImportOptions options;
  if (session.drawSeed) options.draw = seededDraw(*session.drawSeed);
  setWork(
      [this, &session, files, options](const JobControl& control) {
        result_ = importPhotos(session.project, session.workspace, files, options, control);
      },
      4LL * files.size());
}

}  // namespace solvane::ui
