#include "ui/main/pane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "model/table.h"
#include "ui/shared/table_model.h"

namespace solvane::ui {
namespace {

// The icon view draws a hint while it has no cells, so an empty pane says what to do.
class CellView : public QListView {
 public:
  CellView(QString hint, QWidget* parent) : QListView(parent), hint_(std::move(hint)) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QListView::paintEvent(event);
    if (model() && model()->rowCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(QColor(120, 120, 120));
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, hint_);
  }

 private:
  QString hint_;
};

}  // namespace

Pane::Pane(const PaneSetup& setup, QWidget* parent) : QWidget(parent), setup_(setup) {
  setObjectName(setup.name + QStringLiteral("区域"));
  thumbnailModel_ = new ThumbnailModel(*setup.data, setup.thumbnailFile, setup.cell, this);
  tableModel_ = new TableModel(*setup.displayList, this);

  icons_ = new CellView(setup.emptyHint, this);
  icons_->setModel(thumbnailModel_);
  icons_->setViewMode(QListView::IconMode);
  icons_->setMovement(QListView::Static);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setUniformItemSizes(true);
  icons_->setGridSize(setup.cell);
  icons_->setIconSize(setup.cell - QSize(14, 14));
  icons_->setSpacing(0);
  icons_->setSelectionMode(QAbstractItemView::SingleSelection);
  icons_->setContextMenuPolicy(Qt::CustomContextMenu);

  list_ = new QTableView(this);
  list_->setModel(tableModel_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setWordWrap(false);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);

  stack_ = new QStackedWidget(this);
  stack_->addWidget(icons_);
  stack_->addWidget(list_);

  iconButton_ = new QPushButton(QStringLiteral("图标"), this);
  listButton_ = new QPushButton(QStringLiteral("列表"), this);
  iconButton_->setToolTip(setup.iconTip);
  listButton_->setToolTip(setup.listTip);
  connect(iconButton_, &QPushButton::clicked, this, &Pane::iconModeRequested);
  connect(listButton_, &QPushButton::clicked, this, &Pane::listModeRequested);
  buttons_ = new QHBoxLayout;
  buttons_->setSpacing(6);
  buttons_->addWidget(iconButton_);
  buttons_->addWidget(listButton_);
  buttons_->addStretch();

  menu_ = new QMenu(this);
  connect(menu_->addAction(QStringLiteral("图标格式")), &QAction::triggered, this,
          &Pane::iconModeRequested);
  connect(menu_->addAction(QStringLiteral("列表格式")), &QAction::triggered, this,
          &Pane::listModeRequested);
  const auto popUp = [this](QAbstractItemView* view) {
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& at) { menu_->popup(view->viewport()->mapToGlobal(at)); });
  };
  popUp(icons_);
  popUp(list_);
  connect(icons_, &QListView::clicked, this, [this](const QModelIndex& i) { Q_EMIT rowPicked(i.row()); });
  connect(list_, &QTableView::clicked, this, [this](const QModelIndex& i) { Q_EMIT rowPicked(i.row()); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  layout->addLayout(buttons_);
  layout->addWidget(stack_, 1);
}

void Pane::showList(bool list) { stack_->setCurrentWidget(list ? static_cast<QWidget*>(list_) : icons_); }

bool Pane::showsList() const { return stack_->currentWidget() == list_; }

void Pane::reload() {
  thumbnailModel_->reload();
  tableModel_->reload();
  list_->resizeColumnsToContents();
}

QPushButton* Pane::addButton(const QString& caption, const QString& tip) {
  auto* button = new QPushButton(caption, this);
  button->setToolTip(tip);
  // A pane's row of commands may squeeze its captions rather than widen the main window
  // beyond a small screen.
  button->setMinimumWidth(36);
  buttons_->insertWidget(buttons_->count() - 1, button);
  return button;
}

QAction* Pane::addMenuEntry(const QString& caption) {
  const int rank = menuOrder_.indexOf(caption);
  QAction* before = nullptr;
  if (rank >= 0) {
    for (QAction* existing : menu_->actions()) {
      const int other = menuOrder_.indexOf(existing->text());
      if (other > rank) {
        before = existing;
        break;
      }
    }
  }
  auto* action = new QAction(caption, menu_);
  menu_->insertAction(before, action);
  return action;
}

int Pane::currentRow() const {
  const QModelIndex index = showsList() ? list_->currentIndex() : icons_->currentIndex();
  return index.isValid() ? index.row() : -1;
}

}  // namespace solvane::ui
