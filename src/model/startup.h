#pragma once
// The life of a run around the working tree: start-up takes the single-instance lock,
// loads the template catalogs and leaves a clean tree with empty thumbnail folders; exit
// clears the tree again. Headless, so the windows and the command line share it.
#include <memory>

#include "model/instance_lock.h"
#include "model/job.h"

namespace solvane {

struct Project;
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

// Start-up without windows: the lock, the four catalog steps, the working tree. Returns
// nullptr when another copy holds the lock (nothing else is done then). Throws Error when
// the template library cannot be loaded; the working-tree steps that follow are skipped.
std::unique_ptr<InstanceLock> runStartup(Project& project, const Workspace& workspace,
                                         const JobControl& job = {});

// The exit sequence without windows.
void runExit(const Workspace& workspace);

}  // namespace solvane
