#pragma once
// Fonts of lyric texts. Sizes in the tables are points on a 96-dpi screen, where the files
// and the sizes users choose come from; they are turned into pixels here once, so a
// measurement never depends on the dpi of the machine that draws.
#include <QFont>
#include <QSize>
#include <QString>

namespace solvane {

// Pixel height of a font of `points` at 96 dpi, rounded like the platform does (12 pt → 16).
int pointsToPixels(int points);

// A font of the family at the given point size (at 96 dpi), with the three style flags.
QFont fontAtPoints(const QString& family, int points, bool bold = false, bool italic = false,
                   bool underline = false);
// A font whose character height is `pixels`.
QFont fontAtPixels(const QString& family, int pixels);

// Width in pixels of `text` drawn in `font`.
int textWidth(const QFont& font, const QString& text);

// Width of the dark outline drawn around overlay text in `font`; the text's box grows by it
// on every side.
int textOutlineWidth(const QFont& font);
// The box of `text` in `font` with its outline: advance and line height, outline on each side.
QSize outlinedTextBox(const QFont& font, const QString& text);

}  // namespace solvane
