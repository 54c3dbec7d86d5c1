#include "ui/render/output_size_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/album_choices.h"

namespace solvane::ui {

OutputSizeDialog::OutputSizeDialog(solvane::OutputSizeWindow& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setWindowTitle(QStringLiteral("输出相册尺寸"));
  sizes_ = new QComboBox(this);
  for (const OutputSize& size : outputSizes(state_.kind)) sizes_->addItem(size.text());
  formats_ = new QComboBox(this);
  formats_->addItems(imageSequenceFormats());
  current_ = new QLineEdit(this);
  current_->setReadOnly(true);
  type_ = new QLineEdit(this);
  type_->setReadOnly(true);
  default_ = new QPushButton(QStringLiteral("默认"), this);
  start_ = new QPushButton(QStringLiteral("开始制作"), this);
  start_->setDefault(true);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(14);
  grid->addWidget(new QLabel(QStringLiteral("选择相册输出尺寸："), this), 0, 0);
  grid->addWidget(sizes_, 0, 1);
  grid->addWidget(default_, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("当前输出相册尺寸："), this), 1, 0);
  grid->addWidget(current_, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("输出电子相册类型："), this), 2, 0);
  grid->addWidget(type_, 2, 1, 1, 2);
  if (state_.formatChoiceVisible()) {
    grid->addWidget(new QLabel(QStringLiteral("序列图片格式："), this), 3, 0);
    grid->addWidget(formats_, 3, 1);
  } else {
    formats_->hide();
  }
  grid->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(start_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 24, 28, 20);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(buttons);
  setFixedSize(state_.windowWidth(), 290);

  connect(sizes_, &QComboBox::activated, this, [this](int index) {
    state_.chooseSize(index);
    showState();
  });
  connect(formats_, &QComboBox::activated, this, [this](int index) {
    state_.chooseFormat(imageSequenceFormats().value(index));
    showState();
  });
  connect(default_, &QPushButton::clicked, this, [this] {
    state_.chooseDefault();
    showState();
  });
  connect(start_, &QPushButton::clicked, this, &QDialog::accept);
  showState();
}

void OutputSizeDialog::showState() {
  const QSignalBlocker a(sizes_), b(formats_);
  sizes_->setCurrentIndex(state_.selected);
  formats_->setCurrentIndex(imageSequenceFormats().indexOf(state_.format));
  current_->setText(state_.current_size_text);
  type_->setText(state_.type_field);
}

void OutputSizeDialog::reject() {
  state_.close();
  QDialog::reject();
}

}  // namespace solvane::ui
