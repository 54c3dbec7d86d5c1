#pragma once
// The commands of the music and lyric panes: their buttons and context-menu entries, the
// hover tips of their cells, the pressed cell as the panes' selection, dragging one cell
// onto another to swap the rows, the binding windows, the delete windows and "歌词设置".
// Every rule lives in the core (binding.h, media_list_editing.h, lyric_styles.h); this
// class asks the questions and reloads the panes.
#include <functional>

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include "lyrics/binding.h"

class QLabel;
class QWidget;

namespace solvane::ui {

class Pane;
class SummaryPanel;
struct Session;

using MediaPane = solvane::Pane;
// Shows a pane's tip for a cell: the view, the cell's rectangle in it and the tip's lines.
using CellTipShower =
    std::function<void(MediaPane pane, QWidget* view, const QRect& cell, const QStringList& lines)>;

class MediaPaneCommands : public QObject {
  Q_OBJECT
 public:
  // `guard` runs a command and turns the core's errors into messages (the main window's);
  // `showTip` opens the pane tip of a cell the pointer came onto.
  MediaPaneCommands(Session& session, Pane* music, Pane* lyrics, SummaryPanel* summary,
                    QWidget* window, std::function<void(const std::function<void()>&)> guard,
                    CellTipShower showTip);

  // As the pane buttons and menu entries run them.
  void bindingCommand(MediaPane pane, BindingCommand command);
  void deleteCommand(MediaPane pane, bool all);
  void lyricSettingsCommand();
  // Drops cell `dragged` with its top-left at `dropped` (icon-view coordinates): swaps the
  // rows when it lands on another cell. Returns the row swapped with, -1 for none.
  int dropCell(MediaPane pane, int dragged, QPoint dropped);

  // Both panes read their tables again; the pressed cell stays selected.
  void reload();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Pane* paneOf(MediaPane pane) const;
  // The list view's selection into the display list, where the core looks for it.
  void syncSelection(MediaPane pane);
  void addCommands(MediaPane pane);
  void showCellTip(MediaPane pane, QPoint at);

  Session& session_;
  Pane* music_;
  Pane* lyrics_;
  SummaryPanel* summary_;
  QWidget* window_;
  std::function<void(const std::function<void()>&)> guard_;
  CellTipShower showTip_;

  // The cell being dragged: its row, where it was pressed and where it stood.
  struct Drag {
    MediaPane pane = MediaPane::Music;
    int row = -1;
    QPoint pressedAt;
    QPoint cellAt;
    QLabel* ghost = nullptr;
  } drag_;
};

}  // namespace solvane::ui
