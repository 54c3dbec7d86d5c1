// "solvane-cli album": one album from the command line.
#include <cstdio>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/cli_commands.h"
#include "app/cli_progress.h"
#include "model/error.h"
#include "model/workspace.h"
#include "render/album_job.h"
#include "render/album_options.h"

namespace solvane::cli {
namespace {

void say(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

int runAlbum(const QStringList& args, std::stop_token stop) {
  AlbumOptions options;
  try {
    options = parseAlbumArguments(args);
  } catch (const Error& e) {
    say(QStringLiteral("solvane-cli album: ") + e.message());
    say(QStringLiteral("Try solvane-cli album --help"));
    return 2;
  }
  if (options.help) {
    std::fputs(albumUsage().toLocal8Bit().constData(), stdout);
    return 0;
  }

  // A working tree of our own: the desktop program's tree beside the executable stays
  // untouched, so both can run at once.
  QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/solvane-cli-XXXXXX"));
  if (!scratch.isValid()) {
    say(QStringLiteral("solvane-cli album: cannot create a temporary folder: ") +
        scratch.errorString());
    return 1;
  }
  const QString library = options.library.isEmpty() ? QCoreApplication::applicationDirPath()
                                                     : QFileInfo(options.library).absoluteFilePath();
  const Workspace workspace(scratch.path(), library);

  ProgressLine progress(stderr);
  AlbumEvents events;
  events.stage = [&](const QString& title, bool frames) {
    progress.phase(title, frames);
    say(title);
  };
  events.message = [&](const QString& message) {
    progress.finish();
    say(message);
  };
  JobControl control;
  control.progress = [&](long long done, long long total) { progress.update(done, total); };
  control.stop = stop;

  try {
    const AlbumResult result = MakeAlbum(options, workspace, events, control);
    progress.finish();
    const double speed = result.renderSeconds > 0 ? result.frames / result.renderSeconds : 0;
    std::printf("%s\n", result.path.toLocal8Bit().constData());
    say(QStringLiteral("album: %1 frames, %2 long; made in %3 (%4 frames per second)")
            .arg(result.frames)
            .arg(clockText(result.seconds), clockText(result.renderSeconds))
            .arg(speed, 0, 'f', 1));
    return 0;
  } catch (const Cancelled&) {
    progress.finish();
    say(QStringLiteral("solvane-cli album: stopped; no album was written"));
    return 130;
  } catch (const Error& e) {
    progress.finish();
    say(QStringLiteral("solvane-cli album: ") + e.message());
    return 1;
  }
}

}  // namespace solvane::cli
