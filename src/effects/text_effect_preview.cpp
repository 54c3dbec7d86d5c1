#include "effects/text_effect_preview.h"

#include "model/columns.h"
#include "model/error.h"
#include "model/sentinels.h"
#include "model/frame_clock.h"

namespace solvane {

TextEffectPreview::TextEffectPreview(Table& rows) : rows_(rows) {}

void TextEffectPreview::start(int row, QSize area, const std::vector<QSize>& labelSizes) {
  stop();
  if (static_cast<int>(labelSizes.size()) != rows_.count())
    throw Error(QStringLiteral("text effect preview: %1 label sizes for %2 rows")
                    .arg(labelSizes.size()).arg(rows_.count()));
  row_ = row;
  area_ = area;
  Edit_yulanfangshi = row >= 0 ? preview_word::dangeyulan : preview_word::quanbuyulan;
  Edit_jiance_zhuangtai_qidongleijia = QStringLiteral("0");
  for (const QSize& size : labelSizes) labels_.push_back({0, 0, size.width(), size.height(), false});
  Edit_chuangjian = preview_word::chuangjian;
  running_ = true;
}

bool TextEffectPreview::tick() {
  if (!running_) return false;
  const long long ticks = Edit_wenzi_num.toLongLong() + 1;
  Edit_wenzi_num = QString::number(ticks);
  Edit_shijian = FrameClockText(ticks);

  const MotionField field{area_.width(), area_.height(), Edit_wenzizhuangshi_num.toInt()};
  for (int i = 0; i < rows_.count(); ++i)
    if (row_ < 0 || i == row_) StepTextMotion(rows_, i, Edit_shijian, field, labels_[i]);

  int idle = 0;
  for (int i = 0; i < rows_.count(); ++i) {
    const QString state = rows_.cell(i, label_col::state);
    if (state == word::tingzhi) ++idle;
    if (state == word::qidong) Edit_jiance_zhuangtai_qidongleijia = QStringLiteral("1");
  }
  Edit_jiance_zhuangtai = QString::number(idle);

  if (Edit_jiance_zhuangtai_qidongleijia == QLatin1String("1") && idle == rows_.count()) stop();
  return running_;
}

void TextEffectPreview::stop() {
  running_ = false;
  Edit_wenzi_num = QStringLiteral("0");
  Edit_shijian = QStringLiteral("00:00");
  for (int i = 0; i < rows_.count(); ++i) rows_.setCell(i, label_col::state, word::tingzhi);
  labels_.clear();
  Edit_chuangjian = word::wu;
}

}  // namespace solvane
