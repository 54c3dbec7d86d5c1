#pragma once
// Colour names of the colour picker and their numbers: 24-bit values with red in the low
// byte, green in the middle and blue in the high byte (0x00BBGGRR), stored in decimal.
#include <optional>

#include <QColor>
#include <QString>
#include <QStringList>

namespace solvane {

// Every name the picker offers, in picker order.
const QStringList& colourNames();
// The number of a picker name; nothing for an unknown name.
std::optional<int> colourValue(const QString& name);
// The first picker name with this number; nothing when no entry has it.
std::optional<QString> colourNameOf(int value);

// Drawing colour of a stored number ("16711680" → blue). Text that is not a number reads
// as white, the default lyric colour, so a damaged cell still draws readable text.
QColor colourFromValueText(const QString& value);
int colourValueOf(const QColor& colour);

}  // namespace solvane
