#pragma once
#include <QByteArray>
#include <QString>

namespace solvane {

// Writes a working file of the staging tree (thumbnail, slot picture, unpacked movie). The
// tree is rebuilt from the project whenever it is lost, so the write is not synced to disk;
// that sync would cost more than the whole picture. A failed write leaves no partial file
// and throws Error naming the file.
void writeWorkingFile(const QString& path, const QByteArray& bytes);

}  // namespace solvane
