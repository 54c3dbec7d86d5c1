#include "model/file_io.h"

#include <QFile>
#include <QSaveFile>

#include "model/error.h"

namespace solvane {

QByteArray readWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()));
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Error(QStringLiteral("%1: cannot read (%2)").arg(path, file.errorString()));
  return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throw Error(QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString()));
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw Error(QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString()));
}

}  // namespace solvane
