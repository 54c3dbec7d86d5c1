#pragma once
// "歌词设置": colour, font, size, font style and placement of one LRC lyric, with a dark
// 513 × 289 sample of "此处歌词内容" drawn the way the album frame draws the line, scaled
// down, and drawn again after every change. "确定" keeps the choice (style()), "取消" drops it.
#include <QDialog>

#include "lyrics/lyric_styles.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace solvane::ui {

class LyricSample;

class LyricSettingsWindow : public QDialog {
  Q_OBJECT
 public:
  enum DefaultGroup { Colour, Font, Size, FontStyle, HAlign, VAlign };

  explicit LyricSettingsWindow(const LrcStyle& style, QWidget* parent = nullptr);

  const LrcStyle& style() const { return style_; }

  QComboBox* colours() const { return colours_; }
  QComboBox* fonts() const { return fonts_; }
  QComboBox* sizes() const { return sizes_; }
  QCheckBox* bold() const { return bold_; }
  QCheckBox* italic() const { return italic_; }
  QCheckBox* underline() const { return underline_; }
  // 左边, 居中, 右边 (0–2) and 上面, 中间, 下面 (0–2).
  QRadioButton* hAlign(int i) const { return h_[i]; }
  QRadioButton* vAlign(int i) const { return v_[i]; }
  // The "默认" button of a group.
  QPushButton* defaultButton(DefaultGroup group) const { return defaults_[group]; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  // The sample area and the box its line stands in now.
  QWidget* sample() const;
  QRect sampleBox() const;

 private:
  void showStyle();
  void changed();

  LrcStyle style_;
  LyricSample* sample_;
  QComboBox* colours_;
  QComboBox* fonts_;
  QComboBox* sizes_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* underline_;
  QRadioButton* h_[3];
  QRadioButton* v_[3];
  QPushButton* defaults_[6];
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace solvane::ui
