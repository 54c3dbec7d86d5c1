#pragma once
// Whole-file reads and writes that fail with a clear Error naming the file.
#include <QByteArray>
#include <QString>

namespace solvane {

QByteArray readWholeFile(const QString& path);
// Writes through a temporary file beside the target and renames it into place, so a
// failed write (full disk, unwritable folder) never leaves a half-written file.
void writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace solvane
