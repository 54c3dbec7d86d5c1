#include "model/startup.h"

#include <QFile>

#include "model/work_paths.h"
#include "model/workspace.h"

namespace solvane {

std::unique_ptr<InstanceLock> acquireInstanceLock(const Workspace& workspace) {
  EnsureFolder(workspace.WorkPath(work_path::tree));
  return InstanceLock::tryAcquire(workspace.WorkPath(work_path::instance_lock));
}

void prepareWorkingTree(const Workspace& ws) {
  for (QLatin1String folder :
       {work_path::photo_thumbnails, work_path::music_thumbnails, work_path::lyric_thumbnails}) {
    ClearFolder(ws.WorkPath(folder));
    EnsureFolder(ws.WorkPath(folder));
  }
  for (QLatin1String folder : {work_path::staging_root, work_path::player_picture,
                               work_path::unused_deep, work_path::preview})
    ClearFolder(ws.WorkPath(folder));
  deleteLeftoverFiles(ws);
}

void clearWorkingTree(const Workspace& ws) {
  for (QLatin1String folder : {work_path::thumbnails, work_path::staging,
                               work_path::catalog_scratch, work_path::unused_deep,
                               work_path::preview})
    ClearFolder(ws.WorkPath(folder));
  deleteLeftoverFiles(ws);
}

void deleteLeftoverFiles(const Workspace& ws) {
  for (QLatin1String file : work_path::leftover_files) QFile::remove(ws.WorkPath(file));
}

void runExit(const Workspace& workspace) { clearWorkingTree(workspace); }

}  // namespace solvane
