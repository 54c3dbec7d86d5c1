#include "ui/shared/table_model.h"

#include <QImage>

#include "model/table.h"

namespace solvane::ui {

TableModel::TableModel(const Table& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
  reload();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
    return rows_[index.row()].value(index.column());
  return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation == Qt::Vertical) return {};
  return captions_.value(section);
}

void TableModel::reload() {
  beginResetModel();
  captions_.clear();
  for (int c = 0; c < table_.columnCount(); ++c)
    captions_ << (c < table_.captions().size() ? table_.captions()[c] : table_.fields()[c]);
  rows_.clear();
  for (int r = 0; r < table_.count(); ++r) rows_.push_back(table_.row(r));
  endResetModel();
}

ThumbnailModel::ThumbnailModel(const Table& table, std::function<QString(int)> thumbnailFile,
                               QSize cell, QObject* parent)
    : QAbstractListModel(parent), table_(table), thumbnailFile_(std::move(thumbnailFile)),
      cell_(cell) {
  reload();
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  switch (role) {
    case Qt::DecorationRole: {
      auto found = pixmaps_.find(index.row());
      // Read through QImage: QPixmap's file cache knows a file by name, time and size, and
      // the list edits rename thumbnails of equal size onto each other.
      if (found == pixmaps_.end())
        found = pixmaps_.insert(index.row(), QPixmap::fromImage(QImage(thumbnailFile_(index.row()))));
      return *found;
    }
    case Qt::SizeHintRole: return cell_;
    default: return {};
  }
}

void ThumbnailModel::reload() {
  beginResetModel();
  rows_ = table_.count();
  pixmaps_.clear();
  endResetModel();
}

}  // namespace solvane::ui
