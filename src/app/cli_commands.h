#pragma once
// The subcommands of solvane-cli. Each returns the process exit status.
#include <stop_token>

#include <QStringList>

namespace solvane::cli {

// "album": makes one album; `stop` is requested by Ctrl-C.
int runAlbum(const QStringList& args, std::stop_token stop);

}  // namespace solvane::cli
