#pragma once
// The two models every pane shows its table through: the display list as rows and columns
// (list mode), and one thumbnail cell per row (icon mode). Both read the core's Table only in
// reload(), which the pane calls after the table changed and never while a job writes it;
// in between they show what they read then, so painting never touches a table in change.
#include <functional>

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QStringList>
#include <vector>

namespace solvane {
class Table;
}

namespace solvane::ui {

class TableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TableModel(const Table& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void reload();

 private:
  const Table& table_;
  QStringList captions_;
  std::vector<QStringList> rows_;
};

class ThumbnailModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // `thumbnailFile` gives the thumbnail file of row i (0-based); cells are `cell` large.
  ThumbnailModel(const Table& table, std::function<QString(int row)> thumbnailFile, QSize cell,
                 QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  QString thumbnailFile(int row) const { return thumbnailFile_(row); }
  QSize cellSize() const { return cell_; }
  void reload();

 private:
  const Table& table_;
  int rows_ = 0;
  std::function<QString(int)> thumbnailFile_;
  QSize cell_;
  mutable QHash<int, QPixmap> pixmaps_;  // loaded when a cell is first painted
};

}  // namespace solvane::ui
