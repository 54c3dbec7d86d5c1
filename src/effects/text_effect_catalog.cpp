#include "effects/text_effect_catalog.h"

#include "effects/text_motion.h"
#include "model/error.h"

namespace solvane {
namespace {

const QStringList kMotionFields = {"caption", "motion", "x_zhi", "y_zhi"};
const QStringList kMotionCaptions = {"文字特效名称", "文字特效名称2", "x_zhi", "y_zhi"};

// Where entries 8 … 30 put their text. Only seven motions exist, so each caption gets the
// motion whose path or direction it names; a straight line along the picture's third or
// middle is kept by fixing x (vertical runs) or y (horizontal runs). There is no upward
// straight motion: captions that ask for one keep their column and run top to bottom.
enum class Place { zero, third, twoThirds, half };

struct ExtraEntry {
  QLatin1String decoration;
  Place x;
  Place y;
};

const ExtraEntry kExtraEntries[] = {
    {motion::zuoshangxiangyouxia, Place::zero, Place::zero},     // 8  居中上向右下
    {motion::youxiadaozuoshang, Place::zero, Place::zero},       // 9  居中下向左上
    {motion::zuoxiadaoyoushang, Place::zero, Place::zero},       // 10 居中下向右上
    {motion::congshangxiangxia, Place::half, Place::zero},       // 11 居中上向居中下
    {motion::congshangxiangxia, Place::half, Place::zero},       // 12 居中下向居中上
    {motion::congshangxiangxia, Place::third, Place::zero},      // 13 1/3左上向1/3左下
    {motion::congshangxiangxia, Place::third, Place::zero},      // 14 1/3左下向1/3左上
    {motion::congshangxiangxia, Place::twoThirds, Place::zero},  // 15 1/3右上向1/3右下
    {motion::congshangxiangxia, Place::twoThirds, Place::zero},  // 16 1/3右下向1/3右上
    {motion::congshangxiangxia, Place::half, Place::zero},       // 17 1/2上向1/2下
    {motion::congshangxiangxia, Place::half, Place::zero},       // 18 1/2下向1/2上
    {motion::congzuoxiangyou, Place::zero, Place::third},        // 19 1/3左上向1/3右上
    {motion::congzuoxiangyou, Place::zero, Place::twoThirds},    // 20 1/3左下向1/3右下
    {motion::congyouxiangzuo, Place::zero, Place::third},        // 21 1/3右上向1/3左上
    {motion::congyouxiangzuo, Place::zero, Place::twoThirds},    // 22 1/3右下向1/3左下
    {motion::congzuoxiangyou, Place::zero, Place::half},         // 23 1/2左向1/2右
    {motion::congyouxiangzuo, Place::zero, Place::half},         // 24 1/2右向1/2左
    {motion::zuoshangxiangyouxia, Place::zero, Place::zero},     // 25 居中左向右下
    {motion::zuoxiadaoyoushang, Place::zero, Place::zero},       // 26 居中左向右上
    {motion::youshangdaozuoxia, Place::zero, Place::zero},       // 27 居中右向左下
    {motion::youxiadaozuoshang, Place::zero, Place::zero},       // 28 居中右向左上
    {motion::congzuoxiangyou, Place::zero, Place::half},         // 29 居中左向居中右
    {motion::congyouxiangzuo, Place::zero, Place::half},         // 30 居中右向居中左
};
static_assert(std::size(kExtraEntries) == kEffectEntryCount - 7);

int placed(Place p, int extent) {
  switch (p) {
    case Place::zero: return 0;
    case Place::third: return extent / 3;
    case Place::twoThirds: return extent * 2 / 3;
    case Place::half: return extent / 2;
  }
  return 0;
}

QStringList numberedEntries(int from, int to, const QString& suffix) {
  QStringList entries;
  for (int v = from; v <= to; ++v)
    entries << QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')) + suffix;
  return entries;
}

}  // namespace

const QStringList& EffectChooserCaptions() {
  static const QStringList captions = {
      "从左上向右下", "从左下到右下", "从右下到左下", "从左下到右上", "从右上到左下",
      "从右下到左上", "从居中上向左下", "从居中上向右下", "从居中下向左上", "从居中下向右上",
      "从居中上向居中下", "从居中下向居中上", "从1/3左上向1/3左下(竖)",
      "从1/3左下向1/3左上(竖)", "从1/3右上向1/3右下(竖)", "从1/3右下向1/3右上(竖)",
      "从1/2上向1/2下(竖)", "从1/2下向1/2上(竖)", "从1/3左上向1/3右上(横)",
      "从1/3左下向1/3右下(横)", "从1/3右上向1/3左上(横)", "从1/3右下向1/3左下(横)",
      "从1/2左向1/2右(横)", "从1/2右向1/2左(横)", "从居中左向右下", "从居中左向右上",
      "从居中右向左下", "从居中右向左上", "从居中左向居中右", "从居中右向居中左"};
  return captions;
}

Table BuildMotionTable(int width, int height) {
  const QString halfWidth = QString::number(width / 2);
  const QString halfHeight = QString::number(height / 2);
  Table t(QStringLiteral("ListView_texiao_name"), kMotionFields, kMotionCaptions);
  // Mind the axes: the horizontal runs take half the *width* as their top and the vertical
  // run half the *height* as its left.
  t.append({"左上向右下", motion::zuoshangxiangyouxia, "0", "0"});
  t.append({"从左向右", motion::congzuoxiangyou, "0", halfWidth});
  t.append({"从上向下", motion::congshangxiangxia, halfHeight, "0"});
  t.append({"从右向左", motion::congyouxiangzuo, "0", halfWidth});
  t.append({"从左下到右上", motion::zuoxiadaoyoushang, "0", "0"});
  t.append({"从右上到左下", motion::youshangdaozuoxia, "0", "0"});
  t.append({"从右下到左上", motion::youxiadaozuoshang, "0", "0"});
  return t;
}

MotionChoice MotionForEntry(const Table& motionTable, int entry, int width, int height) {
  if (entry < 1 || entry > kEffectEntryCount)
    throw Error(QStringLiteral("text effect entry %1 does not exist").arg(entry));
  if (entry <= 7) {
    const int row = entry - 1;  // by position, whatever the two captions say
    return {motionTable.cell(row, 1), motionTable.cell(row, 2), motionTable.cell(row, 3)};
  }
  const ExtraEntry& e = kExtraEntries[entry - 8];
  return {e.decoration, QString::number(placed(e.x, width)),
          QString::number(placed(e.y, height))};
}

QStringList MinuteEntries() { return numberedEntries(0, 59, QStringLiteral("  分")); }
QStringList SecondEntries() { return numberedEntries(0, 59, QStringLiteral("  秒")); }

QStringList FontSizeEntries() {
  QStringList sizes;
  for (int v = 10; v <= 40; ++v) sizes << QString::number(v);
  return sizes;
}

}  // namespace solvane
