#include "model/instance_lock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

#include "model/error.h"

namespace solvane {

std::unique_ptr<InstanceLock> InstanceLock::tryAcquire(const QString& lockFile) {
  const QByteArray path = QFile::encodeName(lockFile);
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    throw Error(QStringLiteral("%1: cannot open the instance lock (%2)")
                    .arg(lockFile, QString::fromLocal8Bit(std::strerror(errno))));
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
  const int err = errno;
  ::close(fd);
  if (err == EWOULDBLOCK) return nullptr;
  throw Error(QStringLiteral("%1: cannot take the instance lock (%2)")
                  .arg(lockFile, QString::fromLocal8Bit(std::strerror(err))));
}

InstanceLock::~InstanceLock() { ::close(fd_); }

}  // namespace solvane
