#pragma once
// Start-up without windows, in the order every front end runs it: the single-instance lock,
// the four catalog steps, then the working tree made clean.
#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

#include "model/instance_lock.h"
#include "model/job.h"

namespace solvane {

struct Project;
class Workspace;

// The captions of the four catalog steps, in the order they run.
const QStringList& catalogStepCaptions();

// Told the index (0 … 3) of each catalog step as it begins.
using StartupStepStarted = std::function<void(int step)>;

// The steps after the lock: the four catalog steps, then the working tree made clean.
// Throws Error when the template library cannot be loaded (the tree is then left alone).
void runStartupSteps(Project& project, const Workspace& workspace, const JobControl& job = {},
                     const StartupStepStarted& stepStarted = {});

// The lock, then runStartupSteps. Returns nullptr when another copy holds the lock (nothing
// else is done then). Throws Error as runStartupSteps does.
std::unique_ptr<InstanceLock> runStartup(Project& project, const Workspace& workspace,
                                         const JobControl& job = {},
                                         const StartupStepStarted& stepStarted = {});

}  // namespace solvane
