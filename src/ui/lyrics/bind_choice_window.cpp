#include "ui/lyrics/bind_choice_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/shared/table_model.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {

BindChoiceWindow::BindChoiceWindow(Table list, QString noChoice, UserQuestions& questions,
                                   QWidget* parent)
    : QDialog(parent), list_(std::move(list)), noChoice_(std::move(noChoice)),
      questions_(questions) {
  setWindowTitle(QStringLiteral("绑定"));
  auto* note = new QLabel(QStringLiteral("从下面列表中选择一个文件绑定"), this);
  model_ = new TableModel(list_, this);
  view_ = new QTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->resizeColumnsToContents();

  ok_ = new QPushButton(QStringLiteral("确定"), this);
  cancel_ = new QPushButton(QStringLiteral("取消"), this);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (chosenRow() < 0) {
      questions_.showMessage(this, noChoice_);
      return;
    }
    accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(view_, &QTableView::doubleClicked, ok_, &QPushButton::click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->addWidget(note);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  resize(420, 320);
}

int BindChoiceWindow::chosenRow() const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace solvane::ui
