#include "model/album_choices.h"

#include "model/error.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

const QString kQuxiao = QStringLiteral("quxiao");

std::vector<OutputSize> pairedSizes(std::initializer_list<int> widths,
                                    std::initializer_list<int> heights) {
  std::vector<OutputSize> sizes;
  auto h = heights.begin();
  for (int w : widths) sizes.push_back({w, *h++});
  return sizes;
}

bool isOutputKind(const QString& kind) {
  return kind == word::VCD || kind == word::SVCD || kind == word::DVD || kind == word::AVI ||
         kind == word::MP4 || kind == word::XLTP;
}

}  // namespace

QString cropCaption(CropSettings::Landscape choice) {
  return choice == CropSettings::Landscape::quanping ? QStringLiteral("横照片剪裁成全屏效果")
                                                     : QStringLiteral("横照片剪裁成模板特效默认效果");
}

QString cropCaption(CropSettings::Portrait choice) {
  return choice == CropSettings::Portrait::jubufangda ? QStringLiteral("竖照片剪裁成局部放大效果")
                                                      : QStringLiteral("竖照片使用模板特效默认效果");
}

bool sameCrops(const CropSettings& a, const CropSettings& b) {
  return a.landscape == b.landscape && a.portrait == b.portrait;
}

QString OutputSize::text() const {
  return QString::number(width) + QStringLiteral(" × ") + QString::number(height);
}

const std::vector<OutputSize>& outputSizes(const QString& kind) {
  static const std::vector<OutputSize> vcd =
      pairedSizes({320, 464, 640, 800, 1280}, {176, 256, 368, 480, 720});
  static const std::vector<OutputSize> others =
      pairedSizes({320, 464, 640, 800, 1280, 1440, 1600, 1920},
                  {176, 256, 368, 480, 720, 816, 896, 1080});
  if (!isOutputKind(kind)) throw Error(QStringLiteral("unknown output kind \"%1\"").arg(kind));
  return kind == word::VCD ? vcd : others;
}

OutputSize qualityFrameSize(const QString& kind, const QString& quality) {
  outputSizes(kind);  // refuses unknown kinds
  const OutputSize sd{1280, 720};
  const OutputSize hd{1920, 1080};
  if (kind == word::VCD) return sd;
  if (kind == word::XLTP) return hd;
  return quality == word::yiban_huazhi ? sd : hd;
}

int defaultOutputSizeIndex(const QString& kind, const QString& quality) {
  const auto& sizes = outputSizes(kind);
  const OutputSize wanted = qualityFrameSize(kind, quality);
  for (int i = 0; i < static_cast<int>(sizes.size()); ++i)
    if (sizes[i] == wanted) return i;
  return static_cast<int>(sizes.size()) - 1;
}

const QStringList& imageSequenceFormats() {
  static const QStringList formats = {"JPG", "BMP", "TGA", "PCX"};
  return formats;
}

void OutputSizeWindow::prepare(const QString& outputKind, const QString& outputQuality) {
  kind = outputKind;
  quality = outputQuality;
  format = imageSequenceFormats().first();
  Edit_quxiao.clear();
  chooseSize(defaultOutputSizeIndex(kind, quality));
}

void OutputSizeWindow::chooseSize(int index) {
  const auto& sizes = outputSizes(kind);
  if (index < 0 || index >= static_cast<int>(sizes.size()))
    throw Error(QStringLiteral("no output size entry %1 for %2").arg(index).arg(kind));
  selected = index;
  current_size_text = sizes[index].text();
  Edit_chicun_width = QString::number(sizes[index].width);
  Edit_chicun_height = QString::number(sizes[index].height);
  if (kind == word::XLTP) {
    format = imageSequenceFormats().first();
    type_field = format;
  } else {
    type_field = kind;
  }
}

void OutputSizeWindow::chooseDefault() { chooseSize(defaultOutputSizeIndex(kind, quality)); }

void OutputSizeWindow::chooseFormat(const QString& chosen) {
  if (!imageSequenceFormats().contains(chosen))
    throw Error(QStringLiteral("unknown picture format \"%1\" (JPG, BMP, TGA or PCX)").arg(chosen));
  format = chosen;
  type_field = chosen;
}

void OutputSizeWindow::close() { Edit_quxiao = kQuxiao; }

bool OutputSizeWindow::cancelled() const { return Edit_quxiao == kQuxiao; }

OutputSize OutputSizeWindow::size() const { return outputSizes(kind).at(selected); }

int OutputSizeWindow::windowWidth() const { return formatChoiceVisible() ? 730 : 660; }

bool OutputSizeWindow::formatChoiceVisible() const { return kind == word::XLTP; }

}  // namespace solvane
