#pragma once
// The karaoke style window ("卡拉OK设置", from the karaoke window's "设置歌词"): base and
// fill colours, font, size, the three font styles and the script of one karaoke row, each
// group with its "默认".
#include <QDialog>

#include "lyrics/lyric_styles.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace solvane::ui {

class KaraokeStyleWindow : public QDialog {
  Q_OBJECT
 public:
  explicit KaraokeStyleWindow(const KaraokeStyle& style, QWidget* parent = nullptr);

  // The choices as they stand.
  KaraokeStyle style() const;
  void present(const KaraokeStyle& style);

  QComboBox* colour() const { return colour_; }
  QComboBox* fillColour() const { return fill_; }
  QComboBox* font() const { return font_; }
  QComboBox* size() const { return size_; }
  QCheckBox* bold() const { return bold_; }
  QCheckBox* italic() const { return italic_; }
  QCheckBox* underline() const { return underline_; }
  QRadioButton* simplified() const { return simplified_; }
  QRadioButton* traditional() const { return traditional_; }

 private:
  QComboBox* colour_;
  QComboBox* fill_;
  QComboBox* font_;
  QComboBox* size_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* underline_;
  QRadioButton* simplified_;
  QRadioButton* traditional_;
};

}  // namespace solvane::ui
