#pragma once
// The motion of a text effect: when its start time shows on the clock the text enters the
// picture at the start position of its motion and then moves one step per tick (one preview
// tick or one rendered frame) until it has left the picture. The text-effect preview and
// the album overlay run this same step, so a preview shows what the album will show.
#include <QLatin1String>
#include <QString>

#include "model/table.h"

namespace solvane {

// The seven motion words stored in a text effect's `decoration` cell.
namespace motion {
inline constexpr QLatin1String zuoshangxiangyouxia{"zuoshangxiangyouxia"};  // down-right
inline constexpr QLatin1String congzuoxiangyou{"congzuoxiangyou"};          // left to right
inline constexpr QLatin1String congshangxiangxia{"congshangxiangxia"};      // top to bottom
inline constexpr QLatin1String congyouxiangzuo{"congyouxiangzuo"};          // right to left
inline constexpr QLatin1String zuoxiadaoyoushang{"zuoxiadaoyoushang"};      // up-right
inline constexpr QLatin1String youshangdaozuoxia{"youshangdaozuoxia"};      // down-left
inline constexpr QLatin1String youxiadaozuoshang{"youxiadaozuoshang"};      // up-left
}  // namespace motion

// The picture a text moves across and its step in pixels per tick.
struct MotionField {
  int width = 0;
  int height = 0;
  int step = 3;
};

// Where one text effect's label stands. Width and height are the label's box.
struct MovingLabel {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
};

// One motion step for row `row` of a text-effect table (ListView_Label layout):
//  - start: the row's start_time equals `clock` and its state is "tingzhi" → the label goes
//    to the motion's start position, becomes visible and the state becomes "qidong";
//  - move: a "qidong" row moves one step (also in the tick in which it started);
//  - stop: once the label is past the right edge (left > width) or the bottom edge
//    (top > height) the state returns to "tingzhi" and the label stays where it is.
// The two motions that leave through the left or top edge ("congyouxiangzuo",
// "youxiadaozuoshang") also stop once the label is entirely off the picture there
// (left + w < 0 or top + h < 0); otherwise they would run forever. Unknown motion words
// leave the label in place and stop it at once.
void StepTextMotion(Table& effects, int row, const QString& clock, const MotionField& field,
                    MovingLabel& label);

}  // namespace solvane
