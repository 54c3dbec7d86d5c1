#include "ui/main/tip_controller.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

#include "model/tip_placement.h"

namespace solvane::ui {
namespace {

// 33023 is 0x0080FF stored blue-green-red: orange.
const QColor kTipColour(0xFF, 0x80, 0x00);
constexpr int kTrackMs = 30;

}  // namespace

TipWindow::TipWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(title);
  setObjectName(title);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  label_ = new QLabel(this);
  label_->move(8, 8);
  label_->setStyleSheet(QStringLiteral("color: white; font-size: 13px;"));
  delay_ = new QTimer(this);
  delay_->setSingleShot(true);
  delay_->setInterval(kTipDelayMs);
  connect(delay_, &QTimer::timeout, this, &TipWindow::appear);
  hold_ = new QTimer(this);
  hold_->setSingleShot(true);
  hold_->setInterval(kTipHoldMs);
  connect(hold_, &QTimer::timeout, this, &TipWindow::fadeOut);
  fade_ = new QPropertyAnimation(this, "windowOpacity", this);
  connect(fade_, &QPropertyAnimation::finished, this, [this] {
    if (windowOpacity() <= 0.0) hide();
    else hold_->start();
  });
}

void TipWindow::showText(const QStringList& lines) {
  delay_->stop();
  hold_->stop();
  fade_->stop();
  hide();
  setWindowOpacity(0.0);
  lines_ = lines;
  label_->setText(lines.join(QLatin1Char('\n')));
  label_->adjustSize();
  label_->resize(label_->width() + 5, label_->height());
  resize(label_->width() + 16, label_->height() + 16);
  delay_->start();
}

void TipWindow::appear() {
  const QPoint pointer = QCursor::pos();
  QScreen* screen = QGuiApplication::screenAt(pointer);
  if (!screen) screen = QGuiApplication::primaryScreen();
  move(screen ? tipPlacement(pointer, size(), screen->geometry()) : pointer);
  show();
  raise();
  fadeTo(1.0, kFadeMs);
}

void TipWindow::fadeOut() {
  delay_->stop();
  hold_->stop();
  if (!isVisible()) return;
  fadeTo(0.0, kFadeMs);
}

void TipWindow::fadeTo(double level, int ms) {
  fade_->stop();
  fade_->setStartValue(windowOpacity());
  fade_->setEndValue(level);
  fade_->setDuration(ms);
  fade_->start();
}

bool TipWindow::pending() const {
  return delay_->isActive() || hold_->isActive() || fade_->state() == QAbstractAnimation::Running;
}

void TipWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kTipColour);
}

void TipWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QPainterPath rounded;
  rounded.addRoundedRect(QRectF(rect()), 3, 3);
  setMask(QRegion(rounded.toFillPolygon().toPolygon()));
}

// --- The controller ------------------------------------------------------------------

TipController::TipController(QWidget* window) : QObject(window), window_(window) {
  general_ = new TipWindow(QStringLiteral("提示窗口"), window);
  const QString titles[3] = {QStringLiteral("相片控件渐变提示信息"),
                             QStringLiteral("音乐控件渐变提示信息"),
                             QStringLiteral("歌词控件渐变提示信息")};
  for (int i = 0; i < 3; ++i) cells_[i].tip = new TipWindow(titles[i], window);
  tracking_ = new QTimer(this);
  tracking_->setInterval(kTrackMs);
  connect(tracking_, &QTimer::timeout, this, &TipController::trackCells);
  qApp->installEventFilter(this);
}

TipController::~TipController() { qApp->removeEventFilter(this); }

void TipController::showTip(const QString& text) { general_->showText({text}); }

void TipController::hideTip() {
  hovered_ = nullptr;
  general_->fadeOut();
}

void TipController::showCellTip(CellTip kind, QWidget* area, const QRect& cell,
                                const QStringList& lines) {
  Cell& c = cells_[static_cast<int>(kind)];
  c.area = area;
  c.rect = cell;
  c.tip->showText(lines);
  tracking_->start();
}

void TipController::hideCellTip(CellTip kind) {
  Cell& c = cells_[static_cast<int>(kind)];
  c.area = nullptr;
  c.tip->fadeOut();
}

void TipController::trackCells() {
  bool tracking = false;
  for (int i = 0; i < 3; ++i) {
    Cell& c = cells_[i];
    if (!c.area) continue;
    const bool inside = c.area->isVisible() && c.rect.contains(c.area->mapFromGlobal(QCursor::pos()));
    if (inside) tracking = true;
    else hideCellTip(static_cast<CellTip>(i));
  }
  if (!tracking) tracking_->stop();
}

bool TipController::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Enter && type != QEvent::Leave && type != QEvent::ToolTip &&
      type != QEvent::MouseButtonPress && type != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || (widget != window_ && !window_->isAncestorOf(widget))) return false;
  switch (type) {
    case QEvent::Enter:
      if (!widget->toolTip().isEmpty()) {
        hovered_ = widget;
        showTip(widget->toolTip());
      }
      return false;
    case QEvent::Leave:
      if (widget == hovered_) hideTip();
      return false;
    case QEvent::ToolTip:
      return !widget->toolTip().isEmpty();  // our tip, not the desktop's
    default:
      hideTip();  // a click or key runs a command: the tip goes at once
      return false;
  }
}

}  // namespace solvane::ui
