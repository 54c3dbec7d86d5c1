#include "model/file_io.h"

#include <algorithm>
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

QByteArray readWholeFile(const QString& path, qint64 maxBytes, const QString& what) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(QStringLiteral("%1: cannot open (%2)").arg(path, file.errorString()));
  // The size is asked first, and the read stops one byte past the limit anyway, so a file
  // that grows (or a device that reports no size) cannot get more memory than it may. It
  // reads in pieces: asking for the limit at once would allocate all of it for every file.
  QByteArray bytes;
  if (file.size() <= maxBytes) {
    bytes.reserve(file.size());
    while (bytes.size() <= maxBytes) {
      const QByteArray piece = file.read(std::min<qint64>(1 << 20, maxBytes + 1 - bytes.size()));
      if (piece.isEmpty()) break;
      bytes += piece;
    }
  }
  if (file.error() != QFileDevice::NoError)
    throw Error(QStringLiteral("%1: cannot read (%2)").arg(path, file.errorString()));
  if (file.size() > maxBytes || bytes.size() > maxBytes)
    throw Error(QStringLiteral("%1: too large for a %2 (%3 bytes; at most %4 MB)")
                    .arg(path, what)
                    .arg(std::max<qint64>(file.size(), bytes.size()))
                    .arg(maxBytes / (1024 * 1024)));
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
