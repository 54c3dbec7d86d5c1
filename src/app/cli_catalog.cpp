#include "app/cli_catalog.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/startup.h"
#include "templates/startup_sequence.h"
#include "model/work_paths.h"
#include "model/workspace.h"

namespace solvane {
namespace {

void print(const QString& line) { std::cout << line.toStdString() << '\n'; }

bool libraryInstalled(const Workspace& ws) {
  return QFileInfo(ws.LibraryPath(work_path::library_parameters)).isDir() ||
         QFileInfo(ws.LibraryPath(work_path::library_movies)).isDir();
}

// " in landscape 2/0, portrait 0/2": the catalogs holding template `seq`, with their
// landscape/portrait slot counts.
QString catalogPlaces(const Project& p, const QString& seq) {
  QString places;
  const std::pair<const Table*, const char*> catalogs[] = {{&p.ListView_hengzhaopian, "landscape"},
                                                           {&p.ListView_shuzhaopian, "portrait"},
                                                           {&p.ListView_gaojimoban, "mixed"}};
  for (const auto& [catalog, name] : catalogs) {
    for (int r = 0; r < catalog->count(); ++r) {
      if (catalog->cell(r, catalog_col::tpl_seq) != seq) continue;
      places += places.isEmpty() ? QStringLiteral(" in ") : QStringLiteral(", ");
      places += QStringLiteral("%1 %2/%3").arg(QString::fromLatin1(name),
                                               catalog->cell(r, catalog_col::landscape_count),
                                               catalog->cell(r, catalog_col::portrait_count));
    }
  }
  return places;
}

void printCatalogs(const Project& p, const Workspace& ws) {
  const Table& params = p.ListView_mobancanshu;
  print(QStringLiteral("Template library: %1").arg(QDir::cleanPath(ws.LibraryPath(work_path::tree))));
  print(QStringLiteral("Templates: %1 (landscape catalog %2, portrait catalog %3, mixed %4)")
            .arg(params.count())
            .arg(p.ListView_hengzhaopian.count())
            .arg(p.ListView_shuzhaopian.count())
            .arg(p.ListView_gaojimoban.count()));
  for (int i = 0; i < params.count(); ++i) {
    const QString mark = params.cell(i, param_col::class_mark);
    print(QStringLiteral("  #%1 %2 [%3] photos %4 slots %5 sizes %6 x %7 frames %8 class %9%10 movie %11")
              .arg(params.cell(i, param_col::tpl_seq), params.cell(i, param_col::tpl_type),
                   params.cell(i, param_col::tpl_class), params.cell(i, param_col::photo_count),
                   params.cell(i, param_col::orientation), params.cell(i, param_col::photo_width),
                   params.cell(i, param_col::photo_height), params.cell(i, param_col::frame_count),
                   mark.isEmpty() ? QStringLiteral("(none)") : mark)
              .arg(catalogPlaces(p, params.cell(i, param_col::tpl_seq)))
              .arg(QDir(ws.libraryRoot()).relativeFilePath(params.cell(i, param_col::location))));
  }
}

// Keeps the started copy alive until standard input closes: lets scripts and tests
// observe a running instance and then end it through the exit sequence.
void holdUntilInputCloses() {
  print(QStringLiteral("ready"));
  std::cout.flush();
  std::string line;
  while (std::getline(std::cin, line)) {
  }
}

}  // namespace

int runCatalogCommand(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Runs start-up without windows, lists the template catalogs, and exits."));
  parser.addHelpOption();
  const QCommandLineOption workspaceOption(
      QStringLiteral("workspace"),
      QStringLiteral("Workspace root holding the working tree (default: a temporary folder)."),
      QStringLiteral("dir"));
  const QCommandLineOption libraryOption(
      QStringLiteral("library"),
      QStringLiteral("Root of the installed template library (default: beside the program)."),
      QStringLiteral("dir"));
  QCommandLineOption holdOption(QStringLiteral("hold"));
  holdOption.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({workspaceOption, libraryOption, holdOption});
  QStringList argv = args;
  argv.prepend(QStringLiteral("solvane-cli"));
  if (!parser.parse(argv)) {
    std::cerr << "solvane-cli catalog: " << parser.errorText().toStdString() << '\n';
    return 2;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    print(parser.helpText());
    return 0;
  }

  std::optional<QTemporaryDir> temporary;
  QString root = parser.value(workspaceOption);
  if (root.isEmpty()) {
    temporary.emplace();
    if (!temporary->isValid()) {
      std::cerr << "solvane-cli catalog: cannot create a temporary workspace\n";
      return 1;
    }
    root = temporary->path();
  }
  const QString library =
      parser.isSet(libraryOption) ? parser.value(libraryOption) : executableFolder();
  const Workspace workspace(QFileInfo(root).absoluteFilePath(),
                            QFileInfo(library).absoluteFilePath());

  Project project;
  try {
    std::unique_ptr<InstanceLock> lock = runStartup(project, workspace);
    if (!lock) return 0;  // another copy runs on this working tree
    if (!libraryInstalled(workspace))
      print(QStringLiteral("No template library is installed under %1; the catalogs are "
                           "empty.")
                .arg(QDir::cleanPath(workspace.LibraryPath(work_path::tree))));
    printCatalogs(project, workspace);
    if (parser.isSet(holdOption)) holdUntilInputCloses();
    runExit(workspace);
    return 0;
  } catch (const Error& e) {
    std::cerr << "solvane-cli: " << e.what() << '\n';
    runExit(workspace);
    return 1;
  }
}

}  // namespace solvane
