#pragma once
// One browsing pane of the main window: its table shown as thumbnail cells ("tubiao") or as
// its display list ("liebiao"), two views over the table's models, with the pane's buttons
// above and its context menu. Panes of later commands add their buttons and menu entries.
#include <functional>

#include <QWidget>

class QAction;
class QListView;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTableView;
class QHBoxLayout;

namespace solvane {
class Table;
}

namespace solvane::ui {

class TableModel;
class ThumbnailModel;

struct PaneSetup {
  QString name;             // "相片", "音乐", "歌词": object names and the empty-pane hint
  const Table* data;        // the data table (one cell per row)
  const Table* displayList; // its display list (list mode)
  std::function<QString(int row)> thumbnailFile;
  QSize cell;               // thumbnail cell size
  QString emptyHint;        // shown while the pane is empty
  QString iconTip, listTip; // tips of "图标" and "列表"
};

class Pane : public QWidget {
  Q_OBJECT
 public:
  explicit Pane(const PaneSetup& setup, QWidget* parent = nullptr);

  void showList(bool list);
  bool showsList() const;
  // Reads the tables again (after a command changed them).
  void reload();

  // A button beside "图标"/"列表"; later commands add theirs here.
  QPushButton* addButton(const QString& caption, const QString& tip);
  QMenu* contextMenu() const { return menu_; }
  // The context menu's entries in the order they must stand, and an entry put in its place
  // among those already there (whatever order the commands arrive in).
  void setMenuOrder(const QStringList& captions) { menuOrder_ = captions; }
  const QStringList& menuOrder() const { return menuOrder_; }
  QAction* addMenuEntry(const QString& caption);
  QListView* iconView() const { return icons_; }
  QTableView* listView() const { return list_; }
  QPushButton* iconButton() const { return iconButton_; }
  QPushButton* listButton() const { return listButton_; }
  ThumbnailModel* thumbnails() const { return thumbnailModel_; }
  TableModel* rows() const { return tableModel_; }
  // The row the user picked last in either view, -1 when none.
  int currentRow() const;

 Q_SIGNALS:
  void iconModeRequested();
  void listModeRequested();
  void rowPicked(int row);

 private:
  PaneSetup setup_;
  ThumbnailModel* thumbnailModel_;
  TableModel* tableModel_;
  QStackedWidget* stack_;
  QListView* icons_;
  QTableView* list_;
  QHBoxLayout* buttons_;
  QPushButton* iconButton_;
  QPushButton* listButton_;
  QMenu* menu_;
  QStringList menuOrder_;
};

}  // namespace solvane::ui
