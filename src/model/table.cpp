#include "model/table.h"

#include "model/error.h"

namespace solvane {

Table::Table(QString name, QStringList fields, QStringList captions)
    : name_(std::move(name)), fields_(std::move(fields)), captions_(std::move(captions)) {}

int Table::append(QStringList cells) {
  insert(count(), std::move(cells));
  return count() - 1;
}

void Table::insert(int index, QStringList cells) {
  if (index < 0 || index > count())
    throw Error(QStringLiteral("%1: row %2 is outside the table").arg(name_).arg(index));
  while (cells.size() < fields_.size()) cells.append(QString());
  rows_.insert(rows_.begin() + index, std::move(cells));
  selected_.insert(selected_.begin() + index, false);
}

const QStringList& Table::row(int index) const {
  checkIndex(index);
  return rows_[static_cast<size_t>(index)];
}

QString Table::cell(int row, int column) const {
  const QStringList& cells = this->row(row);
  return column >= 0 && column < cells.size() ? cells[column] : QString();
}

void Table::setCell(int row, int column, const QString& text) {
  checkIndex(row);
  QStringList& cells = rows_[static_cast<size_t>(row)];
  if (column < 0)
    throw Error(QStringLiteral("%1: column %2 does not exist").arg(name_).arg(column));
  while (cells.size() <= column) cells.append(QString());
  cells[column] = text;
}

void Table::remove(int index) {
  checkIndex(index);
  rows_.erase(rows_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (focused_ == index) focused_ = -1;
  else if (focused_ > index) --focused_;
}

void Table::clear() {
  rows_.clear();
  selected_.clear();
  focused_ = -1;
}

void Table::renumber() {
  for (int i = 0; i < count(); ++i) setCell(i, 0, QString::number(i + 1));
}

void Table::copyRowsFrom(const Table& other) {
  clear();
  for (const QStringList& cells : other.rows_) append(cells);
}

bool Table::selected(int index) const {
  checkIndex(index);
  return selected_[static_cast<size_t>(index)];
}

void Table::setSelected(int index, bool on) {
  checkIndex(index);
  selected_[static_cast<size_t>(index)] = on;
}

void Table::checkIndex(int index) const {
  if (index < 0 || index >= count())
    throw Error(QStringLiteral("%1: row %2 is outside the table (%3 rows)")
                    .arg(name_).arg(index).arg(count()));
}

}  // namespace solvane
