#include "photos/photo_snapshot.h"

namespace solvane {

PhotoTablesSnapshot::PhotoTablesSnapshot(const Project& p)
    : photos_(p.ListView_daoruxiangpian), batch_(p.ListView_daoruxiangpianchuli),
      display_(p.suiListView_xiangpian_liebiao), drag_(p.ListView_daoruxiangpian_tuodong_linshi),
      landscapePool_(p.ListView_hengzhaopian_suijishu), portraitPool_(p.ListView_shuzhaopian_suijishu),
      landscapeFallback_(p.ListView_hengzhaopian_suijishu_wei_1),
      portraitFallback_(p.ListView_shuzhaopian_suijishu_wei_1), instances_(p.Edit_mobanleijia_sum),
      pressed_(p.Edit_xiangpian_down_id), cells_(p.Edit_xianshikuang_pailie),
      resetSwitch_(p.Edit_daoru_moban_kaishishiyong_kaiguan), unpackCounter_(p.Edit_wj_1_jy_leijia),
      prefix_(p.Edit_str_mulu1) {}

void PhotoTablesSnapshot::restore(Project& p) const {
  p.ListView_daoruxiangpian = photos_;
  p.ListView_daoruxiangpianchuli = batch_;
  p.suiListView_xiangpian_liebiao = display_;
  p.ListView_daoruxiangpian_tuodong_linshi = drag_;
  p.ListView_hengzhaopian_suijishu = landscapePool_;
  p.ListView_shuzhaopian_suijishu = portraitPool_;
  p.ListView_hengzhaopian_suijishu_wei_1 = landscapeFallback_;
  p.ListView_shuzhaopian_suijishu_wei_1 = portraitFallback_;
  p.Edit_mobanleijia_sum = instances_;
  p.Edit_xiangpian_down_id = pressed_;
  p.Edit_xianshikuang_pailie = cells_;
  p.Edit_daoru_moban_kaishishiyong_kaiguan = resetSwitch_;
  p.Edit_wj_1_jy_leijia = unpackCounter_;
  p.Edit_str_mulu1 = prefix_;
}

}  // namespace solvane
