#include "ui/render/lyric_type_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/project.h"

namespace solvane::ui {

LyricTypeWindow::LyricTypeWindow(Project& project, QWidget* parent)
    : QDialog(parent), project_(project) {
  setWindowTitle(QStringLiteral("歌词类型选择"));
  auto* note = new QLabel(
      QStringLiteral("说明：检测到已经添加了 LRC 歌词文件和卡拉OK歌词文件，选择后，点[确定]按钮开始制作"),
      this);
  note->setWordWrap(true);
  lrc_ = new QRadioButton(QStringLiteral("使用LRC歌词"), this);
  ksc_ = new QRadioButton(QStringLiteral("使用卡拉OK歌词"), this);
  both_ = new QRadioButton(QStringLiteral("两种歌词都使用"), this);
  both_->setChecked(true);
  project_.Edit1_shiyong_lrc_or_ksc = QStringLiteral("shiyong_lrcksc");
  const auto choose = [this](QRadioButton* button, const char* word) {
    connect(button, &QRadioButton::toggled, this, [this, word](bool on) {
      if (on) project_.Edit1_shiyong_lrc_or_ksc = QString::fromLatin1(word);
    });
  };
  choose(lrc_, "shiyong_lrc");
  choose(ksc_, "shiyong_ksc");
  choose(both_, "shiyong_lrcksc");

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addWidget(note);
  layout->addWidget(lrc_);
  layout->addWidget(ksc_);
  layout->addWidget(both_);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

}  // namespace solvane::ui
