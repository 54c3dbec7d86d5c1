#include "model/project.h"

#include "model/sentinels.h"

namespace solvane {
namespace {

const QStringList kPhotoFields = {
    "seq", "path", "file_name", "file_type", "width", "height", "orientation",
    "template_folder", "template_no", "test_picture_name", "template_photo_count",
    "picture_name", "template_path", "need_width", "need_height", "tpl_photo_width",
    "tpl_photo_height", "tpl_orientation", "tpl_jpg_name", "tpl_frame_count", "thumb_done",
    "crop_done"};
const QStringList kPhotoCaptions = {
    "序号", "位置", "文件名", "类型", "相片宽度", "相片高度", "竖照or横照", "模板文件夹",
    "对应主模板编号", "图片名称(测试使用)", "对应模板所需照片数量", "图片名称", "模板地址",
    "所需照片_宽度尺寸", "所需照片_高度尺寸", "模板_相片宽度", "模板_相片高度", "模板_竖照横照",
    "模板_相片JPG名称", "模板swf总帧数", "suoluotu_wancheng", "jiancai_wancheng"};

const QStringList kParamFields = {"tpl_type", "tpl_class", "photo_count", "photo_width",
                                  "photo_height", "orientation", "jpg_name", "location",
                                  "class_mark", "tpl_seq", "frame_count"};
const QStringList kParamCaptions = {"模板类型", "模板分类", "相片数量", "相片宽度",
                                    "相片高度", "竖照横照", "相片JPG名称", "位置",
                                    "分类标注", "序号", "模板swf总帧数"};

QStringList catalogFields() {
  QStringList f = kParamFields.mid(0, 10);
  f << "landscape_count" << "portrait_count" << "frame_count";
  return f;
}
QStringList catalogCaptions(const QString& seqCaption) {
  QStringList c = kParamCaptions.mid(0, 9);
  c << seqCaption << "横照几张" << "竖照几张" << "模板swf总帧数";
  return c;
}

const QStringList kMusicFields = {"seq", "file_name", "file_type", "path",
                                  "duration", "frames_needed", "bound_lyric", "bound_lyric_name"};
const QStringList kMusicCaptions = {"序号", "音乐文件名", "类型", "位置",
                                    "音乐时间", "需要帧数", "绑定歌词", "绑定歌词名称"};

const QStringList kLyricFields = {"seq", "file_name", "file_type", "path", "bound_music",
                                  "bound_music_name", "color_name", "color_value", "font_size",
                                  "font_name", "bold", "italic", "underline", "h_align",
                                  "v_align"};
const QStringList kLyricCaptions = {"序号", "歌词文件名", "类型", "位置", "绑定音乐",
                                    "绑定音乐名称", "歌词颜色", "歌词颜色(数字)", "歌词大小",
                                    "歌词字体", "歌词粗体", "歌词斜体", "歌词下划线",
                                    "歌词左边居中右边", "歌词上面中间下面"};

const QStringList kKscFields = {"seq", "lyric_name", "color_name", "fill_color_name",
                                "font_name", "font_size", "bold", "italic", "underline",
                                "position", "color_value", "fill_color_value", "script"};
const QStringList kKscCaptions = {"序号", "歌词名称", "歌词颜色", "渲染颜色", "歌词字体",
                                  "歌词大小", "粗体", "斜体", "下划线", "歌词位置",
                                  "歌词颜色(数字)", "渲染颜色(数字)", "简体或繁体"};

const QStringList kLabelFields = {"text", "start_time", "end_time", "state", "decoration",
                                  "x", "y", "effect_name", "color_name", "font_name",
                                  "font_size", "bold", "italic", "underline", "color_value"};
const QStringList kLabelCaptions = {"文字", "开始时间", "结束时间", "启动", "文字装饰特效",
                                    "x_zhi", "y_zhi", "文字特效名称", "字体颜色", "字体名称",
                                    "字体大小", "粗体", "斜体", "下划线", "字体颜色(数字)"};

const QStringList kImageFields = {"frames", "start_time", "end_time", "state", "decoration",
                                  "order_no"};
const QStringList kImageCaptions = {"帧数", "开始时间", "结束时间", "启动", "图片装饰特效",
                                    "顺序号"};

const QStringList kInstanceFields = {"seq", "template_folder", "template_no",
                                     "template_photo_count", "template_path", "tpl_orientation",
                                     "tpl_jpg_name", "tpl_frame_count", "unpacked_path"};
const QStringList kInstanceCaptions = {"序号", "模板文件夹", "对应主模板编号",
                                       "对应模板所需照片数量", "模板地址", "模板_竖照横照",
                                       "模板_相片JPG名称", "模板swf总帧数", "解压后的模板地址"};

}  // namespace

Project::Project()
    : ListView_daoruxiangpian("ListView_daoruxiangpian", kPhotoFields, kPhotoCaptions),
      ListView_daoruxiangpianchuli("ListView_daoruxiangpianchuli", kPhotoFields.mid(0, 20),
                                   kPhotoCaptions.mid(0, 20)),
      ListView_daoruxiangpian_tuodong_linshi("ListView_daoruxiangpian_tuodong_linshi",
                                             kPhotoFields, kPhotoCaptions),
      ListView_mobancanshu("ListView_mobancanshu", kParamFields, kParamCaptions),
      ListView_hengzhaopian("ListView_hengzhaopian", catalogFields(), catalogCaptions("序号")),
      ListView_shuzhaopian("ListView_shuzhaopian", catalogFields(), catalogCaptions("序号")),
      ListView_gaojimoban("ListView_gaojimoban", catalogFields(), catalogCaptions("序号")),
      ListView_hengzhaopian_suijishu("ListView_hengzhaopian_suijishu", catalogFields(),
                                     catalogCaptions("模板所在序号")),
      ListView_shuzhaopian_suijishu("ListView_shuzhaopian_suijishu", catalogFields(),
                                    catalogCaptions("模板所在序号")),
      ListView_hengzhaopian_suijishu_wei_1("ListView_hengzhaopian_suijishu_wei_1",
                                           catalogFields(), catalogCaptions("模板所在序号")),
      ListView_shuzhaopian_suijishu_wei_1("ListView_shuzhaopian_suijishu_wei_1", catalogFields(),
                                          catalogCaptions("模板所在序号")),
      ListView_daoru_yinyue("ListView_daoru_yinyue", kMusicFields, kMusicCaptions),
      ListView_daoruyinyue_tuodong_linshi("ListView_daoruyinyue_tuodong_linshi", kMusicFields,
                                          kMusicCaptions),
      ListView_daoru_LRC("ListView_daoru_LRC", kLyricFields, kLyricCaptions),
      ListView_daorulrc_tuodong_linshi("ListView_daorulrc_tuodong_linshi", kLyricFields,
                                       kLyricCaptions),
      suiListView_ksc("suiListView_ksc", kKscFields, kKscCaptions),
      ListView_Label("ListView_Label", kLabelFields, kLabelCaptions),
      ListView_Image("ListView_Image", kImageFields, kImageCaptions),
      ListView_moban_shiyong_shuliang("ListView_moban_shiyong_shuliang", kInstanceFields,
                                      kInstanceCaptions),
      ListView_moban_shiyong_shuliang_2("ListView_moban_shiyong_shuliang_2", kInstanceFields,
                                        kInstanceCaptions),
      suiListView_xiangpian_liebiao(
          "suiListView_xiangpian_liebiao",
          {"seq", "file_name", "file_type", "width", "height", "orientation", "bound", "path"},
          {"序号", "文件名", "类型", "相片宽度", "相片高度", "竖照或横照", "模板绑定",
           "文件位置"}),
      suiListView_yinyue_liebiao(
          "suiListView_yinyue_liebiao",
          {"seq", "file_name", "file_type", "duration", "path", "bound_lyric"},
          {"序号", "音乐文件名", "音乐类型", "音乐时间", "音乐文件位置", "绑定歌词"}),
      suiListView_geci_liebiao(
          "suiListView_geci_liebiao",
          {"seq", "file_name", "file_type", "path", "bound_music", "color_name", "font_size",
           "font_name", "font_style", "h_align", "v_align"},
          {"序号", "歌词文件名", "歌词类型", "歌词文件位置", "绑定音乐", "歌词颜色", "歌词大小",
           "歌词字体", "歌词字体类型", "歌词左中右", "歌词上中下"}) {}

void ResetAlbumLengthWithoutMusic(Project& project) {
  if (!project.ListView_daoru_yinyue.empty()) return;
  project.Edit_tongbu_shezhi = word::sui_zhaopian_tongbu;
  project.album_loops = LoopOptions{};
}

}  // namespace solvane
