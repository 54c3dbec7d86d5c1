#pragma once
// Whole-file reads and writes that fail with a clear Error naming the file.
#include <QByteArray>
#include <QString>

namespace solvane {

QByteArray readWholeFile(const QString& path);
// The same for files of outside origin: a file larger than `maxBytes` is refused, naming
// `what` ("lyric file", "movie file") and the limit, before anything is read.
QByteArray readWholeFile(const QString& path, qint64 maxBytes, const QString& what);
// Writes through a temporary file beside the target and renames it into place, so a
// failed write (full disk, unwritable folder) never leaves a half-written file.
void writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace solvane
