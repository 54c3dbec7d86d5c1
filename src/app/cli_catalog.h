#pragma once
#include <QStringList>

namespace solvane {

// `solvane-cli catalog [--workspace DIR] [--library DIR]`: start-up without windows, a
// report of the template catalogs, then the exit sequence. `args` starts with "catalog".
// Returns the process exit code.
int runCatalogCommand(const QStringList& args);

}  // namespace solvane
