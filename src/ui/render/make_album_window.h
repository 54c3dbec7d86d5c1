#pragma once
// "制作相册": renders and encodes the album into the chosen target as a job, with the output
// name, "完成后打开保存文件夹", "打开保存位置", "停止制作" and two progress bars (frames made,
// and a running indicator). It cannot be closed while the album is being made except through
// "停止制作"; it closes itself when the album is written, has failed or was stopped.
#include <QDialog>
#include <QStringList>

#include "render/album_render.h"
#include "render/output_commands.h"
#include "ui/shared/job_runner.h"

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace solvane::ui {

struct Session;

class MakeAlbumWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Outcome { NotRun, Written, Failed, Stopped };

  MakeAlbumWindow(Session& session, OutputTarget target, QWidget* parent = nullptr);

  Outcome outcome() const { return outcome_; }
  QString failure() const { return failure_; }
  const AlbumResult& result() const { return result_; }
  // What the user should know although the album was made (lyrics that could not be read).
  const QStringList& notes() const { return notes_; }
  bool openFolderWhenDone() const;

  QLineEdit* nameField() const { return name_; }
  QCheckBox* openFolderOption() const { return openFolder_; }
  QPushButton* openLocationButton() const { return openLocation_; }
  QPushButton* stopButton() const { return stop_; }
  QProgressBar* framesBar() const { return frames_; }
  QProgressBar* runningBar() const { return running_; }
  JobRunner& runner() { return runner_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void begin();
  void end(Outcome outcome, const QString& failure = {});

  Session& session_;
  OutputTarget target_;
  JobRunner runner_;
  AlbumResult result_;
  QStringList notes_;
  QLineEdit* name_;
  QCheckBox* openFolder_;
  QPushButton* openLocation_;
  QPushButton* stop_;
  QProgressBar* frames_;
  QProgressBar* running_;
  Outcome outcome_ = Outcome::NotRun;
  QString failure_;
  bool started_ = false;
};

}  // namespace solvane::ui
