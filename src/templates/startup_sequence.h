#pragma once
// Start-up without windows, in the order every front end runs it: the single-instance lock,
// the four catalog steps, then the working tree made clean.
#include <memory>

#include "model/instance_lock.h"
#include "model/job.h"

namespace solvane {

struct Project;
class Workspace;

// Returns nullptr when another copy holds the lock (nothing else is done then). Throws Error
// when the template library cannot be loaded; the working-tree steps that follow are skipped.
std::unique_ptr<InstanceLock> runStartup(Project& project, const Workspace& workspace,
                                         const JobControl& job = {});

}  // namespace solvane
