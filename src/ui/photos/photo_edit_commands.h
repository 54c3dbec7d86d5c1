#pragma once
// The editing commands of the photo pane: "删除" and "全删" beside the pane, "删除相片",
// "全部删除" and "预览效果" in its context menu, the replacement of a photograph that shares
// its template, dragging one thumbnail onto another, the photo tip and the double-click
// preview. The rules live in the core (photos/photo_editing.h); this class asks the user and
// shows the outcome.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QAction;
class QLabel;
class QPushButton;

namespace solvane::ui {

class MainWindow;
class Pane;
class SummaryPanel;
struct Session;

class PhotoEditCommands : public QObject {
  Q_OBJECT
 public:
  PhotoEditCommands(Session& session, MainWindow& window, Pane& pane, SummaryPanel& summary);

  void deleteSelected();  // "删除", "删除相片"
  void deleteAll();       // "全删", "全部删除"
  void previewSelected(); // "预览效果", double-click
  // Replacing photo row `row`, which shares its template: the replacement choice and what
  // follows from it.
  void replace(int row);

  QPushButton* deleteButton() const { return deleteButton_; }
  QPushButton* deleteAllButton() const { return deleteAllButton_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The rows the commands act on: in list mode the selected display rows, in thumbnail mode
  // the pressed cell; empty when nothing is chosen.
  std::vector<int> chosenRows() const;
  void replaceRandomly(int row);
  bool replaceManually(int row);  // false: ask again
  // Runs a replacement in the "添加相片" progress window.
  void runReplacement(const std::function<void()>& work);
  void afterEdit();
  void guarded(const std::function<void()>& run);
  void press(QPoint at, Qt::MouseButton button);
  void dragTo(QPoint at);
  void cancelDrag();
  void drop(QPoint at);
  void hover(QPoint at);

  Session& session_;
  MainWindow& window_;
  Pane& pane_;
  SummaryPanel& summary_;
  QPushButton* deleteButton_;
  QPushButton* deleteAllButton_;
  // The drag: the pressed cell, the press point inside it, and the ghost that follows the
  // mouse.
  int dragged_ = -1;
  QPoint grip_;
  QLabel* ghost_ = nullptr;
  int hovered_ = -1;
};

}  // namespace solvane::ui
