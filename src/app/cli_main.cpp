// solvane-cli: makes albums without windows. Subcommands: album, catalog.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stop_token>
#include <thread>

#include <pthread.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

extern "C" {
#include <libavutil/log.h>
}

#include "app/cli_catalog.h"
#include "app/cli_commands.h"
#include "model/fonts.h"

namespace {

const char* const kUsage =
    "Usage: solvane-cli COMMAND [options]\n"
    "\n"
    "Commands:\n"
    "  album -o OUTPUT [options] PHOTO...   make a photo album (solvane-cli album --help)\n"
    "  catalog [--workspace DIR] [--library DIR]\n"
    "                                       start up without windows, list the template\n"
    "                                       catalogs, exit\n"
    "  --help                               this text\n";

// Ctrl-C asks the running work to stop through the stop token; a second Ctrl-C ends the
// process at once. The signals are blocked in every thread and taken by one waiting thread,
// so the stop request never runs inside a signal handler.
void watchInterrupts(std::stop_source stop) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread([set, stop]() mutable {
    for (int count = 0;; ++count) {
      int signal = 0;
      if (sigwait(&set, &signal) != 0) continue;
      if (count > 0) _exit(130);
      stop.request_stop();
      std::fputs("\nsolvane-cli: stopping (Ctrl-C again to quit at once)\n", stderr);
    }
  }).detach();
}

}  // namespace

int main(int argc, char** argv) {
  // Before any other thread exists, so every thread inherits the blocked signals.
  std::stop_source stop;
  watchInterrupts(stop);
  solvane::loadFontAliases();
  // The decoders' warnings about ordinary files (MP3 padding) would bury the progress bar.
  av_log_set_level(AV_LOG_ERROR);
  // Only albums paint text and pictures (without a display); the other commands keep to the
  // core application, which has nothing to say on the terminal.
  const bool album = argc > 1 && std::strcmp(argv[1], "album") == 0;
  std::unique_ptr<QCoreApplication> app;
  if (album) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  const QStringList args = app->arguments().mid(1);
  if (args.isEmpty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const QString command = args.first();
  if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == QLatin1String("album")) return solvane::cli::runAlbum(args.mid(1), stop.get_token());
  if (command == QLatin1String("catalog")) return solvane::runCatalogCommand(args);
  std::fprintf(stderr, "solvane-cli: unknown command \"%s\"\n\n%s", qPrintable(command), kUsage);
  return 2;
}
