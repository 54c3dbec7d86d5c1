#pragma once
// Names of the staging tree: instance folders with their movie and pictures, the closing
// movie, thumbnails, preview copies and the unpacking scratch files.
#include <QString>

namespace solvane {

class Workspace;

namespace staging {

QString root(const Workspace& ws);                   // smxcwjj\tp_wjj\tp_wjj\ .
QString renderPicFolder(const Workspace& ws);        // smxcwjj\tp_wjj\pic\ .
QString instancePrefix(const Workspace& ws);         // …\tp_wjj_ (Edit_str_mulu1)
QString instanceFolder(const Workspace& ws, const QString& instance);
QString instanceMovie(const Workspace& ws, const QString& instance);  // w_j_<t>.rar
// The staged picture of a slot: picture_<k> with the staged-picture ending.
QString slotPicture(const Workspace& ws, const QString& instance, const QString& pictureName);
QString closingFolder(const Workspace& ws);
QString closingMovie(const Workspace& ws);
QString closingPackage(const Workspace& ws);         // installed: smxcwjj\wj_0_or_1\wj_1.rar
QString closingScratch(const Workspace& ws);         // smxcwjj\wj_0_or_1\wj_1_jy.rar
QString movieScratch(const Workspace& ws, const QString& counter);  // wj_1_jy<n>.rar
QString thumbnailFolder(const Workspace& ws);
QString thumbnailFile(const Workspace& ws, int rowNumber);  // tp_slt_1_<n>.bmp, 1-based
QString previewSlotPicture(const Workspace& ws, const QString& instance,
                           const QString& pictureName);

}  // namespace staging
}  // namespace solvane
