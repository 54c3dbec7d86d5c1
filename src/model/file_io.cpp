#include "model/file_io.h"

#include <atomic>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include <QFile>

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

// The rename makes the write all-or-nothing. There is deliberately no sync to disk: these
// are working files of one run, written by the thousand, and a sync per file would cost
// more than the writing itself.
void writeWholeFile(const QString& path, const QByteArray& bytes) {
  static std::atomic<unsigned> counter{0};
  const QString temporary =
      QStringLiteral("%1.part-%2-%3").arg(path).arg(getpid()).arg(counter++);
  QFile file(temporary);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
    throw Error(QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString()));
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  const QString reason = file.errorString();
  file.close();
  std::error_code ec;
  if (written && file.error() == QFileDevice::NoError)
    std::filesystem::rename(temporary.toStdU16String(), path.toStdU16String(), ec);
  if (!written || ec) {
    QFile::remove(temporary);
    throw Error(QStringLiteral("%1: cannot write (%2)")
                    .arg(path, written ? QString::fromStdString(ec.message()) : reason));
  }
}

}  // namespace solvane
