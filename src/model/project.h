#pragma once
// The whole project of one run: every table and state field the main window owns. The
// windows and the command line share one Project; nothing here is saved between runs.
#include <QString>
#include <QStringList>

#include "model/album_choices.h"
#include "model/table.h"

namespace solvane {

struct Project {
  Project();

  // --- Photographs ---------------------------------------------------------------------
  Table ListView_daoruxiangpian;                  // imported photographs, album order
  Table ListView_daoruxiangpianchuli;             // staging rows of the current import
  Table ListView_daoruxiangpian_tuodong_linshi;   // drag scratch copy

  // --- Template catalogs and random pools ----------------------------------------------
  Table ListView_mobancanshu;
  Table ListView_hengzhaopian;
  Table ListView_shuzhaopian;
  Table ListView_gaojimoban;
  Table ListView_hengzhaopian_suijishu;
  Table ListView_shuzhaopian_suijishu;
  Table ListView_hengzhaopian_suijishu_wei_1;
  Table ListView_shuzhaopian_suijishu_wei_1;
  // Work lists of the library scan.
  QStringList ListBox_saomiaomobanwenjian;
  QStringList ListBox_saomiaomobanwenjian_bianhao;
  QStringList ListBox_saomiaomobanwenjian_ini;
  QStringList ListBox_saomiaomobanwenjian_swf;

  // --- Music and lyrics ----------------------------------------------------------------
  Table ListView_daoru_yinyue;
  Table ListView_daoruyinyue_tuodong_linshi;
  Table ListView_daoru_LRC;
  Table ListView_daorulrc_tuodong_linshi;
  Table suiListView_ksc;

  // --- Effects -------------------------------------------------------------------------
  Table ListView_Label;
  Table ListView_Image;

  // --- Render tables of the make-album window ------------------------------------------
  Table ListView_moban_shiyong_shuliang;
  Table ListView_moban_shiyong_shuliang_2;

  // --- Display lists of the main window ------------------------------------------------
  Table suiListView_xiangpian_liebiao;
  Table suiListView_yinyue_liebiao;
  Table suiListView_geci_liebiao;

  // --- Hidden state fields, with the texts every run starts from -----------------------
  QString Edit_VCDSVCDDVD_leixing = QStringLiteral("DVD");
  QString Edit_VCDSVCDDVD_zhishi = QStringLiteral("PAL");
  QString Edit_huanmian_zhiliang = QStringLiteral("gaoqing_huazhi");
  QString Edit_tongbu_shezhi = QStringLiteral("sui_zhaopian_tongbu");
  QString Edit_mobanleijia_sum = QStringLiteral("0");
  QString Edit_tubiao_liebiao = QStringLiteral("tubiao");
  QString Edit_xiangpian_down_id = QStringLiteral("wu");
  QString Edit_jiemian = QStringLiteral("kaishibuju");
  QString Edit_xiangpian_Width = QStringLiteral("180");
  QString Edit_xiangpian_Height = QStringLiteral("180");
  QString Edit_jiance_chushihua = QStringLiteral("0");
  QString Edit_shuangji_yulan_or_qitacaozuo;
  QString Edit_Image_chakanxiangpian_T_or_F;
  QString Edit_tuodong_kaiguan;
  QString Edit_tuodong_huhuan_yes_or_no;
  QString Edit_tuodong_huhuan_yes_id;
  QString Edit_tuodong_down_x, Edit_tuodong_down_y;
  QString Edit_tuodong_huhuan_down_x, Edit_tuodong_huhuan_down_y;
  QString Edit_xianshikuang_pailie = QStringLiteral("0");
  QString Edit_xianshikuang_pailie_yinyue = QStringLiteral("0");
  QString Edit_xianshikuang_pailie_geci = QStringLiteral("0");
  QString Edit_chakankongjian_shiyong_2;
  QString Edit_chakankongjian_shiyong_yinyue2;
  QString Edit_chakankongjian_shiyong_geci2;

  // File-name endings of workspace files.
  static inline const QString Edit_kuozhanming_1 = QStringLiteral(".rar");  // unpacked movies
  static inline const QString Edit_kuozhanming_2 = QStringLiteral(".rar");  // staged photographs
  static inline const QString Edit_kuozhanming_3 = QStringLiteral(".rar");  // crop scratch picture
  static inline const QString Edit_kuozhanming_4 = QStringLiteral(".rar");  // list-editing thumbnails
  static inline const QString Edit_kuozhanming_5 = QStringLiteral(".jpg");
  static inline const QString Edit_kuozhanming_6 = QStringLiteral(".png");
  static inline const QString Edit_kuozhanming_7 = QStringLiteral(".bmp");

  // --- Photo import and staging state ---------------------------------------------------
  // "kai" while the staging folders must be reset before the next movie staging, "guan"
  // once they have been; an import into an empty photo table sets "kai" again.
  QString Edit_daoru_moban_kaishishiyong_kaiguan = QStringLiteral("kai");
  // Grows with every staging run and every photo row it visits, so each unpacking uses a
  // new intermediate file name.
  QString Edit_wj_1_jy_leijia = QStringLiteral("0");
  // Workspace folder prefix of the instance folders ("...tp_wjj_"), set once instances exist.
  QString Edit_str_mulu1;

  // --- Music, lyric and karaoke state ---------------------------------------------------
  // Which lyrics an album draws: "shiyong_lrc", "shiyong_ksc" or "shiyong_lrcksc" (both).
  QString Edit1_shiyong_lrc_or_ksc = QStringLiteral("shiyong_lrcksc");

  // --- Text effect and album settings state ---------------------------------------------
  LoopOptions album_loops;              // album-length window ("相册时长")
  CropSettings crop_settings;           // other-settings window ("其它设置")
  OutputSizeWindow Form39;              // output-size window ("输出相册尺寸")

  // --- Render and output state ----------------------------------------------------------
};

// The "相册时长" command and every change that leaves the project without music: without
// music the album can only follow the photographs, so the rule goes back to them and both
// loops switch off. Nothing changes while music rows exist.
void ResetAlbumLengthWithoutMusic(Project& project);

}  // namespace solvane
