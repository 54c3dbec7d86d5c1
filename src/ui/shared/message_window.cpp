#include "ui/shared/message_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace solvane::ui {

MessageWindow::MessageWindow(const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("提示信息"));
  setObjectName(QStringLiteral("MessageWindow"));
  text_ = new QLabel(text, this);
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text_->setMinimumWidth(360);
  text_->setMaximumWidth(640);
  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(16);
  layout->addWidget(text_);
  layout->addLayout(buttons);
}

QString MessageWindow::text() const { return text_->text(); }

}  // namespace solvane::ui
