#pragma once
// The three windows titled "删除相片": the delete confirmation, the choice of how a
// photograph that shares its template is replaced, and the manual replacement with its
// candidate list. Each ends with the button the user pressed as its result code.
#include <vector>

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace solvane {
struct Project;
}

namespace solvane::ui {

// "确定删除" accepts, "取消" rejects.
class DeleteConfirmWindow : public QDialog {
  Q_OBJECT
 public:
  // `all`: "确定删除全部相片吗？" (quan_bu_shang_chu); otherwise "确定删除此张相片吗？".
  DeleteConfirmWindow(bool all, QWidget* parent = nullptr);
  QString kind() const { return kind_; }  // Edit_delete_leixing
  QPushButton* deleteButton() const { return delete_; }

 private:
  QString kind_;
  QPushButton* delete_;
};

class ReplacementChoiceWindow : public QDialog {
  Q_OBJECT
 public:
  enum Result { Cancelled = 0, Random = 1, Manual = 2 };
  // `row`: the photograph being deleted (Edit_delete_ID).
  ReplacementChoiceWindow(int row, QWidget* parent = nullptr);
  int row() const { return row_; }
  QPushButton* button(Result which) const;

 private:
  int row_;
  QPushButton* random_;
  QPushButton* manual_;
  QPushButton* cancel_;
};

class ManualReplacementWindow : public QDialog {
  Q_OBJECT
 public:
  enum Result { Cancelled = 0, FromList = 1, NewFile = 2 };
  // Lists the candidate rows with the columns of the photo display list.
  ManualReplacementWindow(const Project& project, std::vector<int> candidates,
                          QWidget* parent = nullptr);
  // The photo row chosen in the list: the selected candidate, or the first when none is
  // selected; -1 when there are no candidates.
  int chosenRow() const;
  QTableWidget* list() const { return list_; }
  QPushButton* button(Result which) const;

 private:
  std::vector<int> candidates_;
  QTableWidget* list_;
  QPushButton* fromList_;
  QPushButton* newFile_;
  QPushButton* cancel_;
};

}  // namespace solvane::ui
