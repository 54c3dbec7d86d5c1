#include "ui/shared/confirm_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace solvane::ui {

ConfirmWindow::ConfirmWindow(const QString& title, const QString& text, QWidget* parent,
                             const QString& okCaption)
    : QDialog(parent) {
  setWindowTitle(title);
  auto* label = new QLabel(text, this);
  label->setWordWrap(true);
  label->setMinimumWidth(320);
  auto* ok = ok_ = new QPushButton(okCaption, this);
  auto* cancel = cancel_ = new QPushButton(QStringLiteral("取消"), this);
  cancel->setDefault(true);  // a stray Enter must not throw the work away
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(16);
  layout->addWidget(label);
  layout->addLayout(buttons);
}

}  // namespace solvane::ui
