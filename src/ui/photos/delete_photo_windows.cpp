#include "ui/photos/delete_photo_windows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/project.h"

namespace solvane::ui {
namespace {

constexpr auto kTitle = "删除相片";

QVBoxLayout* windowLayout(QDialog* window) {
  window->setWindowTitle(QString::fromUtf8(kTitle));
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(14);
  return layout;
}

QPushButton* addButton(QHBoxLayout* row, QDialog* window, const QString& caption, int result) {
  auto* button = new QPushButton(caption, window);
  QObject::connect(button, &QPushButton::clicked, window, [window, result] { window->done(result); });
  row->addWidget(button);
  return button;
}

}  // namespace

DeleteConfirmWindow::DeleteConfirmWindow(bool all, QWidget* parent)
    : QDialog(parent),
      kind_(all ? QStringLiteral("quan_bu_shang_chu") : QStringLiteral("dan_ge_shang_chu")) {
  QVBoxLayout* layout = windowLayout(this);
  auto* text = new QLabel(all ? QStringLiteral("确定删除全部相片吗？") : QStringLiteral("确定删除此张相片吗？"), this);
  text->setMinimumWidth(300);
  layout->addWidget(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  delete_ = addButton(buttons, this, QStringLiteral("确定删除"), Accepted);
  QPushButton* cancel = addButton(buttons, this, QStringLiteral("取消"), Rejected);
  cancel->setDefault(true);  // a stray Enter must not delete
  layout->addLayout(buttons);
}

ReplacementChoiceWindow::ReplacementChoiceWindow(int row, QWidget* parent)
    : QDialog(parent), row_(row) {
  QVBoxLayout* layout = windowLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("点[确定删除]按钮，软件自动从已添加过的相片列表中随机选择"), this));
  layout->addWidget(new QLabel(QStringLiteral("一张相片用来补充模板。"), this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  random_ = addButton(buttons, this, QStringLiteral("确定删除"), Random);
  manual_ = addButton(buttons, this, QStringLiteral("手动为模板补充相片"), Manual);
  cancel_ = addButton(buttons, this, QStringLiteral("取消"), Cancelled);
  cancel_->setDefault(true);
  layout->addLayout(buttons);
}

QPushButton* ReplacementChoiceWindow::button(Result which) const {
  switch (which) {
    case Random: return random_;
    case Manual: return manual_;
    case Cancelled: break;
  }
  return cancel_;
}

ManualReplacementWindow::ManualReplacementWindow(const Project& project, std::vector<int> candidates,
                                                 QWidget* parent)
    : QDialog(parent), candidates_(std::move(candidates)) {
  QVBoxLayout* layout = windowLayout(this);
  const Table& display = project.suiListView_xiangpian_liebiao;
  list_ = new QTableWidget(static_cast<int>(candidates_.size()), display.columnCount(), this);
  list_->setHorizontalHeaderLabels(display.captions());
  for (int r = 0; r < static_cast<int>(candidates_.size()); ++r)
    for (int c = 0; c < display.columnCount(); ++c)
      list_->setItem(r, c, new QTableWidgetItem(display.cell(candidates_[static_cast<std::size_t>(r)], c)));
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->resizeColumnsToContents();
  list_->setMinimumSize(640, 260);
  layout->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  fromList_ = addButton(buttons, this, QStringLiteral("从已添加的相片中选择一张用来补充模板"), FromList);
  newFile_ = addButton(buttons, this, QStringLiteral("添加新相片用来补充"), NewFile);
  buttons->addStretch();
  cancel_ = addButton(buttons, this, QStringLiteral("取消"), Cancelled);
  cancel_->setDefault(true);
  layout->addLayout(buttons);
}

int ManualReplacementWindow::chosenRow() const {
  if (candidates_.empty()) return -1;
  const QList<QTableWidgetItem*> picked = list_->selectedItems();
  const int index = picked.isEmpty() ? 0 : picked.first()->row();
  return candidates_[static_cast<std::size_t>(index)];
}

QPushButton* ManualReplacementWindow::button(Result which) const {
  switch (which) {
    case FromList: return fromList_;
    case NewFile: return newFile_;
    case Cancelled: break;
  }
  return cancel_;
}

}  // namespace solvane::ui
