#include "ui/render/output_command.h"

#include <QDir>
#include <QFileInfo>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "render/output_commands.h"
#include "ui/render/lyric_type_window.h"
#include "ui/render/make_album_window.h"
#include "ui/render/output_size_dialog.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

QString outcomeMessage(const MakeAlbumWindow& window, const OutputTarget& target) {
  switch (window.outcome()) {
    case MakeAlbumWindow::Outcome::Written: {
      QString text = QStringLiteral("相册制作完成，已保存到：\n%1").arg(QDir::toNativeSeparators(target.path));
      for (const QString& note : window.notes()) text += QStringLiteral("\n\n") + note;
      return text;
    }
    case MakeAlbumWindow::Outcome::Stopped:
      return QStringLiteral("已停止制作，未完成的相册已删除。");
    case MakeAlbumWindow::Outcome::Failed:
      return QStringLiteral("相册没有制作完成：\n%1").arg(window.failure());
    case MakeAlbumWindow::Outcome::NotRun: break;
  }
  return {};
}

}  // namespace

void runOutputCommand(Session& session, QWidget* parent, const QString& kind) {
  UserQuestions& ask = session.questions;
  OutputInteraction interaction;
  interaction.confirmSize = [&](solvane::OutputSizeWindow& state) {
    OutputSizeDialog window(state, parent);
    if (ask.showWindow(window) != QDialog::Accepted) state.close();
  };
  interaction.askSaveName = [&](const QString& filter) {
    return ask.chooseSaveName(parent, {QStringLiteral("保存相册"), filter, {}, {}});
  };
  interaction.chooseLyricType = [&] {
    LyricTypeWindow window(session.project, parent);
    ask.showWindow(window);
  };
  interaction.showMessage = [&](const QString& message) { ask.showMessage(parent, message); };

  std::optional<OutputTarget> target;
  try {
    target = PrepareOutput(session.project, kind, interaction);
    if (!target) return;
    if (kind != word::XLTP) {
      if (QFileInfo::exists(target->path) &&
          !ask.confirm(parent, QStringLiteral("保存相册"),
                       QStringLiteral("%1 已经存在，要替换它吗？")
                           .arg(QDir::toNativeSeparators(target->path))))
        return;
      EnsureFolder(QFileInfo(target->path).absolutePath());
    }
  } catch (const Error& e) {
    ask.showMessage(parent, e.message());
    return;
  }

  MakeAlbumWindow window(session, *target, parent);
  window.exec();
  const QString folder = QFileInfo(target->path).absolutePath();
  if (window.openFolderWhenDone() && QFileInfo::exists(folder) && session.openFolder)
    session.openFolder(folder);
  const QString message = outcomeMessage(window, *target);
  if (!message.isEmpty()) ask.showMessage(parent, message);
}

}  // namespace solvane::ui
