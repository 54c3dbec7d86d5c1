#include "templates/startup_sequence.h"

#include "model/startup.h"
#include "templates/catalog.h"

namespace solvane {

std::unique_ptr<InstanceLock> runStartup(Project& project, const Workspace& workspace,
                                         const JobControl& job) {
  std::unique_ptr<InstanceLock> lock = acquireInstanceLock(workspace);
  if (!lock) return nullptr;
  loadTemplateCatalogs(project, workspace, job);
  prepareWorkingTree(workspace);
  return lock;
}

}  // namespace solvane
