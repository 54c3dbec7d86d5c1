#pragma once
// Where a hover tip goes: 20 pixels left of and 10 below the mouse pointer, then pushed
// back inside the screen (a tip that would leave at the bottom goes above the pointer).
#include <QPoint>
#include <QRect>
#include <QSize>

namespace solvane {

inline constexpr int kTipDelayMs = 2000;  // pointer resting before the tip fades in
inline constexpr int kTipHoldMs = 2000;   // fully shown before it fades out

QPoint tipPlacement(QPoint pointer, QSize tip, const QRect& screen);

}  // namespace solvane
