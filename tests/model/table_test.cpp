#include "model/table.h"

#include <gtest/gtest.h>

#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"

namespace solvane {
namespace {

TEST(Table, AppendFillsEveryColumnAndKeepsOrder) {
  Table t("t", {"seq", "a", "b"});
  t.append({"1", "x"});
  t.append({"2", "y", "z"});
  ASSERT_EQ(t.count(), 2);
  EXPECT_EQ(t.row(0).size(), 3);
  EXPECT_EQ(t.cell(0, 2), "");
  EXPECT_EQ(t.cell(1, 2), "z");
}

TEST(Table, RenumberRewritesSeqAfterDeleteAndInsert) {
  Table t("t", {"seq", "name"});
  for (const char* n : {"a", "b", "c"}) t.append({"?", n});
  t.remove(0);
  t.insert(1, {"?", "d"});
  t.renumber();
  ASSERT_EQ(t.count(), 3);
  EXPECT_EQ(t.row(0), (QStringList{"1", "b"}));
  EXPECT_EQ(t.row(1), (QStringList{"2", "d"}));
  EXPECT_EQ(t.row(2), (QStringList{"3", "c"}));
}

TEST(Table, SelectionAndFocusFollowRowsOnDelete) {
  Table t("list", {"seq"});
  for (int i = 0; i < 4; ++i) t.append({QString::number(i + 1)});
  t.setSelected(3, true);
  t.setFocused(3);
  t.remove(1);
  EXPECT_TRUE(t.selected(2));
  EXPECT_EQ(t.focused(), 2);
  t.remove(2);
  EXPECT_EQ(t.focused(), -1);
}

TEST(Table, OutOfRangeAccessIsAClearError) {
  Table t("ListView_daoru_yinyue", {"seq"});
  try {
    t.cell(0, 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains("ListView_daoru_yinyue"));
  }
}

TEST(Table, CopyRowsFromCopiesCaptionAndEverySubItem) {
  Table a("a", {"c0", "c1"}), b("b", {"c0", "c1"});
  a.append({"x", "1"});
  a.append({"y", "2"});
  b.append({"old", "0"});
  b.copyRowsFrom(a);
  EXPECT_EQ(b.count(), 2);
  EXPECT_EQ(b.row(1), (QStringList{"y", "2"}));
}

TEST(Project, TablesHaveTheirColumnsAndStateFieldsTheirInitialTexts) {
  Project p;
  EXPECT_EQ(p.ListView_daoruxiangpian.columnCount(), photo_col::count_);
  EXPECT_EQ(p.ListView_daoruxiangpianchuli.columnCount(), photo_col::staging_count);
  EXPECT_EQ(p.ListView_mobancanshu.columnCount(), param_col::count_);
  EXPECT_EQ(p.ListView_hengzhaopian.columnCount(), catalog_col::count_);
  EXPECT_EQ(p.ListView_hengzhaopian_suijishu.captions()[catalog_col::tpl_seq], "模板所在序号");
  EXPECT_EQ(p.ListView_daoru_yinyue.columnCount(), music_col::count_);
  EXPECT_EQ(p.ListView_daoru_LRC.columnCount(), lyric_col::count_);
  EXPECT_EQ(p.suiListView_ksc.columnCount(), ksc_col::count_);
  EXPECT_EQ(p.ListView_Label.columnCount(), label_col::count_);
  EXPECT_EQ(p.ListView_moban_shiyong_shuliang.columnCount(), instance_col::count_);
  EXPECT_EQ(p.ListView_daoruxiangpian.fields()[photo_col::crop_done], "crop_done");
  EXPECT_EQ(p.Edit_VCDSVCDDVD_leixing, "DVD");
  EXPECT_EQ(p.Edit_huanmian_zhiliang, "gaoqing_huazhi");
  EXPECT_EQ(p.Edit_tongbu_shezhi, "sui_zhaopian_tongbu");
  EXPECT_EQ(p.Edit_mobanleijia_sum, "0");
  EXPECT_EQ(Project::Edit_kuozhanming_7, ".bmp");
  EXPECT_TRUE(p.ListView_Image.empty());
}

}  // namespace
}  // namespace solvane
