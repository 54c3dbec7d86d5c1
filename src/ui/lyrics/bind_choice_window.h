#pragma once
// The choice window "绑定": the selected song picks its lyric (or the selected lyric its
// song) from the list of the other kind. "确定" without a chosen row says so and stays open.
#include <QDialog>

#include "model/table.h"

class QPushButton;
class QTableView;

namespace solvane::ui {

class TableModel;
class UserQuestions;

class BindChoiceWindow : public QDialog {
  Q_OBJECT
 public:
  // `list` is the other kind's rows (bindingChoiceList); `noChoice` the message for "确定"
  // with nothing chosen.
  BindChoiceWindow(Table list, QString noChoice, UserQuestions& questions,
                   QWidget* parent = nullptr);

  // The chosen row of the list, -1 when none.
  int chosenRow() const;
  QTableView* list() const { return view_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  Table list_;
  QString noChoice_;
  UserQuestions& questions_;
  TableModel* model_;
  QTableView* view_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace solvane::ui
