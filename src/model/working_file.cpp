#include "model/working_file.h"

#include <QFile>

#include "model/error.h"

namespace solvane {

void writeWorkingFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
      file.flush()) {
    file.close();
    if (file.error() == QFileDevice::NoError) return;
  }
  const QString reason = file.errorString();
  file.close();
  QFile::remove(path);
  throw Error(QStringLiteral("%1: cannot write (%2)").arg(path, reason));
}

}  // namespace solvane
