#pragma once
// Gives every photograph of an import batch a template, an instance number and a picture
// slot, drawing templates at random from pools built out of the landscape and portrait
// catalogs, and appends the batch rows to the photo table.
#include <functional>

#include <QStringList>

namespace solvane {

struct Project;

// Returns a row index uniformly distributed in 0 … poolSize − 1 (poolSize ≥ 1). Tests pass
// a fixed sequence; the program passes clockSeededDraw.
using DrawIndex = std::function<int(int poolSize)>;

// Reseeds a generator from the high-resolution clock before every draw.
int clockSeededDraw(int poolSize);

// The same draws for the same seed, so one album can be made again template for template
// (benchmarks compare runs on identical albums).
DrawIndex seededDraw(unsigned seed);

// Batch sizes that switch between the three regimes.
inline constexpr int kSmallBatchLimit = 5;   // fewer photographs: single-photograph templates
inline constexpr int kLargeBatchStart = 12;  // from here on: templates of any photo count

// Assigns the rows of ListView_daoruxiangpianchuli (columns 7–19), rebuilds the main pools,
// grows the fallback pools, advances Edit_mobanleijia_sum and appends every batch row to
// ListView_daoruxiangpian with thumb_done and crop_done "jiancai_no". `step` is called once
// per batch photograph. Throws Error, before changing anything, when the batch holds an
// orientation whose catalog has no single-photograph template (a draw could then meet an
// empty pool).
void assignTemplates(Project& project, const DrawIndex& draw,
                     const std::function<void()>& step = {});

}  // namespace solvane
