#pragma once
// Fonts and colours of the overlay labels. Style cells give sizes in points, as the style
// windows show them; the 1920 × 1080 canvas is laid out at 96 dots per inch, so one point
// is 4/3 pixel whatever the screen of the machine says.
#include <QColor>
#include <QFont>
#include <QString>

namespace solvane {

struct LabelStyle {
  QString family;
  int points = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

QFont LabelFont(const LabelStyle& style);

// A colour stored as decimal 0x00BBGGRR text ("16711680" is blue); unreadable text gives
// white, the default of every style.
QColor ColorFromCell(const QString& value);

}  // namespace solvane
