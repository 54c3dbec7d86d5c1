#include "ui/lyrics/karaoke_style_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "lyrics/colour_names.h"

namespace solvane::ui {
namespace {

void choose(QComboBox* box, const QString& text) {
  if (box->findText(text) < 0) box->addItem(text);
  box->setCurrentText(text);
}

}  // namespace

KaraokeStyleWindow::KaraokeStyleWindow(const KaraokeStyle& style, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("卡拉OK设置"));
  setObjectName(QStringLiteral("KaraokeStyleWindow"));
  colour_ = new QComboBox(this);
  fill_ = new QComboBox(this);
  colour_->addItems(colourNames());
  fill_->addItems(colourNames());
  font_ = new QComboBox(this);
  font_->addItems(QFontDatabase::families());
  size_ = new QComboBox(this);
  size_->addItems(styleFontSizes());
  bold_ = new QCheckBox(QStringLiteral("粗体"), this);
  italic_ = new QCheckBox(QStringLiteral("斜体"), this);
  underline_ = new QCheckBox(QStringLiteral("下划线"), this);
  simplified_ = new QRadioButton(QStringLiteral("简体文字"), this);
  traditional_ = new QRadioButton(QStringLiteral("繁体文字"), this);

  auto* grid = new QGridLayout(this);
  int row = 0;
  const auto group = [&](const QString& caption, QWidget* a, QWidget* b, QWidget* c,
                         void (*reset)(KaraokeStyle&)) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    auto* controls = new QHBoxLayout;
    for (QWidget* w : {a, b, c})
      if (w) controls->addWidget(w);
    controls->addStretch();
    grid->addLayout(controls, row, 1);
    auto* standard = new QPushButton(QStringLiteral("默认"), this);
    standard->setObjectName(QStringLiteral("默认-") + caption);
    connect(standard, &QPushButton::clicked, this, [this, reset] {
      KaraokeStyle s = this->style();
      reset(s);
      present(s);
    });
    grid->addWidget(standard, row++, 2);
  };
  group(QStringLiteral("歌词颜色："), colour_, nullptr, nullptr, resetKaraokeColour);
  group(QStringLiteral("渲染颜色："), fill_, nullptr, nullptr, resetKaraokeFillColour);
  group(QStringLiteral("歌词字体："), font_, nullptr, nullptr, resetKaraokeFont);
  group(QStringLiteral("歌词大小："), size_, nullptr, nullptr, resetKaraokeFontSize);
  group(QStringLiteral("字体样式："), bold_, italic_, underline_, resetKaraokeFontStyle);
  group(QStringLiteral("简繁文字："), simplified_, traditional_, nullptr, resetKaraokeScript);
  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, row, 0, 1, 3);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  present(style);
}

void KaraokeStyleWindow::present(const KaraokeStyle& s) {
  choose(colour_, s.colorName);
  choose(fill_, s.fillColorName);
  choose(font_, s.fontName);
  choose(size_, QString::number(s.fontSize));
  bold_->setChecked(s.bold);
  italic_->setChecked(s.italic);
  underline_->setChecked(s.underline);
  (s.script == QLatin1String("fanti") ? traditional_ : simplified_)->setChecked(true);
}

KaraokeStyle KaraokeStyleWindow::style() const {
  KaraokeStyle s;
  s.colorName = colour_->currentText();
  s.fillColorName = fill_->currentText();
  s.fontName = font_->currentText();
  s.fontSize = size_->currentText().toInt();
  s.bold = bold_->isChecked();
  s.italic = italic_->isChecked();
  s.underline = underline_->isChecked();
  s.script = traditional_->isChecked() ? QStringLiteral("fanti") : QStringLiteral("jianti");
  return s;
}

}  // namespace solvane::ui
