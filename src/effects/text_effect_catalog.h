#pragma once
// What the text-effect window offers: the thirty effect captions of its chooser, the motion
// table behind them, and the minute, second and size choosers.
#include <QString>
#include <QStringList>

#include "model/table.h"

namespace solvane {

inline constexpr int kEffectEntryCount = 30;

// The chooser's captions in order; entry numbers are 1-based.
const QStringList& EffectChooserCaptions();

// ListView_texiao_name (caption, motion name, x_zhi, y_zhi) for a picture area of
// width × height pixels, rebuilt each time the window opens.
Table BuildMotionTable(int width, int height);

// What choosing effect entry `entry` (1 … 30) stores in a row.
struct MotionChoice {
  QString decoration;  // motion word
  QString x;
  QString y;
};
// Entries 1 … 7 take rows 0 … 6 of `motionTable` by position. Entries 8 … 30 take the
// motion that follows their caption's path, with x or y placed on the picture's thirds or
// middle (see the table in the .cpp). Throws Error for an entry outside 1 … 30.
MotionChoice MotionForEntry(const Table& motionTable, int entry, int width, int height);

// "00  分" … "59  分", "00  秒" … "59  秒", "10" … "40".
QStringList MinuteEntries();
QStringList SecondEntries();
QStringList FontSizeEntries();

}  // namespace solvane
