#include "templates/startup_sequence.h"

#include "model/startup.h"
#include "templates/catalog.h"

namespace solvane {

const QStringList& catalogStepCaptions() {
  static const QStringList captions = {QStringLiteral("读取模板参数"), QStringLiteral("解压全部模板"),
                                       QStringLiteral("处理模板1"), QStringLiteral("处理模板2")};
  return captions;
}

void runStartupSteps(Project& project, const Workspace& workspace, const JobControl& job,
                     const StartupStepStarted& stepStarted) {
  const auto step = [&](int index) {
    job.checkStop();
    if (stepStarted) stepStarted(index);
  };
  step(0);
  Button1Click(project, workspace);
  step(1);
  Button2Click(project, workspace, job);
  step(2);
  Button5Click(project);
  step(3);
  Button11Click(project);
  prepareWorkingTree(workspace);
}

std::unique_ptr<InstanceLock> runStartup(Project& project, const Workspace& workspace,
                                         const JobControl& job,
                                         const StartupStepStarted& stepStarted) {
  std::unique_ptr<InstanceLock> lock = acquireInstanceLock(workspace);
  if (!lock) return nullptr;
  runStartupSteps(project, workspace, job, stepStarted);
  return lock;
}

}  // namespace solvane
