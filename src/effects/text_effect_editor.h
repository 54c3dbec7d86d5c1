#pragma once
// The text-effect window without its widgets: the working table of text effects with the
// display list that mirrors it, adding with its checks, deleting, drag reordering, the
// preview, and the hand-over to the project when the window closes. Every refused command
// returns the message the window shows and changes nothing.
#include <optional>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>

#include "effects/text_effect_preview.h"
#include "model/table.h"

namespace solvane {

struct Project;

// What the window's controls hold when "添加特效" is pressed. Empty texts and entry 0 mean
// "nothing chosen".
struct TextEffectForm {
  QString text;
  QString minuteEntry;  // chooser entry, "01  分"
  QString secondEntry;  // chooser entry, "05  秒"
  int effectEntry = 0;  // 1 … 30
  QString colorName;    // "clWhite"
  QString colorValue;   // decimal 0x00BBGGRR, "16777215"
  QString fontName;
  QString fontSize;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The controls as the window opens them, and as the "默认" buttons set them back: text
// "此处输入文字", 00 minutes, 00 seconds, effect entry 1, clWhite, 黑体, size 10, no style.
TextEffectForm DefaultTextEffectForm();

// Drag-and-drop geometry of the display list (pixels).
inline constexpr int kDragRowHeight = 17;
inline constexpr int kListHeaderHeight = 22;
// Row under a mouse y measured from the list's top: (y − 22) div 17, truncated toward zero.
int ListRowAt(int y);

// Moves the rows at `selectedRows` (ascending) of `rows` as one block dropped on row `d`,
// the drag having begun on row `s`. Dropping beyond the last row appends the block; dropping
// on `s` changes nothing; otherwise the block goes in at d − n (downward drags) or d
// (upward drags), clamped to the rows that remain. `scratch` is the drag scratch table.
void DropDraggedRows(Table& rows, Table& scratch, const std::vector<int>& selectedRows, int s,
                     int d);

class TextEffectEditor {
 public:
  // Takes the table layout from the project; the rows start empty and stay with the
  // window between openings.
  explicit TextEffectEditor(const Project& project);

  // Opening the window: rebuilds the motion table for a picture area of width × height.
  void open(int pictureWidth, int pictureHeight);
  // Closing the window: stops the preview and hands copies of the rows to the project.
  void close(Project& project);

  std::optional<QString> add(const TextEffectForm& form);
  std::optional<QString> removeSelected();
  void removeAll();

  // Drag reordering; y is the mouse position relative to the list's top, x to its left.
  void pressMouse(int y);
  void moveMouse(int x, int y, int listWidth, int listHeight);
  void releaseMouse(int y);
  bool ghostVisible() const { return ghostVisible_; }
  // The dragged rows, drawn 10 pixels right of the list's left edge and 2 below the mouse,
  // 17 pixels per row.
  const Table& ghost() const { return ghost_; }
  QRect ghostGeometry() const;

  // Previews; `labelSizes` holds the box of each row's preview label.
  std::optional<QString> startSinglePreview(const std::vector<QSize>& labelSizes);
  std::optional<QString> startAllPreview(const std::vector<QSize>& labelSizes);
  void stopPreview();
  TextEffectPreview& preview() { return preview_; }
  const TextEffectPreview& preview() const { return preview_; }

  Table& rows() { return ListView_Label; }
  Table& display() { return suiListView_Label_2; }
  const Table& motionTable() const { return ListView_texiao_name; }
  QSize pictureArea() const { return area_; }

  QString Edit_tuodong_kaiguan;
  QString Edit_tuodong_up_or_dn;
  QString Edit_tuodong_hangshuo;
  QString Edit_tuodong_gaodu_sum = QStringLiteral("17");

 private:
  void rebuildDisplay();
  std::vector<int> selectedRows() const;

  Table ListView_Label;
  Table suiListView_Label_2;
  Table ListView_Label_tuodong_linshi;
  Table ListView_texiao_name;
  Table ghost_;
  bool ghostVisible_ = false;
  int ghostTop_ = 0;
  QSize area_;
  TextEffectPreview preview_;
};

}  // namespace solvane
