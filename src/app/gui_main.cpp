// solvane: the desktop program. Options for a second working tree (as the command line has):
//   --workspace DIR   where the run writes its working tree (default: beside the program)
//   --library DIR     where the template library is installed (default: beside the program)
#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

extern "C" {
#include <libavutil/log.h>
}

#include "model/error.h"
#include "model/fonts.h"
#include "model/startup.h"
#include "model/workspace.h"
#include "ui/main/main_window.h"
#include "ui/main/startup_window.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

using namespace solvane;

int main(int argc, char** argv) {
  // Fontconfig is read once, when Qt builds its font list: the aliases go in first.
  loadFontAliases();
  av_log_set_level(AV_LOG_ERROR);
  // Qt Multimedia's GStreamer backend plays without a sound device; the others may not.
  qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Solvane2017"));
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser options;
  options.addHelpOption();
  options.addOption({QStringLiteral("workspace"), QStringLiteral("Folder of the working tree."),
                     QStringLiteral("DIR")});
  options.addOption({QStringLiteral("library"), QStringLiteral("Folder of the template library."),
                     QStringLiteral("DIR")});
  options.addOption({QStringLiteral("template-page"),
                     QStringLiteral("Address of the template page (the installed page otherwise)."),
                     QStringLiteral("URL")});
  options.process(app);
  const QString root = options.isSet("workspace") ? QDir(options.value("workspace")).absolutePath()
                                                  : executableFolder();
  const QString library = options.isSet("library") ? QDir(options.value("library")).absolutePath()
                                                   : executableFolder();

  ui::DesktopQuestions questions;
  ui::Session session(Workspace(root, library), questions);
  session.sampleSongFolder = QDir(executableFolder()).filePath(QStringLiteral("yinyuegeci"));
  session.openFolder = [](const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  };
  session.openPage = [](const QUrl& page) { QDesktopServices::openUrl(page); };
  if (options.isSet("template-page"))
    session.templatePage = QUrl::fromUserInput(options.value("template-page"));

  std::unique_ptr<InstanceLock> lock;
  try {
    lock = acquireInstanceLock(session.workspace);
  } catch (const Error& e) {
    questions.showMessage(nullptr, e.message());
    return 1;
  }
  if (!lock) return 0;  // another copy works on this tree: end at once, without a word

  ui::StartupWindow startup(session);
  startup.exec();
  if (startup.outcome() != ui::ProgressWindow::Outcome::Succeeded) {
    questions.showMessage(nullptr, startup.failure().isEmpty()
                                       ? QStringLiteral("Start-up was stopped.")
                                       : startup.failure());
    return 1;
  }

  ui::MainWindow window(session);
  QObject::connect(&window, &ui::MainWindow::exitConfirmed, &app, &QApplication::quit);
  window.applyLayout(WindowLayout::Start);
  window.show();
  window.applyLayout(WindowLayout::Start);
  return app.exec();
}
