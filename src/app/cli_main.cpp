// solvane-cli: makes albums without windows.
#include <cstdio>

#include <QCoreApplication>
#include <QStringList>

#include "app/cli_catalog.h"
#include "model/fonts.h"

int main(int argc, char** argv) {
  solvane::loadFontAliases();
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (!args.isEmpty() && args.front() == QLatin1String("catalog"))
    return solvane::runCatalogCommand(args);
  if (!args.isEmpty() && (args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h"))) {
    std::puts("usage: solvane-cli catalog [--workspace DIR] [--library DIR]\n"
              "  catalog   start up without windows, list the template catalogs, exit");
    return 0;
  }
  std::puts("solvane-cli: nothing to do yet");
  return 0;
}
