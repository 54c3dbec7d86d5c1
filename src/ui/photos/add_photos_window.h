#pragma once
// "添加相片": imports the chosen photographs as a job, with its bar over 4 × n steps.
#include <QStringList>

#include "photos/photo_import.h"
#include "ui/shared/progress_window.h"

namespace solvane::ui {

class AddPhotosWindow : public ProgressWindow {
  Q_OBJECT
 public:
  AddPhotosWindow(Session& session, const QStringList& files, QWidget* parent = nullptr);
  // What the import said (the files left out and why); valid once it succeeded.
  const PhotoImportResult& result() const { return result_; }

 private:
  PhotoImportResult result_;
};

}  // namespace solvane::ui
