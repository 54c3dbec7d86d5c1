#include "ui/main/title_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace solvane::ui {

TitleBar::TitleBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TitleBar"));
  setAttribute(Qt::WA_StyledBackground);
  auto* title = new QLabel(QStringLiteral("Solvane2017"), this);
  title->setObjectName(QStringLiteral("Title"));
  const auto mark = [this](const QString& text, const QString& tip) {
    auto* button = new QPushButton(text, this);
    button->setToolTip(tip);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
  };
  start_ = mark(QStringLiteral("▭"), QStringLiteral("启动窗体"));
  fitted_ = mark(QStringLiteral("□"), QStringLiteral("窗体放大"));
  full_ = mark(QStringLiteral("■"), QStringLiteral("全屏"));
  close_ = mark(QStringLiteral("✕"), QStringLiteral("退出软件"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 4, 6, 4);
  layout->addWidget(title);
  layout->addStretch();
  for (QPushButton* b : {start_, fitted_, full_, close_}) layout->addWidget(b);
}

// The window has no frame of its own: dragging the title bar moves it, through the window
// system where it offers that (Wayland allows nothing else), by hand otherwise.
void TitleBar::mousePressEvent(QMouseEvent* event) {
  dragging_ = false;
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) return;
  dragging_ = true;
  grabbedAt_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton))
    window()->move(event->globalPosition().toPoint() - grabbedAt_);
  QWidget::mouseMoveEvent(event);
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT doubleClicked();
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace solvane::ui
