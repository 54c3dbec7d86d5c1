#include "ui/lyrics/add_media_windows.h"

#include "ui/shared/session.h"

namespace solvane::ui {

AddMusicWindow::AddMusicWindow(Session& session, const QStringList& files, QWidget* parent)
    : ProgressWindow(session, QStringLiteral("添加音乐"), parent) {
  setStatus(QStringLiteral("正在添加 %1 个音乐文件…").arg(files.size()));
  setWork(
      [this, &session, files](const JobControl& control) {
        result_ = ImportMusicFiles(session.project, session.workspace, files, control);
      },
      2LL * files.size());
}

AddLyricsWindow::AddLyricsWindow(Session& session, const QStringList& files, QWidget* parent)
    : ProgressWindow(session, QStringLiteral("添加歌词"), parent) {
  setStatus(QStringLiteral("正在添加 %1 个歌词文件…").arg(files.size()));
  setWork(
      [this, &session, files](const JobControl& control) {
        result_ = ImportLyricFiles(session.project, session.workspace, files, control);
      },
      files.size());
}

}  // namespace solvane::ui
