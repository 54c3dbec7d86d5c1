#include "model/tip_placement.h"

namespace solvane {

QPoint tipPlacement(QPoint pointer, QSize tip, const QRect& screen) {
  QPoint at(pointer.x() - 20, pointer.y() + 10);
  if (at.x() < screen.left()) at.setX(screen.left() + 8);
  if (at.x() + tip.width() > screen.right() + 1) at.setX(screen.right() + 1 - tip.width() - 5);
  if (at.y() < screen.top()) at.setY(screen.top() + 8);
  if (at.y() + tip.height() > screen.bottom() + 1) at.setY(pointer.y() + 10 - tip.height() - 12);
  return at;
}

}  // namespace solvane
