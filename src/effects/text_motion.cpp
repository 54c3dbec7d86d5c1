#include "effects/text_motion.h"

#include <QPoint>

#include "model/columns.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

// (x, y) are the row's fixed coordinates; s is the step.
using StartFn = QPoint (*)(const MotionField& f, const MovingLabel& l, int x, int y);
using MoveFn = void (*)(MovingLabel& l, int s, int x, int y);

struct Motion {
  QLatin1String name;
  StartFn start;
  MoveFn move;
  bool leavesThroughTopOrLeft;  // never passes the right or bottom edge
};

const Motion kMotions[] = {
    {motion::zuoshangxiangyouxia,
     [](const MotionField&, const MovingLabel& l, int, int) { return QPoint(-l.width, -l.height); },
     [](MovingLabel& l, int s, int, int) { l.left += s; l.top += 2; },  // 2 px down, not s
     false},
    {motion::congzuoxiangyou,
     [](const MotionField&, const MovingLabel& l, int, int y) { return QPoint(-l.width, y); },
     [](MovingLabel& l, int s, int, int y) { l.left += s; l.top = y; },
     false},
    {motion::congshangxiangxia,
     [](const MotionField&, const MovingLabel& l, int x, int) { return QPoint(x, -l.height); },
     [](MovingLabel& l, int s, int x, int) { l.left = x; l.top += s; },
     false},
    {motion::congyouxiangzuo,
     [](const MotionField& f, const MovingLabel&, int, int y) { return QPoint(f.width, y); },
     [](MovingLabel& l, int s, int, int y) { l.left -= s; l.top = y; },
     true},
    {motion::zuoxiadaoyoushang,
     [](const MotionField& f, const MovingLabel& l, int, int) { return QPoint(-l.width, f.height); },
     [](MovingLabel& l, int s, int, int) { l.left += s; l.top -= s; },
     false},
    {motion::youshangdaozuoxia,
     [](const MotionField& f, const MovingLabel& l, int, int) { return QPoint(f.width, -l.height); },
     [](MovingLabel& l, int s, int, int) { l.left -= s; l.top += s; },
     false},
    {motion::youxiadaozuoshang,
     [](const MotionField& f, const MovingLabel&, int, int) { return QPoint(f.width, f.height); },
     [](MovingLabel& l, int s, int, int) { l.left -= s; l.top -= s; },
     true},
};

const Motion* findMotion(const QString& name) {
  for (const Motion& m : kMotions)
    if (name == m.name) return &m;
  return nullptr;
}

}  // namespace

void StepTextMotion(Table& effects, int row, const QString& clock, const MotionField& field,
                    MovingLabel& label) {
  const int x = effects.cell(row, label_col::x).toInt();
  const int y = effects.cell(row, label_col::y).toInt();
  const Motion* m = findMotion(effects.cell(row, label_col::decoration));

  if (effects.cell(row, label_col::start_time) == clock &&
      effects.cell(row, label_col::state) == word::tingzhi) {
    if (m) {
      const QPoint at = m->start(field, label, x, y);
      label.left = at.x();
      label.top = at.y();
    }
    label.visible = true;
    effects.setCell(row, label_col::state, word::qidong);
  }
  if (effects.cell(row, label_col::state) != word::qidong) return;
  if (!m) {
    effects.setCell(row, label_col::state, word::tingzhi);
    return;
  }

  m->move(label, field.step, x, y);

  const bool pastRightOrBottom = label.left > field.width || label.top > field.height;
  const bool goneTopOrLeft = m->leavesThroughTopOrLeft &&
                             (label.left + label.width < 0 || label.top + label.height < 0);
  if (pastRightOrBottom || goneTopOrLeft) effects.setCell(row, label_col::state, word::tingzhi);
}

}  // namespace solvane
