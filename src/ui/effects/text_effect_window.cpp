#include "ui/effects/text_effect_window.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "effects/text_effect_catalog.h"
#include "lyrics/colour_names.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/frame_clock.h"
#include "model/project.h"
#include "photos/photo_renderer.h"
#include "render/overlay_panel.h"
#include "ui/shared/session.h"
#include "ui/shared/table_model.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

// One album frame lasts 40 ms.
constexpr int kFrameMs = 1000 / 25;
// Frames the clock may ask for in one timer round after a stall; the preview slows down
// rather than jumping.
constexpr int kMostFramesPerRound = 5;

// The picture area: a 16 : 9 box that paints whatever the window hands it.
class PictureArea : public QWidget {
 public:
  PictureArea(std::function<void(QPainter&, const QRect&)> paint, QWidget* parent)
      : QWidget(parent), paint_(std::move(paint)) {
    setMinimumSize(kCanvasWidth / 3, kCanvasHeight / 3);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
  }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int w) const override { return w * kCanvasHeight / kCanvasWidth; }
  QSize sizeHint() const override { return {kCanvasWidth / 3, kCanvasHeight / 3}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(24, 24, 24));
    QSize box(kCanvasWidth, kCanvasHeight);
    box.scale(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - box.width()) / 2, (height() - box.height()) / 2), box);
    paint_(painter, target);
  }

 private:
  std::function<void(QPainter&, const QRect&)> paint_;
};

// The first photograph of the project, or none.
QImage samplePhotograph(const Project& project) {
  if (project.ListView_daoruxiangpian.empty()) return {};
  try {
    return renderPhotoFitting(project.ListView_daoruxiangpian.cell(0, photo_col::path),
                              QSize(kCanvasWidth, kCanvasHeight));
  } catch (const Error&) {
    return {};  // the gradient stands in for a photograph that cannot be read
  }
}

void selectText(QComboBox* box, const QString& text) { box->setCurrentIndex(box->findText(text)); }

}  // namespace

TextEffectWindow::TextEffectWindow(Session& session, QWidget* parent)
    : QDialog(parent), session_(session), editor_(session.project) {
  setWindowTitle(QStringLiteral("文字特效"));
  setObjectName(QStringLiteral("文字特效"));

  picture_ = new PictureArea(
      [this](QPainter& painter, const QRect& target) {
        (previewing() ? stage_ : sample_).paint(painter, target);
      },
      this);
  clock_ = new QLabel(QStringLiteral("00:00"), this);

  text_ = new QLineEdit(this);
  effect_ = new QComboBox(this);
  effect_->addItems(EffectChooserCaptions());
  effect_->setMaxVisibleItems(15);
  minute_ = new QComboBox(this);
  minute_->addItems(MinuteEntries());
  second_ = new QComboBox(this);
  second_->addItems(SecondEntries());
  colour_ = new QComboBox(this);
  for (const QString& name : colourNames()) {
    QPixmap swatch(14, 14);
    swatch.fill(colourFromValueText(QString::number(colourValue(name).value_or(0))));
    colour_->addItem(QIcon(swatch), name);
  }
  font_ = new QComboBox(this);
  QStringList families = QFontDatabase::families();
  // The window's default font is offered even where the desktop names it otherwise; the
  // font mapping draws it with the nearest installed family.
  if (!families.contains(QStringLiteral("黑体"))) families.prepend(QStringLiteral("黑体"));
  font_->addItems(families);
  font_->setMaxVisibleItems(20);
  size_ = new QComboBox(this);
  size_->addItems(FontSizeEntries());
  bold_ = new QCheckBox(QStringLiteral("粗体"), this);
  italic_ = new QCheckBox(QStringLiteral("斜体"), this);
  underline_ = new QCheckBox(QStringLiteral("下划线"), this);

  const auto defaultButton = [this](const QString& objectName, std::function<void()> reset) {
    auto* b = new QPushButton(QStringLiteral("默认"), this);
    b->setObjectName(objectName);
    connect(b, &QPushButton::clicked, this, [reset] { reset(); });
    editing_ << b;
    return b;
  };
  const TextEffectForm defaults = DefaultTextEffectForm();
  auto* form = new QGridLayout;
  form->setHorizontalSpacing(8);
  form->addWidget(new QLabel(QStringLiteral("文字内容:"), this), 0, 0);
  form->addWidget(text_, 0, 1, 1, 3);
  form->addWidget(new QLabel(QStringLiteral("出现时间:"), this), 1, 0);
  form->addWidget(minute_, 1, 1);
  form->addWidget(second_, 1, 2);
  form->addWidget(new QLabel(QStringLiteral("文字特效:"), this), 2, 0);
  form->addWidget(effect_, 2, 1, 1, 2);
  form->addWidget(defaultButton(QStringLiteral("默认特效"), [this] { effect_->setCurrentIndex(0); }), 2, 3);
  form->addWidget(new QLabel(QStringLiteral("字体颜色:"), this), 3, 0);
  form->addWidget(colour_, 3, 1, 1, 2);
  form->addWidget(defaultButton(QStringLiteral("默认颜色"),
                                [this, defaults] { selectText(colour_, defaults.colorName); }), 3, 3);
  form->addWidget(new QLabel(QStringLiteral("文字字体:"), this), 4, 0);
  form->addWidget(font_, 4, 1, 1, 2);
  form->addWidget(defaultButton(QStringLiteral("默认字体"),
                                [this, defaults] { selectText(font_, defaults.fontName); }), 4, 3);
  form->addWidget(new QLabel(QStringLiteral("文字大小:"), this), 5, 0);
  form->addWidget(size_, 5, 1, 1, 2);
  form->addWidget(defaultButton(QStringLiteral("默认大小"),
                                [this, defaults] { selectText(size_, defaults.fontSize); }), 5, 3);
  auto* styles = new QHBoxLayout;
  styles->addWidget(bold_);
  styles->addWidget(italic_);
  styles->addWidget(underline_);
  form->addWidget(new QLabel(QStringLiteral("文字字型:"), this), 6, 0);
  form->addLayout(styles, 6, 1, 1, 2);
  form->addWidget(defaultButton(QStringLiteral("默认字型"), [this] {
                    bold_->setChecked(false);
                    italic_->setChecked(false);
                    underline_->setChecked(false);
                  }), 6, 3);
  editing_ << text_ << effect_ << minute_ << second_ << colour_ << font_ << size_ << bold_
           << italic_ << underline_;

  rows_ = new TableModel(editor_.display(), this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("suiListView_Label_2"));
  list_->setModel(rows_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  list_->verticalHeader()->hide();
  // The drag rule counts rows of 17 pixels under a 22-pixel header.
  list_->verticalHeader()->setMinimumSectionSize(kDragRowHeight);
  list_->verticalHeader()->setDefaultSectionSize(kDragRowHeight);
  list_->horizontalHeader()->setFixedHeight(kListHeaderHeight);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setColumnHidden(9, true);  // the colour value travels with the row, unseen
  list_->setMinimumHeight(140);
  list_->viewport()->installEventFilter(this);
  list_->viewport()->setMouseTracking(false);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TextEffectWindow::syncSelection);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TextEffectWindow::syncSelection);
  ghost_ = new QLabel(this);
  ghost_->setObjectName(QStringLiteral("suiListView_Label_tuodong"));
  ghost_->setStyleSheet(QStringLiteral("background: #fff7e0; border: 1px solid #c89b3c;"));
  ghost_->hide();

  auto* commands = new QHBoxLayout;
  editing_ << addButton(QStringLiteral("添加特效"), &TextEffectWindow::addEffect)
           << addButton(QStringLiteral("删除特效"), &TextEffectWindow::deleteEffects)
           << addButton(QStringLiteral("全部删除"), &TextEffectWindow::deleteAll)
           << addButton(QStringLiteral("单个预览"), &TextEffectWindow::singlePreview)
           << addButton(QStringLiteral("全部预览"), &TextEffectWindow::allPreview);
  addButton(QStringLiteral("停止预览"), &TextEffectWindow::stopPreview);
  auto* back = new QPushButton(QStringLiteral("返     回"), this);
  connect(back, &QPushButton::clicked, this, &QDialog::reject);
  buttons_ << back;
  for (QPushButton* b : buttons_) commands->addWidget(b);

  auto* top = new QHBoxLayout;
  auto* pictureColumn = new QVBoxLayout;
  pictureColumn->addWidget(picture_, 1);
  pictureColumn->addWidget(clock_);
  top->addLayout(pictureColumn, 3);
  top->addLayout(form, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  layout->addLayout(commands);
  resize(1100, 680);

  connect(text_, &QLineEdit::textChanged, this, &TextEffectWindow::showSample);
  for (QComboBox* box : {effect_, colour_, font_, size_, minute_, second_})
    connect(box, &QComboBox::currentIndexChanged, this, &TextEffectWindow::showSample);
  for (QCheckBox* box : {bold_, italic_, underline_})
    connect(box, &QCheckBox::toggled, this, &TextEffectWindow::showSample);

  timer_ = new QTimer(this);
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(kFrameMs / 2);
  connect(timer_, &QTimer::timeout, this, [this] { runDueFrames(); });
  prepare();
}

TextEffectWindow::~TextEffectWindow() = default;

QPushButton* TextEffectWindow::addButton(const QString& caption, void (TextEffectWindow::*run)()) {
  auto* b = new QPushButton(caption, this);
  connect(b, &QPushButton::clicked, this, run);
  buttons_ << b;
  return b;
}

QPushButton* TextEffectWindow::button(const QString& caption) const {
  for (QPushButton* b : findChildren<QPushButton*>())
    if (b->objectName() == caption || (b->objectName().isEmpty() && b->text() == caption)) return b;
  return nullptr;
}

void TextEffectWindow::prepare() {
  editor_.open(kCanvasWidth, kCanvasHeight);
  const TextEffectForm defaults = DefaultTextEffectForm();
  text_->setText(defaults.text);
  minute_->setCurrentIndex(0);
  second_->setCurrentIndex(0);
  effect_->setCurrentIndex(0);
  selectText(colour_, defaults.colorName);
  selectText(font_, defaults.fontName);
  selectText(size_, defaults.fontSize);
  sample_.setBackground(samplePhotograph(session_.project));
  stage_.setBackground(sample_.background());
  showRows();
  showSample();
}

void TextEffectWindow::finish() {
  stopPreview();
  editor_.close(session_.project);
}

void TextEffectWindow::done(int result) {
  finish();
  QDialog::done(result);
}

TextEffectForm TextEffectWindow::form() const {
  TextEffectForm f;
  f.text = text_->text();
  f.minuteEntry = minute_->currentText();
  f.secondEntry = second_->currentText();
  f.effectEntry = effect_->currentIndex() + 1;
  f.colorName = colour_->currentText();
  if (const auto value = colourValue(f.colorName)) f.colorValue = QString::number(*value);
  f.fontName = font_->currentText();
  f.fontSize = size_->currentText();
  f.bold = bold_->isChecked();
  f.italic = italic_->isChecked();
  f.underline = underline_->isChecked();
  return f;
}

void TextEffectWindow::report(const std::optional<QString>& message) {
  if (message) session_.questions.showMessage(this, *message);
}

// The sample: the caption being written, as the album would draw it, in the middle of the
// frame.
void TextEffectWindow::showSample() {
  const TextEffectForm f = form();
  Table one(QStringLiteral("sample"), session_.project.ListView_Label.fields());
  one.append({f.text, {}, {}, {}, {}, {}, {}, {}, f.colorName, f.fontName,
              f.fontSize.isEmpty() ? QStringLiteral("10") : f.fontSize,
              f.bold ? QStringLiteral("cuti") : QString(), f.italic ? QStringLiteral("xieti") : QString(),
              f.underline ? QStringLiteral("xiahuaxian") : QString(),
              f.colorValue.isEmpty() ? QStringLiteral("16777215") : f.colorValue});
  sample_.load(one);
  const QSize box = sample_.label(0).size();
  sample_.place({{(kCanvasWidth - box.width()) / 2, (kCanvasHeight - box.height()) / 2,
                  box.width(), box.height(), !f.text.isEmpty()}});
  picture_->update();
}

void TextEffectWindow::showRows() {
  rows_->reload();
  list_->resizeColumnsToContents();
  list_->setColumnHidden(9, true);
}

void TextEffectWindow::syncSelection() {
  Table& display = editor_.display();
  const QItemSelectionModel* picked = list_->selectionModel();
  for (int i = 0; i < display.count(); ++i) display.setSelected(i, picked->isRowSelected(i, {}));
  const QModelIndex current = list_->currentIndex();
  display.setFocused(current.isValid() ? current.row() : -1);
}

void TextEffectWindow::addEffect() {
  const auto message = editor_.add(form());
  report(message);
  if (!message) showRows();
}

void TextEffectWindow::deleteEffects() {
  syncSelection();
  const auto message = editor_.removeSelected();
  report(message);
  if (!message) {
    list_->clearSelection();
    showRows();
  }
}

void TextEffectWindow::deleteAll() {
  editor_.removeAll();
  list_->clearSelection();
  showRows();
}

void TextEffectWindow::singlePreview() { startPreview(true); }
void TextEffectWindow::allPreview() { startPreview(false); }

void TextEffectWindow::startPreview(bool single) {
  syncSelection();
  stopPreview();
  stage_.load(editor_.rows());
  const auto message = single ? editor_.startSinglePreview(stage_.labelSizes())
                              : editor_.startAllPreview(stage_.labelSizes());
  if (message) {
    stage_.clear();
    report(message);
    return;
  }
  stage_.place(editor_.preview().labels());
  setEditing(false);
  framesRun_ = 0;
  clockStart_.start();
  timer_->start();
  picture_->update();
}

bool TextEffectWindow::previewing() const {
  return editor_.preview().running();
}

void TextEffectWindow::runDueFrames(int extra) {
  if (!previewing()) return;
  const long long due = clockStart_.elapsed() / kFrameMs;
  // A stall the clock cannot catch up with is forgotten, so the preview slows down there
  // rather than racing afterwards.
  if (due - framesRun_ > kMostFramesPerRound) framesRun_ = due - kMostFramesPerRound;
  const int behind = static_cast<int>(std::max<long long>(due - framesRun_, 0));
  framesRun_ += behind;
  TextEffectPreview& preview = editor_.preview();
  for (int i = 0; i < behind + extra && preview.running(); ++i)
    if (preview.tick()) stage_.place(preview.labels());
  if (!preview.running()) {
    stopPreview();
    return;
  }
  clock_->setText(preview.Edit_shijian);
  picture_->update();
}

void TextEffectWindow::stopPreview() {
  timer_->stop();
  editor_.stopPreview();
  stage_.clear();
  clock_->setText(QStringLiteral("00:00"));
  setEditing(true);
  picture_->update();
}

void TextEffectWindow::setEditing(bool on) {
  for (QWidget* w : editing_) w->setEnabled(on);
  list_->setEnabled(on);
}

// --- Dragging rows -------------------------------------------------------------------

bool TextEffectWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_->viewport()) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      return listMouse(static_cast<QMouseEvent*>(event));
    default:
      return false;
  }
}

// Mouse positions go to the drag rule relative to the list's top (its 22-pixel header
// included); a scrolled list adds what has scrolled away. Returns whether the view must not
// see the event: a press on a selected row keeps the selection whole for the drag.
bool TextEffectWindow::listMouse(QMouseEvent* mouse) {
  const QEvent::Type type = mouse->type();
  if (type != QEvent::MouseMove && mouse->button() != Qt::LeftButton) return false;
  const QPoint at = mouse->position().toPoint();
  const int fromTop = at.y() + kListHeaderHeight;
  const int y = fromTop + list_->verticalScrollBar()->value();
  const QModelIndex row = list_->indexAt(at);
  const bool plain = !(mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
  bool swallow = false;
  if (type == QEvent::MouseButtonPress) {
    swallow = plain && row.isValid() && list_->selectionModel()->isRowSelected(row.row(), {});
    if (swallow) list_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    else if (plain && row.isValid())
      list_->selectionModel()->setCurrentIndex(
          row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncSelection();
    editor_.pressMouse(y);
  } else if (type == QEvent::MouseMove) {
    if (!(mouse->buttons() & Qt::LeftButton)) return false;
    swallow = editor_.Edit_tuodong_kaiguan == QLatin1String("anxia");
    editor_.moveMouse(at.x(), fromTop, list_->width(), list_->height());
  } else {
    syncSelection();
    const bool dropped = editor_.ghostVisible();
    editor_.releaseMouse(y);
    if (dropped) {
      list_->clearSelection();
      showRows();
      swallow = true;
    }
  }
  if (editor_.ghostVisible()) {
    QStringList texts;
    for (int i = 0; i < editor_.ghost().count(); ++i) texts << editor_.ghost().cell(i, 0);
    ghost_->setText(texts.join(QLatin1Char('\n')));
    const QRect g = editor_.ghostGeometry();
    const QPoint listTop = list_->mapTo(this, QPoint(0, 0));
    ghost_->setGeometry(listTop.x() + g.x(), listTop.y() + g.y(), list_->width() / 3, g.height());
    ghost_->raise();
    ghost_->show();
  } else {
    ghost_->hide();
  }
  return swallow;
}

}  // namespace solvane::ui
