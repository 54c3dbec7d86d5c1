#include "ui/effects/other_settings_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "effects/album_settings.h"
#include "model/project.h"
#include "model/sentinels.h"

namespace solvane::ui {
namespace {

// A group box of two exclusive choices; `first` is on when `firstOn`.
QGroupBox* choiceGroup(QWidget* parent, const QString& title, QRadioButton* first,
                       QRadioButton* second, bool firstOn, Qt::Orientation orientation) {
  auto* box = new QGroupBox(title, parent);
  QBoxLayout* layout = orientation == Qt::Horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                                                     : new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  group->addButton(first);
  group->addButton(second);
  layout->addWidget(first);
  layout->addWidget(second);
  if (orientation == Qt::Horizontal) layout->addStretch();
  (firstOn ? first : second)->setChecked(true);
  return box;
}

}  // namespace

OtherSettingsWindow::OtherSettingsWindow(Project& project, QWidget* parent)
    : QDialog(parent), project_(project) {
  setWindowTitle(QStringLiteral("其它设置"));
  pal_ = new QRadioButton(QStringLiteral("PAL制式"), this);
  ntsc_ = new QRadioButton(QStringLiteral("NTSC制式"), this);
  normal_ = new QRadioButton(QStringLiteral("一般画质"), this);
  high_ = new QRadioButton(QStringLiteral("高清画质"), this);
  landscapeFull_ = new QRadioButton(cropCaption(CropSettings::Landscape::quanping), this);
  landscapeTemplate_ = new QRadioButton(cropCaption(CropSettings::Landscape::moren), this);
  portraitCloseUp_ = new QRadioButton(cropCaption(CropSettings::Portrait::jubufangda), this);
  portraitTemplate_ = new QRadioButton(cropCaption(CropSettings::Portrait::moren), this);

  const CropSettings& crops = project_.crop_settings;
  auto* tv = choiceGroup(this, QStringLiteral("电视制式"), pal_, ntsc_,
                         project_.Edit_VCDSVCDDVD_zhishi != word::NTSC, Qt::Horizontal);
  auto* quality = choiceGroup(this, QStringLiteral("画面质量"), normal_, high_,
                              project_.Edit_huanmian_zhiliang == word::yiban_huazhi, Qt::Horizontal);
  auto* landscape = choiceGroup(
      this, QStringLiteral("导入照片时，对横照片的剪裁效果   (支持单张照片模板效果)"), landscapeFull_,
      landscapeTemplate_, crops.landscape == CropSettings::Landscape::quanping, Qt::Vertical);
  auto* portrait = choiceGroup(
      this, QStringLiteral("导入照片时，对竖照片的剪裁效果   (支持单张照片模板效果)"), portraitCloseUp_,
      portraitTemplate_, crops.portrait == CropSettings::Portrait::jubufangda, Qt::Vertical);

  connect(pal_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseTvSystem(project_, word::PAL);
  });
  connect(ntsc_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseTvSystem(project_, word::NTSC);
  });
  connect(normal_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseQuality(project_, word::yiban_huazhi);
  });
  connect(high_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseQuality(project_, word::gaoqing_huazhi);
  });
  connect(landscapeFull_, &QRadioButton::toggled, this, [this](bool on) {
    project_.crop_settings.landscape = on ? CropSettings::Landscape::quanping : CropSettings::Landscape::moren;
  });
  connect(portraitCloseUp_, &QRadioButton::toggled, this, [this](bool on) {
    project_.crop_settings.portrait = on ? CropSettings::Portrait::jubufangda : CropSettings::Portrait::moren;
  });

  auto* close = new QPushButton(QStringLiteral("确定"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);

  auto* grid = new QGridLayout;
  grid->addWidget(tv, 0, 0);
  grid->addWidget(quality, 0, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addLayout(grid);
  layout->addWidget(landscape);
  layout->addWidget(portrait);
  layout->addLayout(buttons);
}

}  // namespace solvane::ui
