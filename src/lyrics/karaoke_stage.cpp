#include "lyrics/karaoke_stage.h"

#include <algorithm>

#include <QFontMetrics>

#include "lyrics/script_conversion.h"
#include "lyrics/text_fonts.h"

namespace solvane {
namespace {

const QString kTrailingBlanks = QStringLiteral("     ");
constexpr int kBoxPadding = 10;

int slotOf(const KscLine& line) { return line.slot == QLatin1String("B") ? 1 : 0; }

}  // namespace

KaraokePanel KaraokePanel::preview() { return KaraokePanel{}; }

KaraokePanel KaraokePanel::render() {
  const KaraokePanel p = preview();
  KaraokePanel r;
  r.width = 1920;
  r.height = 1080;
  r.slotA = QPoint(p.slotA.x() * 1920 / p.width, p.slotA.y() * 1080 / p.height);
  r.slotBTop = p.slotBTop * 1080 / p.height;
  return r;
}

KaraokeStage::KaraokeStage(const KaraokeTiming& timing) : timing_(timing) { followTiming(); }

void KaraokeStage::followTiming() {
  if (generation_ == timing_.generation()) return;
  generation_ = timing_.generation();
  const bool render = timing_.variant() == KscVariant::Render;
  panel_ = render ? KaraokePanel::render() : KaraokePanel::preview();
  measureFont_ = fontAtPoints(QStringLiteral("微软雅黑"),
                              kscMeasureSize(timing_.fontSize(), timing_.variant()));
  reset();
}

void KaraokeStage::reset() {
  labels_ = {};
  order_ = {KaraokeLabelId::A1, KaraokeLabelId::A2, KaraokeLabelId::B1, KaraokeLabelId::B2};
  wiping_ = false;
  line_ = -1;
  unit_ = 0;
  counter_ = 0;
  wipeClock_.clear();
  units_.clear();
}

void KaraokeStage::raise(KaraokeLabelId id) {
  auto it = std::find(order_.begin(), order_.end(), id);
  std::rotate(it, it + 1, order_.end());
}

void KaraokeStage::onClock(const QString& t) {
  followTiming();
  if (timing_.empty()) return;
  const int appearing = timing_.findAppearing(t);
  if (appearing >= 0) appear(appearing);
  const int starting = timing_.findWipeStarting(t);
  if (starting >= 0) startWipe(starting, t);
  if (timing_.hidesAll(t))
    for (KaraokeLabel& label : labels_) label = {};
}

void KaraokeStage::appear(int line) {
  const KscLine& l = timing_.lines()[line];
  const int slot = slotOf(l);
  const QFontMetrics metrics(measureFont_);
  const QString measured = l.processed + kTrailingBlanks;
  const int w = metrics.horizontalAdvance(measured) + kBoxPadding;
  const int h = metrics.height() + kBoxPadding;
  const bool preview = timing_.variant() == KscVariant::Preview;
  const QString shown =
      (preview ? convertToScript(l.processed, previewScript_) : l.processed) + kTrailingBlanks;

  const QPoint topLeft =
      slot == 0 ? panel_.slotA : QPoint(panel_.width - w - panel_.rightMargin, panel_.slotBTop);
  base(slot) = {shown, QRect(topLeft, QSize(w, h)), true};
  fill(slot) = {shown, QRect(topLeft, QSize(0, h)), false};
  raise(static_cast<KaraokeLabelId>(slot * 2));
  raise(static_cast<KaraokeLabelId>(slot * 2 + 1));
}

void KaraokeStage::completeOtherSlot(int slot) {
  const int other = 1 - slot;
  if (fill(other).box.width() > 0) fill(other).box.setWidth(base(other).box.width());
}

void KaraokeStage::startWipe(int line, const QString& t) {
  const int slot = slotOf(timing_.lines()[line]);
  fill(slot).visible = true;
  raise(static_cast<KaraokeLabelId>(slot * 2 + 1));
  if (timing_.variant() == KscVariant::Render) {
    line_ = line;
    // The clock text stays the same for 25 frames; the wipe starts on the first of them.
    if (t == wipeClock_) return;
    wipeClock_ = t;
  } else {
    wiping_ = false;
    completeOtherSlot(slot);
    line_ = line;
  }
  unit_ = 0;
  counter_ = 0;
  units_ = timing_.fillUnits(line);
  wiping_ = !units_.empty();
}

void KaraokeStage::step() {
  followTiming();
  if (!wiping_ || line_ < 0) return;
  const int n = static_cast<int>(units_.size());
  if (unit_ >= n) {
    wiping_ = false;
    return;
  }
  const int slot = slotOf(timing_.lines()[line_]);
  const FillUnit& unit = units_[unit_];
  const bool last = unit_ == n - 1;
  QRect& box = fill(slot).box;
  const int limit = base(slot).box.width();

  ++counter_;
  completeOtherSlot(slot);
  int width = box.width();
  if (width < unit.cumulativeWidth) width += unit.stepPixels;
  if (last) width += unit.stepPixels;
  // Budgets of 0 steps (a unit shorter than half a frame or tick) end at once.
  if (counter_ >= unit.budget) {
    if (!last) width = unit.cumulativeWidth;
    ++unit_;
    counter_ = 0;
  }
  box.setWidth(std::min(width, limit));
  if (unit_ >= n) wiping_ = false;
}

}  // namespace solvane
