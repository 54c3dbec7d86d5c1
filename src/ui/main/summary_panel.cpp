#include "ui/main/summary_panel.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include "effects/album_settings.h"
#include "ui/shared/session.h"

namespace solvane::ui {

namespace {
constexpr int kRefreshMs = 50;
constexpr int kSummaryLines = 8;
constexpr int kHelpRestart = 50;

const char* const kHelpText =
    "制作相册的步骤：\n"
    "1. 点击“添加相片”，选择一张或多张 JPG 相片，每张相片自动配上相册模板。\n"
    "2. 点击“添加音乐”“添加歌词”，加入 MP3 音乐和 LRC 歌词，歌词按顺序绑定音乐。\n"
    "3. 需要时点击“文字特效”，写下在指定时间飘过画面的文字。\n"
    "4. 在“相册长度”“其它设置”中选择相册以相片或音乐为准、电视制式和画质。\n"
    "5. 点击 VCD、SVCD、DVD、AVI 或“序列图”，选择保存位置，开始制作相册。\n"
    "把鼠标停在按钮上两秒，可以看到按钮的说明。";
}  // namespace

SummaryPanel::SummaryPanel(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("SummaryPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(6);
  auto* title = new QLabel(QStringLiteral("相册设置"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);
  for (int i = 0; i < kSummaryLines; ++i) {
    auto* line = new QLabel(this);
    lines_ << line;
    layout->addWidget(line);
  }
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  layout->addSpacing(6);
  layout->addWidget(rule);
  caption_ = new QLabel(this);
  picture_ = new QLabel(this);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumSize(160, 130);
  layout->addWidget(caption_);
  layout->addWidget(picture_);
  layout->addStretch();
  helpBox_ = new QWidget(this);
  helpBox_->setObjectName(QStringLiteral("HelpBox"));
  helpBox_->setFixedHeight(130);
  help_ = new QLabel(QString::fromUtf8(kHelpText), helpBox_);
  help_->setWordWrap(true);
  help_->setStyleSheet(QStringLiteral("color: #44546a;"));
  help_->move(0, kHelpRestart);
  layout->addWidget(helpBox_);

  timer_ = new QTimer(this);
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &SummaryPanel::refresh);
  timer_->start();
  refresh();
}

QStringList SummaryPanel::lines() const {
  QStringList texts;
  for (const QLabel* line : lines_) texts << line->text();
  return texts;
}

void SummaryPanel::refresh() {
  help_->resize(helpBox_->width(), help_->heightForWidth(qMax(helpBox_->width(), 1)));
  const int top = help_->y() - 1;
  help_->move(0, top + help_->height() < 0 ? kHelpRestart : top);
  if (session_.busy) return;  // a job writes the project; the last texts stay
  const QStringList texts = settingsSummary(session_.project);
  for (int i = 0; i < lines_.size() && i < texts.size(); ++i)
    if (lines_[i]->text() != texts[i]) lines_[i]->setText(texts[i]);
}

void SummaryPanel::showPicture(const QString& caption, const QString& file) {
  caption_->setText(caption);
  // Not QPixmap(file): its cache may answer with the picture a renamed thumbnail replaced.
  const QPixmap pixmap = QPixmap::fromImage(QImage(file));
  picture_->setPixmap(pixmap.isNull() ? QPixmap() : pixmap);
}

}  // namespace solvane::ui
