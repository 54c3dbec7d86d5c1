#include "photos/staging_paths.h"

#include "model/project.h"
#include "model/workspace.h"

namespace solvane::staging {

QString root(const Workspace& ws) { return ws.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\")); }

QString renderPicFolder(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\pic\\"));
}

QString instancePrefix(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_"));
}

QString instanceFolder(const Workspace& ws, const QString& instance) {
  return instancePrefix(ws) + instance + QLatin1Char('/');
}

QString instanceMovie(const Workspace& ws, const QString& instance) {
  return instanceFolder(ws, instance) + QStringLiteral("w_j_") + instance +
         Project::Edit_kuozhanming_1;
}

QString slotPicture(const Workspace& ws, const QString& instance, const QString& pictureName) {
  return instanceFolder(ws, instance) + pictureName + Project::Edit_kuozhanming_2;
}

QString closingFolder(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_zuihou\\"));
}

QString closingMovie(const Workspace& ws) {
  return closingFolder(ws) + QStringLiteral("w_j_zuihou") + Project::Edit_kuozhanming_1;
}

QString closingPackage(const Workspace& ws) {
  return ws.LibraryPath(QStringLiteral("smxcwjj\\wj_0_or_1\\wj_1.rar"));
}

QString closingScratch(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\wj_0_or_1\\wj_1_jy.rar"));
}

QString movieScratch(const Workspace& ws, const QString& counter) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\wj_0_or_1\\wj_1_jy") + counter +
                     QStringLiteral(".rar"));
}

QString thumbnailFolder(const Workspace& ws) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\tp_wj\\tp_slt_1\\"));
}

QString thumbnailFile(const Workspace& ws, int rowNumber) {
  return thumbnailFolder(ws) + QStringLiteral("tp_slt_1_%1").arg(rowNumber) +
         Project::Edit_kuozhanming_7;
}

QString previewSlotPicture(const Workspace& ws, const QString& instance,
                           const QString& pictureName) {
  return ws.WorkPath(QStringLiteral("smxcwjj\\wj_yl_xg_1\\wj_yl_xg_1\\wj_yl_xg_1\\tp_wjj\\wj_yl_xg")) +
         instance + QLatin1Char('/') + pictureName + Project::Edit_kuozhanming_2;
}

}  // namespace solvane::staging
