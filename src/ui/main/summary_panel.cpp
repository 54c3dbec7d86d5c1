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
