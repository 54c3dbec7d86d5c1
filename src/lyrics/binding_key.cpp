#include "lyrics/binding_key.h"

#include <mutex>
#include <set>

#include <QDateTime>

namespace solvane {

QString makeBindingKey(int suffix) {
  static std::mutex mutex;
  static std::set<QString> issued;

  const QString base = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-M-d H:mm:ss")) +
                       QString::number(suffix);
  std::lock_guard lock(mutex);
  QString key = base;
  for (int n = 2; issued.count(key) != 0; ++n) key = base + '#' + QString::number(n);
  issued.insert(key);
  return key;
}

}  // namespace solvane
