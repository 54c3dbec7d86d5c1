#include "ui/lyrics/lyric_settings_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "lyrics/colour_names.h"
#include "model/sentinels.h"
#include "render/overlay_label.h"

namespace solvane::ui {

namespace {

constexpr QSize kSampleArea(513, 289);
const QString kSampleText = QStringLiteral("此处歌词内容");

// The names lyrics are stored with come first, whether or not the font set lists them under
// that name (they are aliases of the installed CJK fonts).
QStringList fontChoices() {
  QStringList fonts = {QStringLiteral("黑体"), QStringLiteral("宋体"), QStringLiteral("微软雅黑")};
  for (const QString& family : QFontDatabase::families())
    if (!fonts.contains(family)) fonts << family;
  return fonts;
}

const QLatin1String kHWords[3] = {word::zuobian, word::juzhong, word::youbian};
const QLatin1String kVWords[3] = {word::shangmian, word::zhongjian, word::xiamian};

}  // namespace

// The dark sample: the line is an overlay label of the album's own kind, laid out by the
// rule the frame overlay uses, on an area 513 pixels wide.
class LyricSample : public QWidget {
 public:
  explicit LyricSample(QWidget* parent) : QWidget(parent) { setFixedSize(kSampleArea); }

  void show(const LrcStyle& style) {
    const LrcLineLayout line = lrcLineLayout(style, kSampleText, kSampleArea);
    label_.setText(kSampleText);
    label_.setFont(line.font);
    label_.setColor(colourFromValueText(QString::number(colourValue(style.colorName).value_or(0xFFFFFF))));
    label_.fitToText();
    label_.move(line.box.topLeft());
    label_.setVisible(true);
    box_ = QRect(label_.pos(), label_.size());
    update();
  }
  QRect box() const { return box_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(24, 28, 34));
    label_.paint(painter);
  }

 private:
  OverlayLabel label_;
  QRect box_;
};

LyricSettingsWindow::LyricSettingsWindow(const LrcStyle& style, QWidget* parent)
    : QDialog(parent), style_(style) {
  setWindowTitle(QStringLiteral("歌词设置"));
  sample_ = new LyricSample(this);

  colours_ = new QComboBox(this);
  colours_->addItems(colourNames());
  fonts_ = new QComboBox(this);
  fonts_->addItems(fontChoices());
  sizes_ = new QComboBox(this);
  sizes_->addItems(styleFontSizes());
  bold_ = new QCheckBox(QStringLiteral("粗体"), this);
  italic_ = new QCheckBox(QStringLiteral("斜体"), this);
  underline_ = new QCheckBox(QStringLiteral("下划线"), this);
  const QString hCaptions[3] = {QStringLiteral("左边"), QStringLiteral("居中"), QStringLiteral("右边")};
  const QString vCaptions[3] = {QStringLiteral("上面"), QStringLiteral("中间"), QStringLiteral("下面")};
  auto* hGroup = new QButtonGroup(this);
  auto* vGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    h_[i] = new QRadioButton(hCaptions[i], this);
    v_[i] = new QRadioButton(vCaptions[i], this);
    hGroup->addButton(h_[i], i);
    vGroup->addButton(v_[i], i);
  }
  const char* defaultNames[6] = {"默认颜色", "默认字体", "默认大小", "默认字型", "默认左中右", "默认上中下"};
  for (int g = 0; g < 6; ++g) {
    defaults_[g] = new QPushButton(QStringLiteral("默认"), this);
    defaults_[g]->setObjectName(QString::fromUtf8(defaultNames[g]));
  }

  // Every control writes its part of the style and the sample is drawn again.
  connect(colours_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    style_.colorName = name;
    changed();
  });
  connect(fonts_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    style_.fontName = name;
    changed();
  });
  connect(sizes_, &QComboBox::currentTextChanged, this, [this](const QString& size) {
    style_.fontSize = size.toInt();
    changed();
  });
  const auto flag = [this](QCheckBox* box, bool LrcStyle::*field) {
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
      style_.*field = on;
      changed();
    });
  };
  flag(bold_, &LrcStyle::bold);
  flag(italic_, &LrcStyle::italic);
  flag(underline_, &LrcStyle::underline);
  connect(hGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (!on) return;
    style_.hAlign = kHWords[id];
    changed();
  });
  connect(vGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (!on) return;
    style_.vAlign = kVWords[id];
    changed();
  });
  void (*resets[6])(LrcStyle&) = {resetLrcColour,    resetLrcFont,    resetLrcFontSize,
                                  resetLrcFontStyle, resetLrcHAlign, resetLrcVAlign};
  for (int g = 0; g < 6; ++g)
    connect(defaults_[g], &QPushButton::clicked, this, [this, reset = resets[g]] {
      reset(style_);
      showStyle();
      changed();
    });

  ok_ = new QPushButton(QStringLiteral("确定"), this);
  cancel_ = new QPushButton(QStringLiteral("取消"), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* controls = new QGridLayout;
  controls->setHorizontalSpacing(8);
  int row = 0;
  const auto line = [&](const QString& caption, std::initializer_list<QWidget*> widgets,
                        QPushButton* reset) {
    controls->addWidget(new QLabel(caption, this), row, 0);
    auto* box = new QHBoxLayout;
    for (QWidget* w : widgets) box->addWidget(w);
    box->addStretch();
    controls->addLayout(box, row, 1);
    controls->addWidget(reset, row, 2);
    ++row;
  };
  line(QStringLiteral("歌词颜色"), {colours_}, defaults_[Colour]);
  line(QStringLiteral("歌词字体"), {fonts_}, defaults_[Font]);
  line(QStringLiteral("歌词大小"), {sizes_}, defaults_[Size]);
  line(QStringLiteral("字体类型"), {bold_, italic_, underline_}, defaults_[FontStyle]);
  line(QStringLiteral("左中右"), {h_[0], h_[1], h_[2]}, defaults_[HAlign]);
  line(QStringLiteral("上中下"), {v_[0], v_[1], v_[2]}, defaults_[VAlign]);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* right = new QVBoxLayout;
  right->addLayout(controls);
  right->addStretch();
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 14);
  layout->setSpacing(16);
  layout->addWidget(sample_, 0, Qt::AlignTop);
  layout->addLayout(right);

  showStyle();
  sample_->show(style_);
}

void LyricSettingsWindow::showStyle() {
  const QSignalBlocker blocks[] = {QSignalBlocker(colours_), QSignalBlocker(fonts_),
                                   QSignalBlocker(sizes_),   QSignalBlocker(bold_),
                                   QSignalBlocker(italic_),  QSignalBlocker(underline_)};
  colours_->setCurrentIndex(colours_->findText(style_.colorName));
  int font = fonts_->findText(style_.fontName);
  if (font < 0 && !style_.fontName.isEmpty()) {
    fonts_->addItem(style_.fontName);
    font = fonts_->count() - 1;
  }
  fonts_->setCurrentIndex(font);
  sizes_->setCurrentIndex(sizes_->findText(QString::number(style_.fontSize)));
  bold_->setChecked(style_.bold);
  italic_->setChecked(style_.italic);
  underline_->setChecked(style_.underline);
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker h(h_[i]), v(v_[i]);
    h_[i]->setChecked(style_.hAlign == kHWords[i]);
    v_[i]->setChecked(style_.vAlign == kVWords[i]);
  }
}

void LyricSettingsWindow::changed() { sample_->show(style_); }

QWidget* LyricSettingsWindow::sample() const { return sample_; }

QRect LyricSettingsWindow::sampleBox() const { return sample_->box(); }

}  // namespace solvane::ui
