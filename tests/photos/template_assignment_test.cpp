// Template assignment over import batches, with the random draws fixed by the test.
#include <deque>

#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "photo_fixtures.h"
#include "templates/template_assignment.h"

namespace solvane {
namespace {

using test::catalogRow;

// Hands out the given draws in order and records the pool size of every draw.
struct FixedDraws {
  std::deque<int> draws;
  std::vector<int> poolSizes;
  DrawIndex fn() {
    return [this](int m) {
      poolSizes.push_back(m);
      if (draws.empty()) return 0;
      const int r = draws.front();
      draws.pop_front();
      return r;
    };
  }
};

class TemplateAssignment : public ::testing::Test {
 protected:
  void SetUp() override {
    // Landscape catalog: 0 single, 1 pair, 2 triple. Portrait catalog: 3 single, 4 pair.
    project.ListView_hengzhaopian.append(catalogRow(0, 1, 1, 0));
    project.ListView_hengzhaopian.append(catalogRow(1, 2, 2, 0, {}, "|800|640|", "|600|480|"));
    project.ListView_hengzhaopian.append(catalogRow(2, 3, 3, 0));
    project.ListView_shuzhaopian.append(catalogRow(3, 1, 0, 1));
    project.ListView_shuzhaopian.append(catalogRow(4, 2, 0, 2));
  }

  // Batch rows with the given orientations ('h' landscape, 's' portrait).
  void batch(const std::string& orientations) {
    for (char o : orientations) {
      const int seq = project.ListView_daoruxiangpianchuli.count() + 1;
      QStringList row{QString::number(seq), QStringLiteral("/p/%1.jpg").arg(seq),
                      QString::number(seq), ".jpg", "4000", "3000",
                      o == 'h' ? QString(word::heng_zhao) : QString(word::shu_zhao)};
      while (row.size() < photo_col::staging_count) row << QString();
      project.ListView_daoruxiangpianchuli.append(row);
    }
  }

  QString photo(int row, int column) const { return project.ListView_daoruxiangpian.cell(row, column); }

  Project project;
  FixedDraws draws;
};

TEST_F(TemplateAssignment, SmallBatchGivesEverySinglePhotographItsOwnInstance) {
  project.Edit_mobanleijia_sum = "3";
  batch("hshs");
  draws.draws = {0, 0, 0, 0};
  int steps = 0;
  assignTemplates(project, draws.fn(), [&] { ++steps; });

  EXPECT_EQ(steps, 4);
  ASSERT_EQ(project.ListView_daoruxiangpian.count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(photo(i, photo_col::template_folder), QString::number(4 + i));
    EXPECT_EQ(photo(i, photo_col::template_photo_count), "1");
    EXPECT_EQ(photo(i, photo_col::picture_name), "picture_1");
    EXPECT_EQ(photo(i, photo_col::test_picture_name), "picture_1");
    EXPECT_EQ(photo(i, photo_col::thumb_done), word::jiancai_no);
    EXPECT_EQ(photo(i, photo_col::crop_done), word::jiancai_no);
  }
  EXPECT_EQ(photo(0, photo_col::template_no), "0");
  EXPECT_EQ(photo(1, photo_col::template_no), "3");
  EXPECT_EQ(photo(1, photo_col::need_width), "800");
  EXPECT_EQ(photo(1, photo_col::path), "/p/2.jpg");
  EXPECT_EQ(project.Edit_mobanleijia_sum, "7");
  // Main pools hold the single-photograph templates only; fallback pools stay untouched.
  EXPECT_EQ(project.ListView_hengzhaopian_suijishu.count(), 1);
  EXPECT_EQ(project.ListView_shuzhaopian_suijishu.count(), 1);
  EXPECT_TRUE(project.ListView_hengzhaopian_suijishu_wei_1.empty());
  EXPECT_EQ(draws.poolSizes, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(TemplateAssignment, PairTemplateTakesTheNextLandscapeRowWhichThenDrawsNothing) {
  batch("hhhhhh");
  draws.draws = {1, 0, 0, 0, 0};  // row 1 draws the pair, rows 3..6 the single
  assignTemplates(project, draws.fn());

  EXPECT_EQ(photo(0, photo_col::template_folder), "1");
  EXPECT_EQ(photo(1, photo_col::template_folder), "1");
  EXPECT_EQ(photo(0, photo_col::picture_name), "picture_1");
  EXPECT_EQ(photo(1, photo_col::picture_name), "picture_2");
  EXPECT_EQ(photo(0, photo_col::test_picture_name), "picture_1  heng");
  EXPECT_EQ(photo(1, photo_col::test_picture_name), "picture_2  heng");
  EXPECT_EQ(photo(1, photo_col::need_width), "640");
  EXPECT_EQ(photo(1, photo_col::need_height), "480");
  EXPECT_EQ(photo(1, photo_col::template_photo_count), "2");
  EXPECT_EQ(photo(2, photo_col::template_folder), "2");
  EXPECT_EQ(photo(2, photo_col::test_picture_name), "picture_1h");
  EXPECT_EQ(photo(5, photo_col::template_folder), "5");
  EXPECT_EQ(draws.poolSizes.size(), 5u) << "row 2 was already assigned and draws nothing";
  // Regime B: singles and pairs only, never the triple.
  EXPECT_EQ(project.ListView_hengzhaopian_suijishu.count(), 2);
}

TEST_F(TemplateAssignment, PortraitRowsNeedMoreThanTheSlotCountWhileLandscapeRowsNeedEnough) {
  batch("hhhss");
  draws.draws = {0, 0, 0, /*row 4*/ 1, /*fallback*/ 0, /*row 5*/ 0};
  assignTemplates(project, draws.fn());
  EXPECT_EQ(photo(3, photo_col::test_picture_name), "picture_1sh不成立");
  EXPECT_EQ(photo(3, photo_col::template_photo_count), "1");
  EXPECT_EQ(photo(4, photo_col::test_picture_name), "picture_1s");
  EXPECT_NE(photo(3, photo_col::template_folder), photo(4, photo_col::template_folder));

  Project again;
  again.ListView_hengzhaopian = project.ListView_hengzhaopian;
  again.ListView_shuzhaopian = project.ListView_shuzhaopian;
  project = again;
  batch("ssshh");
  draws.draws = {0, 0, 0, /*row 4*/ 1};
  assignTemplates(project, draws.fn());
  EXPECT_EQ(photo(3, photo_col::test_picture_name), "picture_1  heng");
  EXPECT_EQ(photo(4, photo_col::test_picture_name), "picture_2  heng");
  EXPECT_EQ(photo(3, photo_col::template_folder), photo(4, photo_col::template_folder));
}

TEST_F(TemplateAssignment, LandscapeRowFallsBackWhenFewerRowsThanSlotsAreLeft) {
  batch("shhhhsssssss");  // twelve rows: every template may be drawn
  draws.draws = {0, /*row 2: triple*/ 2, /*row 5: triple again*/ 2, /*fallback*/ 0};
  assignTemplates(project, draws.fn());
  EXPECT_EQ(photo(1, photo_col::test_picture_name), "picture_1  heng");
  EXPECT_EQ(photo(3, photo_col::test_picture_name), "picture_3  heng");
  EXPECT_EQ(photo(3, photo_col::template_folder), "2");
  EXPECT_EQ(photo(4, photo_col::test_picture_name), "picture_1he不成立");
  EXPECT_EQ(photo(4, photo_col::template_photo_count), "1");
}

TEST_F(TemplateAssignment, MixedBatchTemplateSkipsRowsOfTheOtherOrientation) {
  batch("hshhh");
  draws.draws = {1, 0, 0};
  assignTemplates(project, draws.fn());
  EXPECT_EQ(photo(0, photo_col::template_folder), "1");
  EXPECT_EQ(photo(2, photo_col::template_folder), "1");
  EXPECT_EQ(photo(2, photo_col::picture_name), "picture_2");
  EXPECT_EQ(photo(1, photo_col::template_folder), "2");
  EXPECT_EQ(photo(3, photo_col::template_folder), "3");
}

TEST_F(TemplateAssignment, LargeBatchOffersEveryTemplateAndFallbackPoolsGrowPerBatch) {
  batch("hhhhhhhhhhhh");
  draws.draws = {2};
  assignTemplates(project, draws.fn());
  EXPECT_EQ(project.ListView_hengzhaopian_suijishu.count(), 3);
  EXPECT_EQ(photo(2, photo_col::picture_name), "picture_3");
  EXPECT_EQ(photo(2, photo_col::template_folder), "1");
  EXPECT_EQ(photo(3, photo_col::template_folder), "2");
  EXPECT_EQ(project.ListView_hengzhaopian_suijishu_wei_1.count(), 1);
  EXPECT_EQ(project.ListView_shuzhaopian_suijishu_wei_1.count(), 1);

  project.ListView_daoruxiangpianchuli.clear();
  batch("hhhhh");
  assignTemplates(project, draws.fn());
  EXPECT_EQ(project.ListView_hengzhaopian_suijishu_wei_1.count(), 2);
  EXPECT_EQ(project.ListView_daoruxiangpian.count(), 17);
}

TEST_F(TemplateAssignment, MissingSinglePhotographTemplateIsReportedBeforeAnythingChanges) {
  project.ListView_shuzhaopian.remove(0);
  batch("hs");
  EXPECT_THROW(assignTemplates(project, draws.fn()), Error);
  EXPECT_TRUE(project.ListView_daoruxiangpian.empty());
  EXPECT_EQ(project.Edit_mobanleijia_sum, "0");
}

TEST(SeededDraw, TheSameSeedDrawsTheSameRowsWithinThePool) {
  DrawIndex a = seededDraw(7), b = seededDraw(7), other = seededDraw(8);
  bool differs = false;
  for (int pool : {1, 2, 5, 42, 42, 42, 3, 17}) {
    const int x = a(pool);
    EXPECT_EQ(x, b(pool));
    EXPECT_GE(x, 0);
    EXPECT_LT(x, pool);
    differs = differs || other(pool) != x;
  }
  EXPECT_TRUE(differs) << "another seed draws another sequence";
}

}  // namespace
}  // namespace solvane
