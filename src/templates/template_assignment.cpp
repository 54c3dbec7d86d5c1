#include "templates/template_assignment.h"

#include <chrono>
#include <memory>
#include <random>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "templates/bar_list.h"

namespace solvane {
namespace {

const QString kOne = QStringLiteral("1");
const QString kTwo = QStringLiteral("2");

// The pools and catalog of one orientation.
struct Side {
  const Table& catalog;
  Table& mainPool;
  Table& fallbackPool;
  bool landscape;
};

Side sideOf(Project& p, const QString& orientation) {
  if (orientation == word::shu_zhao)
    return {p.ListView_shuzhaopian, p.ListView_shuzhaopian_suijishu,
            p.ListView_shuzhaopian_suijishu_wei_1, false};
  return {p.ListView_hengzhaopian, p.ListView_hengzhaopian_suijishu,
          p.ListView_hengzhaopian_suijishu_wei_1, true};
}

bool hasSinglePhotoTemplate(const Table& catalog) {
  for (int i = 0; i < catalog.count(); ++i)
    if (catalog.cell(i, catalog_col::photo_count) == kOne) return true;
  return false;
}

void requireSinglePhotoTemplates(Project& p) {
  const Table& batch = p.ListView_daoruxiangpianchuli;
  for (int i = 0; i < batch.count(); ++i) {
    const Side side = sideOf(p, batch.cell(i, photo_col::orientation));
    if (!hasSinglePhotoTemplate(side.catalog))
      throw Error(QStringLiteral("The template library has no single-photograph template "
                                 "for %1 photographs; no photograph was added.")
                      .arg(side.landscape ? QStringLiteral("landscape")
                                          : QStringLiteral("portrait")));
  }
}

template <typename Keep>
void appendRowsWhere(const Table& catalog, Table& pool, Keep keep) {
  for (int i = 0; i < catalog.count(); ++i)
    if (keep(catalog.cell(i, catalog_col::photo_count))) pool.append(catalog.row(i));
}

int nextInstance(Project& p) {
  const int t = p.Edit_mobanleijia_sum.toInt() + 1;
  p.Edit_mobanleijia_sum = QString::number(t);
  return t;
}

QStringList drawRow(const Table& pool, const DrawIndex& draw) {
  const int r = draw(pool.count());
  if (r < 0 || r >= pool.count())
    throw Error(QStringLiteral("template draw %1 outside a pool of %2").arg(r).arg(pool.count()));
  return pool.row(r);
}

int intCell(const QStringList& row, int column) { return row.value(column).toInt(); }

// Writes columns 7–19 of batch row q for slot k of instance t drawn from pool row P. A slot
// list shorter than k gives "0", which the crop treats as a slot without a fixed size.
void writeSlot(Table& batch, int q, int t, const QStringList& P, int k, const QString& label) {
  const QStringList widths = split_bar_list(P.value(catalog_col::photo_width));
  const QStringList heights = split_bar_list(P.value(catalog_col::photo_height));
  auto set = [&](int column, const QString& text) { batch.setCell(q, column, text); };
  set(photo_col::template_folder, QString::number(t));
  set(photo_col::template_no, P.value(catalog_col::tpl_seq));
  set(photo_col::test_picture_name, label);
  set(photo_col::template_photo_count, P.value(catalog_col::photo_count));
  set(photo_col::picture_name, QStringLiteral("picture_%1").arg(k));
  set(photo_col::template_path, P.value(catalog_col::location));
  set(photo_col::need_width, widths.value(k - 1, QStringLiteral("0")));
  set(photo_col::need_height, heights.value(k - 1, QStringLiteral("0")));
  set(photo_col::tpl_photo_width, P.value(catalog_col::photo_width));
  set(photo_col::tpl_photo_height, P.value(catalog_col::photo_height));
  set(photo_col::tpl_orientation, P.value(catalog_col::orientation));
  set(photo_col::tpl_jpg_name, P.value(catalog_col::jpg_name));
  set(photo_col::tpl_frame_count, P.value(catalog_col::frame_count));
}

void appendToPhotoTable(Project& p, int q) {
  QStringList cells = p.ListView_daoruxiangpianchuli.row(q).mid(0, photo_col::staging_count);
  while (cells.size() < photo_col::staging_count) cells << QString();
  cells << QString(word::jiancai_no) << QString(word::jiancai_no);
  p.ListView_daoruxiangpian.append(cells);
}

bool unassigned(const Table& batch, int r, const QString& orientation) {
  return batch.cell(r, photo_col::orientation) == orientation &&
         batch.cell(r, photo_col::test_picture_name).isEmpty();
}

// Gives the next unassigned rows of q's orientation, q first, the slots of template P.
void fillTemplate(Project& p, const QString& orientation, const QStringList& P, int limit) {
  Table& batch = p.ListView_daoruxiangpianchuli;
  const int t = nextInstance(p);
  const QString suffix = orientation == word::shu_zhao ? QStringLiteral("  shu")
                                                        : QStringLiteral("  heng");
  int k = 0;
  for (int r = 0; r < batch.count(); ++r) {
    if (k >= limit || !unassigned(batch, r, orientation)) continue;
    ++k;
    writeSlot(batch, r, t, P, k, QStringLiteral("picture_%1").arg(k) + suffix);
  }
}

void assignSmallBatch(Project& p, const DrawIndex& draw, const std::function<void()>& step) {
  for (Side side : {sideOf(p, word::heng_zhao), sideOf(p, word::shu_zhao)}) {
    side.mainPool.clear();
    appendRowsWhere(side.catalog, side.mainPool, [](const QString& c) { return c == kOne; });
  }
  Table& batch = p.ListView_daoruxiangpianchuli;
  for (int q = 0; q < batch.count(); ++q) {
    if (step) step();
    const int t = nextInstance(p);
    const Side side = sideOf(p, batch.cell(q, photo_col::orientation));
    writeSlot(batch, q, t, drawRow(side.mainPool, draw), 1, QStringLiteral("picture_1"));
    appendToPhotoTable(p, q);
  }
}

void assignLargerBatch(Project& p, const DrawIndex& draw, const std::function<void()>& step) {
  Table& batch = p.ListView_daoruxiangpianchuli;
  const bool anyCount = batch.count() >= kLargeBatchStart;
  for (Side side : {sideOf(p, word::heng_zhao), sideOf(p, word::shu_zhao)}) {
    side.mainPool.clear();
    appendRowsWhere(side.catalog, side.mainPool,
                    [&](const QString& c) { return anyCount || c == kOne || c == kTwo; });
    // Not cleared: every batch adds the single-photograph templates once more, which keeps
    // them equally likely among themselves.
    appendRowsWhere(side.catalog, side.fallbackPool, [](const QString& c) { return c == kOne; });
  }

  for (int q = 0; q < batch.count(); ++q) {
    if (step) step();
    if (!batch.cell(q, photo_col::test_picture_name).isEmpty()) {
      appendToPhotoTable(p, q);  // already given a slot by an earlier template of the batch
      continue;
    }
    const QString orientation = batch.cell(q, photo_col::orientation);
    const Side side = sideOf(p, orientation);
    const QStringList P = drawRow(side.mainPool, draw);

    if (P.value(catalog_col::photo_count) == kOne) {
      writeSlot(batch, q, nextInstance(p), P, 1,
                side.landscape ? QStringLiteral("picture_1h") : QStringLiteral("picture_1s"));
    } else {
      int u = 0;
      for (int r = 0; r < batch.count(); ++r) u += unassigned(batch, r, orientation) ? 1 : 0;
      const int s = intCell(P, side.landscape ? catalog_col::landscape_count
                                              : catalog_col::portrait_count);
      const int limit = intCell(P, side.landscape ? catalog_col::landscape_count
                                                  : catalog_col::photo_count);
      // Landscape rows fill a template when enough are left, portrait rows only when more
      // than enough are left. A template that cannot hold q at all falls back as well.
      const bool fill = (side.landscape ? u >= s : u > s) && limit >= 1;
      if (fill) {
        fillTemplate(p, orientation, P, limit);
      } else {
        writeSlot(batch, q, nextInstance(p), drawRow(side.fallbackPool, draw), 1,
                  side.landscape ? QStringLiteral("picture_1he不成立")
                                 : QStringLiteral("picture_1sh不成立"));
      }
    }
    appendToPhotoTable(p, q);
  }
}

}  // namespace

int clockSeededDraw(int poolSize) {
  std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return std::uniform_int_distribution<int>(0, poolSize - 1)(generator);
}

DrawIndex seededDraw(unsigned seed) {
  auto generator = std::make_shared<std::mt19937>(seed);
  return [generator](int poolSize) {
    return std::uniform_int_distribution<int>(0, poolSize - 1)(*generator);
  };
}

void assignTemplates(Project& project, const DrawIndex& draw, const std::function<void()>& step) {
  requireSinglePhotoTemplates(project);
  if (project.ListView_daoruxiangpianchuli.count() < kSmallBatchLimit)
    assignSmallBatch(project, draw, step);
  else
    assignLargerBatch(project, draw, step);
}

}  // namespace solvane
