// Imports 40 generated 4000 × 3000 photographs (landscape, portrait and phone portraits
// turned by EXIF) and compares the time per photograph with one plain full-size djpeg
// decode of the same files, measured in the same run.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>

#include "model/columns.h"
#include "model/file_io.h"
#include "model/project.h"
#include "model/workspace.h"
#include "photos/jpeg_decoder.h"
#include "photos/jpeg_encoder.h"
#include "photos/photo_import.h"
#include "templates/package.h"

#include "photograph_like.h"

using namespace solvane;
using Clock = std::chrono::steady_clock;

namespace {

using solvane::bench::photographLike;

constexpr int kPhotos = 40;
constexpr int kCameraQuality = 92;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time (user + system) of this process or of its finished children, in ms. The
// machine is shared, so wall time alone says more about the neighbours than about the work.
double cpuMs(int who) {
  rusage u{};
  getrusage(who, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

struct Figures {
  double wall = 1e9, cpu = 1e9;  // ms per photograph
  void keepBest(double w, double c) {
    wall = std::min(wall, w);
    cpu = std::min(cpu, c);
  }
};

// A phone writes landscape pixels and an EXIF orientation of 6 ("turn right").
QByteArray withTurnRight(QByteArray jpeg) {
  const QByteArray tiff("II\x2A\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00"
                        "\x06\x00\x00\x00\x00\x00\x00\x00", 26);
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
  QByteArray app1("\xFF\xE1", 2);
  app1 += char((payload.size() + 2) >> 8);
  app1 += char((payload.size() + 2) & 0xFF);
  jpeg.insert(2, app1 + payload);
  return jpeg;
}

QStringList generatePhotos(const QString& folder) {
  QDir().mkpath(folder);
  QStringList files;
  for (int i = 0; i < kPhotos; ++i) {
    const QString path = folder + QStringLiteral("/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    files << path;
    if (QFile::exists(path)) continue;
    const bool portrait = i % 4 == 1;
    QByteArray jpeg = encodeJpeg(photographLike(portrait ? 3000 : 4000, portrait ? 4000 : 3000,
                                                static_cast<unsigned>(i + 1)),
                                 kCameraQuality);
    if (i % 4 == 3) jpeg = withTurnRight(jpeg);
    writeWholeFile(path, jpeg);
  }
  return files;
}

QStringList catalogRow(int seq, int count, const QString& location, const QString& widths,
                       const QString& heights) {
  QStringList row(catalog_col::count_);
  row[catalog_col::photo_count] = QString::number(count);
  row[catalog_col::photo_width] = widths;
  row[catalog_col::photo_height] = heights;
  row[catalog_col::location] = location;
  row[catalog_col::tpl_seq] = QString::number(seq);
  row[catalog_col::landscape_count] = QString::number(count);
  row[catalog_col::portrait_count] = QString::number(count);
  row[catalog_col::frame_count] = QStringLiteral("250");
  return row;
}

// Templates with free slots (full-frame crops) and fixed slots, and movies of a realistic size.
void buildLibrary(Project& project, const QString& root) {
  QDir().mkpath(root + QStringLiteral("/smxcwjj/wj_0_or_1"));
  std::mt19937 rng(7);
  QByteArray movie(300 * 1024, Qt::Uninitialized);
  for (char& c : movie) c = static_cast<char>(rng() % 64);
  struct SlotShape { int count; const char* widths; const char* heights; bool portrait; };
  const SlotShape shapes[] = {{1, "|0|", "|0|", false},         {1, "|1280|", "|720|", false},
                        {2, "|960|960|", "|720|720|", false}, {3, "|640|640|640|", "|480|480|480|", false},
                        {1, "|0|", "|0|", true},          {2, "|720|720|", "|960|960|", true}};
  int seq = 0;
  for (const SlotShape& s : shapes) {
    const QString location = root + QStringLiteral("/tpl_%1.rar").arg(seq);
    if (!QFile::exists(location)) write_package(location, movie + QByteArray::number(seq));
    (s.portrait ? project.ListView_shuzhaopian : project.ListView_hengzhaopian)
        .append(catalogRow(seq++, s.count, location, s.widths, s.heights));
  }
  const QString closing = root + QStringLiteral("/smxcwjj/wj_0_or_1/wj_1.rar");
  if (!QFile::exists(closing)) write_package(closing, movie);
}

void timeDjpeg(const QStringList& files, Figures& figures) {
  const double cpu = cpuMs(RUSAGE_CHILDREN);
  const auto start = Clock::now();
  for (const QString& f : files) {
    const std::string cmd = "djpeg -outfile /dev/null '" + f.toStdString() + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "djpeg failed on %s\n", cmd.c_str());
  }
  figures.keepBest(msSince(start) / files.size(), (cpuMs(RUSAGE_CHILDREN) - cpu) / files.size());
}

void timeImport(const QStringList& files, const QString& libraryRoot, const QString& runRoot,
                Figures& figures) {
  QDir(runRoot).removeRecursively();
  Project project;
  buildLibrary(project, libraryRoot);
  const Workspace ws(runRoot, libraryRoot);
  PhotoImportOptions options;
  const double cpu = cpuMs(RUSAGE_SELF);
  const auto start = Clock::now();
  const PhotoImportResult result = importPhotos(project, ws, files, options, {});
  figures.keepBest(msSince(start) / files.size(), (cpuMs(RUSAGE_SELF) - cpu) / files.size());
  if (result.imported != files.size())
    std::fprintf(stderr, "only %d photographs imported: %s\n", result.imported,
                 qPrintable(result.message));
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QString root = QDir::tempPath() + QStringLiteral("/solvane-bench-photos");
  std::printf("generating %d photographs 4000 × 3000 (once, kept in %s)...\n", kPhotos,
              qPrintable(root));
  const QStringList files = generatePhotos(root + QStringLiteral("/in"));
  qint64 bytes = 0;
  for (const QString& f : files) bytes += QFileInfo(f).size();
  std::printf("average JPEG size %.1f MB\n", bytes / double(files.size()) / 1e6);

  Figures import, djpeg;
  for (int round = 0; round < 3; ++round) {
    timeDjpeg(files, djpeg);
    timeImport(files, root + QStringLiteral("/lib"), root + QStringLiteral("/run"), import);
  }
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::printf("Photo import: %.1f ms per photograph end to end (%d photographs 4000 × 3000, "
              "%u threads); one full-size djpeg decode %.1f ms; ratio %.2f\n",
              import.wall, kPhotos, threads, djpeg.wall, import.wall / djpeg.wall);
  std::printf("Photo import CPU: %.1f ms per photograph over all threads; djpeg %.1f ms per "
              "decode; ratio %.2f (per core %.2f)\n",
              import.cpu, djpeg.cpu, import.cpu / djpeg.cpu, import.cpu / threads / djpeg.cpu);
  return 0;
}
