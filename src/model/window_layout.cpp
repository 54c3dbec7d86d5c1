#include "model/window_layout.h"

namespace solvane {

QString layoutWord(WindowLayout layout) {
  switch (layout) {
    case WindowLayout::Fitted: return QStringLiteral("heshibuju");
    case WindowLayout::Full: return QStringLiteral("quanpingbuju");
    case WindowLayout::Start: break;
  }
  return QStringLiteral("kaishibuju");
}

WindowLayout layoutFromWord(const QString& word) {
  if (word == QLatin1String("heshibuju")) return WindowLayout::Fitted;
  if (word == QLatin1String("quanpingbuju")) return WindowLayout::Full;
  return WindowLayout::Start;
}

QSize startLayoutSize(QSize screen) {
  const int w = screen.width();
  const int h = screen.height();
  if (w > 1920 || h > 1080) return {1280, 720};
  if (w == 1920 && h == 1080) return {w - w / 3, h - h / 3};
  if (w == 1024 && h == 768) return {w - w / 10 + 80, w / 2 + 49};
  return {w - w / 5 - 10, w / 2 - 5};
}

QRect layoutGeometry(WindowLayout layout, const QRect& screen) {
  QSize size;
  switch (layout) {
    case WindowLayout::Full: return screen;
    case WindowLayout::Fitted: size = QSize(screen.width() - 100, screen.height() - 100); break;
    case WindowLayout::Start: size = startLayoutSize(screen.size()); break;
  }
  // A screen smaller than the rule's size still shows the whole window.
  size = size.boundedTo(screen.size());
  QRect placed(QPoint(0, 0), size);
  placed.moveCenter(screen.center());
  return placed;
}

WindowLayout layoutAfterTitleDoubleClick(WindowLayout current) {
  return current == WindowLayout::Start ? WindowLayout::Full : WindowLayout::Start;
}

}  // namespace solvane
