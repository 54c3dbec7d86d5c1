#include "templates/bar_list.h"

namespace solvane {

QStringList split_bar_list(const QString& text) {
  QStringList parts = text.split(QLatin1Char('|'));
  // parts.front() stands before the first bar, parts.back() after the last one.
  if (parts.size() < 3) return {};
  return parts.mid(1, parts.size() - 2);
}

}  // namespace solvane
