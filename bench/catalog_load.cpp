// Times start-up's catalog loading (the four steps) on a library of 300 templates and
// compares it with the 300 ms target.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "model/project.h"
#include "model/workspace.h"
#include "templates/catalog.h"
#include "templates/package.h"
#include "templates/parameter_file.h"

namespace {

constexpr int kTemplates = 300;
constexpr double kTargetMs = 300.0;

const char* const kOrientations[] = {"|heng|", "|shu|", "|shuheng|shuheng|", "|heng|shu|",
                                     "|heng|heng|heng|"};

// A few KB of movie-like bytes that compress about as badly as a real movie.
QByteArray moviePayload(std::mt19937& random) {
  QByteArray bytes(6 * 1024, Qt::Uninitialized);
  for (char& c : bytes) c = static_cast<char>(random() % 64);
  return "FWS" + bytes;
}

void buildLibrary(const QString& root) {
  const QString parameters = root + "/smxcwjj/wj_0_or_2/wjj_02/";
  const QString movies = root + "/smxcwjj/wj_0_or_2/wjj_01/";
  std::mt19937 random(7);
  for (int i = 0; i < kTemplates; ++i) {
    // Ten templates per folder, like a library sorted by theme.
    const QString name = QString("theme_%1/mb_%2.rar").arg(i / 10, 2, 10, QChar('0')).arg(i, 3, 10, QChar('0'));
    QDir().mkpath(QFileInfo(parameters + name).path());
    QDir().mkpath(QFileInfo(movies + name).path());
    const QString orientation = kOrientations[i % std::size(kOrientations)];
    const int slots = static_cast<int>(orientation.count('|')) - 1;
    solvane::TemplateParameters p{QString("模板%1").arg(i), "婚礼", QString::number(slots),
                                  "|" + QString("1280|").repeated(slots),
                                  "|" + QString("720|").repeated(slots), orientation,
                                  "pic.jpg", "250"};
    solvane::write_package(parameters + name, solvane::writeParameterFile(p));
    solvane::write_package(movies + name, moviePayload(random));
  }
}

// The file-by-file unpacking the in-memory loader replaces: every layer written to the
// intermediate file and read back, the payload written to the scratch ".ini". Timed beside
// the real loader to show what the in-memory path saves.
double fileByFileMs(const QStringList& packages, const QString& scratch) {
  QDir().mkpath(scratch);
  const QString intermediate = scratch + "/wjj_00_j_y.rar";
  const QString ini = scratch + "/wjj_00_j_y.ini";
  const auto start = std::chrono::steady_clock::now();
  for (const QString& package : packages) {
    QString current = package;
    for (int layer = 0; layer < solvane::kPackageLayers; ++layer) {
      QFile in(current);
      in.open(QIODevice::ReadOnly);
      const QByteArray inner = solvane::unwrap_layer(in.readAll());
      in.close();
      QFile out(layer + 1 < solvane::kPackageLayers ? intermediate : ini);
      out.open(QIODevice::WriteOnly | QIODevice::Truncate);
      out.write(inner);
      current = out.fileName();
    }
    QFile::remove(intermediate);
    QFile::remove(ini);
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid()) {
    std::fprintf(stderr, "cannot create a temporary folder\n");
    return 1;
  }
  buildLibrary(dir.path() + "/lib");
  const solvane::Workspace workspace(dir.path() + "/work", dir.path() + "/lib");

  // Median per step and in total over several runs; the first run also pays for cold
  // caches, as start-up does.
  constexpr int kRuns = 7;
  const char* const steps[] = {"scan and pair", "read parameters", "classify", "count slots"};
  std::vector<std::array<double, 4>> runs;
  std::vector<double> totals;
  int templates = 0;
  for (int run = 0; run < kRuns; ++run) {
    solvane::Project project;
    std::array<double, 4> step{};
    auto mark = std::chrono::steady_clock::now();
    const auto lap = [&](int i) {
      const auto now = std::chrono::steady_clock::now();
      step[i] = std::chrono::duration<double, std::milli>(now - mark).count();
      mark = now;
    };
    solvane::Button1Click(project, workspace);
    lap(0);
    solvane::Button2Click(project, workspace);
    lap(1);
    solvane::Button5Click(project);
    lap(2);
    solvane::Button11Click(project);
    lap(3);
    runs.push_back(step);
    totals.push_back(step[0] + step[1] + step[2] + step[3]);
    templates = project.ListView_mobancanshu.count();
  }
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  for (int i = 0; i < 4; ++i) {
    std::vector<double> v;
    for (const auto& r : runs) v.push_back(r[i]);
    std::printf("  %-16s median %7.2f ms\n", steps[i], median(v));
  }
  const double total = median(totals);
  std::printf("catalog loading, %d templates (%d packages): median %.1f ms, best %.1f ms, "
              "first %.1f ms over %d runs\n",
              templates, 2 * kTemplates, total, *std::min_element(totals.begin(), totals.end()),
              totals.front(), kRuns);
  {
    solvane::Project project;
    solvane::Button1Click(project, workspace);
    // A tenth of the library is enough to show the difference without a long wait.
    const QStringList sample = project.ListBox_saomiaomobanwenjian_ini.mid(0, kTemplates / 10);
    const double sampleMs = fileByFileMs(sample, dir.path() + "/filewise");
    std::printf("  for comparison, file-by-file unpacking of %lld parameter packages: %.1f ms "
                "(about %.0f ms for all %d)\n",
                static_cast<long long>(sample.size()), sampleMs, sampleMs * 10, kTemplates);
  }
  std::printf("target %.0f ms: ratio %.3f (%s)\n", kTargetMs, total / kTargetMs,
              total <= kTargetMs ? "within target" : "OVER TARGET");
  return 0;
}
