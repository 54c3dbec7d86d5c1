#pragma once
// A project table: ordered rows of text cells. Column 0 is the row's caption, columns
// 1..n its sub-items. Numbers are decimal text, choices are sentinel words.
#include <vector>

#include <QString>
#include <QStringList>

namespace solvane {

class Table {
 public:
  Table() = default;
  // `fields` names the columns in order (field names, not captions); `captions` gives the
  // user-facing column headers where the table has them.
  Table(QString name, QStringList fields, QStringList captions = {});

  const QString& name() const { return name_; }
  const QStringList& fields() const { return fields_; }
  const QStringList& captions() const { return captions_; }
  int columnCount() const { return static_cast<int>(fields_.size()); }

  int count() const { return static_cast<int>(rows_.size()); }
  bool empty() const { return rows_.empty(); }

  // Appends a row (caption first) and returns its index. Missing trailing cells read as
  // empty text, so a row always has columnCount() cells.
  int append(QStringList cells);
  // Inserts a row before `index` (index == count() appends).
  void insert(int index, QStringList cells);
  const QStringList& row(int index) const;
  QString cell(int row, int column) const;
  void setCell(int row, int column, const QString& text);
  void remove(int index);
  void clear();

  // Sets the caption of row i to the text of i+1 (for tables whose column 0 is `seq`).
  void renumber();
  // Replaces every row of this table with copies of `other`'s rows.
  void copyRowsFrom(const Table& other);

  // Display lists only: per-row selection and the one focused row (-1 when none).
  bool selected(int index) const;
  void setSelected(int index, bool on);
  int focused() const { return focused_; }
  void setFocused(int index) { focused_ = index; }

 private:
  void checkIndex(int index) const;

  QString name_;
  QStringList fields_;
  QStringList captions_;
  std::vector<QStringList> rows_;
  std::vector<bool> selected_;
  int focused_ = -1;
};

}  // namespace solvane
