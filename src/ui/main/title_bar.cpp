#include "ui/main/title_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

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

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT doubleClicked();
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace solvane::ui
