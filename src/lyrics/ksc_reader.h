#pragma once
// KSC karaoke files: per sung line a start and end time, the text and the duration of every
// sung unit. One file is held at a time as a line table, lookup lists and five unit grids,
// from which the karaoke preview and the frame overlay show and fill the lines.
#include <vector>

#include <QString>
#include <QStringList>

#include "model/table.h"

namespace solvane {

// The karaoke window measures and times for its 800-pixel preview panel; the render
// measures for the 1920-pixel frame and times in frames.
enum class KscVariant { Preview, Render };

// One row of the line table (suiListView_KSC_2).
struct KscLine {
  QString start;      // 开始时间, as written ("00:12.500")
  QString end;        // 结束时间
  QString text;       // 歌词内容, as written, brackets included
  QString durations;  // 歌词速度, "400,350,..."
  QString appear;     // 出现秒数: mm:ss one second before the start
  QString hide;       // 隐去秒数: mm:ss one second after the end
  QString wipeStart;  // 滚动秒数: first five characters of the start
  QString slot;       // "A" for even line indexes, "B" for odd ones
  QString processed;  // 处理后的歌词: the units joined without brackets
};

// One of the unit grids: 100 rows × 100 line columns of text, every cell "0" after a
// reset. Cell (r, c) is unit r of line c; row 0 holds the line's count.
class KscGrid {
 public:
  static constexpr int kSize = 100;
  KscGrid();
  const QString& cell(int row, int line) const;
  int number(int row, int line) const;
  void set(int row, int line, const QString& text);
  void reset();

 private:
  std::vector<QString> cells_;
};

// Where a unit's fill ends and how it advances: the unit's cumulative width, its budget of
// steps (timer ticks in the preview, frames in the render) and the pixels one step adds.
struct FillUnit {
  int cumulativeWidth = 0;
  int budget = 0;
  int stepPixels = 1;
};

struct KscReadOptions {
  // Fill-timer ticks per second measured by the karaoke window (preview budgets).
  int ticksPerSecond = 1000;
};

class KaraokeTiming {
 public:
  static constexpr int kMaxLines = KscGrid::kSize;
  static constexpr int kMaxUnits = KscGrid::kSize - 1;

  // Reads the file of karaoke row `row` (its position, font size and script cells).
  // Throws Error when the file cannot be opened; every table is left cleared then.
  void ReadKscFile(const Table& ksc, int row, KscVariant variant,
                   const KscReadOptions& options = {});
  // The same on decoded text, with the style values given directly. A text without
  // karaoke.add statements is read as a word-timed LRC file (see lrc_karaoke.h), whose
  // word times then give the lines and their units.
  void readText(const QString& text, KscVariant variant, int fontSize, const QString& script,
                const KscReadOptions& options = {});
  void clear();

  KscVariant variant() const { return variant_; }
  // The karaoke font size the file was read with (points, before any scaling).
  int fontSize() const { return fontSize_; }
  // Counts reads and clears, so whoever shows the lines can tell that the tables changed.
  int generation() const { return generation_; }
  const std::vector<KscLine>& lines() const { return lines_; }
  bool empty() const { return lines_.empty(); }
  // Lookup lists: appear times, hide times and (render) wipe-start times, one per line.
  const QStringList& appearList() const { return appear_; }
  const QStringList& hideList() const { return hide_; }
  const QStringList& wipeStartList() const { return wipeStart_; }
  // Grid 3 … 7 (suiListView_KSC_3 … suiListView_KSC_7).
  const KscGrid& grid(int number) const;

  // First line from the top whose appear time begins with mm:ss `t`; -1 when none.
  int findAppearing(const QString& t) const;
  // First line whose wipe starts at `t` (preview: start time captions; render: wipe list).
  int findWipeStarting(const QString& t) const;
  // True when `t` is the hide time of the file's last line.
  bool hidesAll(const QString& t) const;

  // Unit count of a line and the fill plan of its units for this variant.
  int unitCount(int line) const;
  std::vector<FillUnit> fillUnits(int line) const;

 private:
  void fillGrids(int line, int fontSize, const KscReadOptions& options);

  KscVariant variant_ = KscVariant::Preview;
  int fontSize_ = 25;
  int generation_ = 0;
  std::vector<KscLine> lines_;
  QStringList appear_;
  QStringList hide_;
  QStringList wipeStart_;
  KscGrid grids_[5];
};

// The karaoke.add statements of one physical line, each up to and without its ";" (a ";"
// inside a quoted string does not end it). Tools that write a whole file on one line put
// every statement there. The first statement must start the line, as a karaoke line
// always has; later ones may follow their ";" after blanks. Other statements
// ("karaoke.rows := 2") are left out.
QStringList kscStatements(const QString& line);
// The quoted strings of a karaoke.add line, in order. A quote preceded by a backslash
// belongs to the string (an apostrophe in an English lyric), the backslash dropped.
QStringList kscLineStrings(const QString& line);
// The sung units of a lyric text: "[" … "]" groups one unit; other characters are a unit
// each. A group still open at the end of the text is a unit too.
QStringList kscUnits(const QString& text);
// Frames of a duration at 25 per second, an exact half going to the even neighbour.
int kscFrames(double milliseconds);
// Measurement font of the karaoke labels: 微软雅黑, regular, at `points` (96 dpi).
int kscUnitWidth(const QString& unit, int points);
// Font size of the measuring label: the style size (preview) or scaled to 1920 (render).
int kscMeasureSize(int fontSize, KscVariant variant);

}  // namespace solvane
