// read_probe KIND FILE: reads FILE with the program's reader for KIND (package, movie, lrc,
// ksc, photo) in a process of its own, so that a test can cap its address space and look
// at its peak memory. Prints "refused: <message>" (exit 2) or "read <what>" (exit 0; for a
// photograph its upright size), then "peak_kb <resident peak in KiB>".
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QFile>
#include <QGuiApplication>

#include "lyrics/ksc_reader.h"
#include "lyrics/lrc_reader.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/fonts.h"
#include "model/project.h"
#include "photos/photo_renderer.h"
#include "templates/package.h"
#include "templates/template_player.h"

namespace {

// What was read, for the tests: the photograph's upright size, or nothing.
QString read(const char* kind, const QString& path) {
  using namespace solvane;
  if (std::strcmp(kind, "package") == 0) {
    read_package_file(path);
  } else if (std::strcmp(kind, "movie") == 0) {
    TemplatePlayer player;
    player.setMovie(path);
  } else if (std::strcmp(kind, "lrc") == 0) {
    LrcLyrics lyrics;
    lyrics.ReadLrcFile(path);
  } else if (std::strcmp(kind, "ksc") == 0) {
    Project project;
    QStringList row(ksc_col::count_);
    row[ksc_col::position] = path;
    row[ksc_col::font_size] = QStringLiteral("25");
    project.suiListView_ksc.append(row);
    KaraokeTiming timing;
    timing.ReadKscFile(project.suiListView_ksc, 0, KscVariant::Render);
  } else if (std::strcmp(kind, "photo") == 0) {
    const QSize upright = solvane::checkPhotoFile(path).upright();
    return QStringLiteral("%1x%2").arg(upright.width()).arg(upright.height());
  } else {
    std::fprintf(stderr, "unknown kind %s\n", kind);
    std::exit(64);
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: read_probe KIND FILE\n");
    return 64;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  solvane::loadFontAliases();
  int status = 0;
  try {
    const QString what = read(argv[1], QString::fromLocal8Bit(argv[2]));
    std::printf("read %s\n", what.toUtf8().constData());
  } catch (const solvane::Error& e) {
    std::printf("refused: %s\n", e.what());
    status = 2;
  }
  // VmHWM belongs to the memory of this program; getrusage's peak would also count the
  // parent's memory at the moment it forked.
  QFile statusFile(QStringLiteral("/proc/self/status"));
  statusFile.open(QIODevice::ReadOnly);
  for (const QByteArray& line : statusFile.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      std::printf("peak_kb %s\n", line.mid(6).trimmed().split(' ').value(0).constData());
  return status;
}
