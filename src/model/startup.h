#pragma once
// The life of a run around the working tree: the single-instance lock, a clean tree with
// empty thumbnail folders at start-up, and the tree cleared again at exit. Headless, so the
// windows and the command line share it; the whole start-up sequence, which also loads the
// template catalogs, is in templates/startup_sequence.h.
#include <memory>

#include "model/instance_lock.h"

namespace solvane {

class Workspace;

// The lock named "Solvane" of the workspace. nullptr means another copy runs on this
// working tree: the caller ends at once, with exit code 0 and without a message.
std::unique_ptr<InstanceLock> acquireInstanceLock(const Workspace& workspace);

// Thumbnail folders cleared and created, staging, preview and unused trees cleared,
// leftover files deleted: what remains of a run that was killed goes away here.
void prepareWorkingTree(const Workspace& workspace);

// Everything a run wrote is removed; the installed library is never touched.
void clearWorkingTree(const Workspace& workspace);

// The twenty fixed leftover files, in order, where they exist.
void deleteLeftoverFiles(const Workspace& workspace);

// The exit sequence without windows.
void runExit(const Workspace& workspace);

}  // namespace solvane
