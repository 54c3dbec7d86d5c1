#pragma once
// The three layouts of the main window and the size rule of each, as pure functions of the
// screen, so the window only applies what these return.
#include <QRect>
#include <QSize>
#include <QString>

namespace solvane {

enum class WindowLayout {
  Start,   // "kaishibuju": sized from the screen, centred
  Fitted,  // "heshibuju": the screen less 100 pixels each way, centred
  Full,    // "quanpingbuju": the whole screen
};

// The word Edit_jiemian records for a layout, and back ("kaishibuju" for anything unknown).
QString layoutWord(WindowLayout layout);
WindowLayout layoutFromWord(const QString& word);

// The start layout's size: 1366 × 768 gives 1083 × 678, 1024 × 768 gives 1002 × 561,
// 1920 × 1080 and anything larger give 1280 × 720.
QSize startLayoutSize(QSize screen);

// Where the window goes on a screen whose available area is `screen`.
QRect layoutGeometry(WindowLayout layout, const QRect& screen);

// A double click on the title bar: back to the start layout from the other two, full screen
// from the start layout.
WindowLayout layoutAfterTitleDoubleClick(WindowLayout current);

}  // namespace solvane
