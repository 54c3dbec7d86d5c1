#pragma once
// The text-effect window's preview as a state machine: each tick stands for one frame of
// the album (0.04 s on the preview clock) and runs the motion step for the previewed rows.
// The window drives tick() from its timer; the preview ends by itself once every text that
// started has stopped again.
#include <vector>

#include <QLatin1String>
#include <QSize>
#include <QString>

#include "effects/text_motion.h"
#include "model/table.h"

namespace solvane {

namespace preview_word {
inline constexpr QLatin1String dangeyulan{"dangeyulan"};    // the focused row only
inline constexpr QLatin1String quanbuyulan{"quanbuyulan"};  // every row
inline constexpr QLatin1String chuangjian{"chuangjian"};    // preview labels exist
}  // namespace preview_word

class TextEffectPreview {
 public:
  explicit TextEffectPreview(Table& rows);

  // Starts a preview over a picture area; `row` is the focused row for the single preview
  // (-1 for all rows). `labelSizes` holds each row's label box, one per row.
  void start(int row, QSize area, const std::vector<QSize>& labelSizes);
  // One tick; returns whether the preview is still running afterwards.
  bool tick();
  // Stops and resets: every row back to "tingzhi", clock to "00:00", labels destroyed.
  void stop();

  bool running() const { return running_; }
  // Preview labels, one per row ("Label_" + index), empty while none exist.
  const std::vector<MovingLabel>& labels() const { return labels_; }

  QString Edit_wenzi_num = QStringLiteral("0");
  QString Edit_shijian = QStringLiteral("00:00");
  QString Edit_wenzizhuangshi_num = QStringLiteral("3");
  QString Edit_yulanfangshi;
  QString Edit_jiance_zhuangtai_qidongleijia = QStringLiteral("0");
  QString Edit_jiance_zhuangtai;
  QString Edit_chuangjian = QStringLiteral("wu");

 private:
  Table& rows_;
  int row_ = -1;
  QSize area_;
  std::vector<MovingLabel> labels_;
  bool running_ = false;
};

}  // namespace solvane
