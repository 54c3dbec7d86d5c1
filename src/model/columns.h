#pragma once
// Column indexes of the project tables, named by their field names. Column 0 is the caption.

namespace solvane {

// ListView_daoruxiangpian (and the staging table ListView_daoruxiangpianchuli, which has
// columns seq … tpl_frame_count only, and the drag copy).
namespace photo_col {
enum : int {
  seq, path, file_name, file_type, width, height, orientation, template_folder, template_no,
  test_picture_name, template_photo_count, picture_name, template_path, need_width,
  need_height, tpl_photo_width, tpl_photo_height, tpl_orientation, tpl_jpg_name,
  tpl_frame_count, thumb_done, crop_done, count_
};
inline constexpr int staging_count = thumb_done;  // the staging table stops before thumb_done
}  // namespace photo_col

// ListView_mobancanshu.
namespace param_col {
enum : int {
  tpl_type, tpl_class, photo_count, photo_width, photo_height, orientation, jpg_name, location,
  class_mark, tpl_seq, frame_count, count_
};
}  // namespace param_col

// ListView_hengzhaopian, ListView_shuzhaopian, ListView_gaojimoban and the four random pools.
namespace catalog_col {
enum : int {
  tpl_type, tpl_class, photo_count, photo_width, photo_height, orientation, jpg_name, location,
  class_mark, tpl_seq, landscape_count, portrait_count, frame_count, count_
};
}  // namespace catalog_col

// ListView_daoru_yinyue.
namespace music_col {
enum : int {
  seq, file_name, file_type, path, duration, frames_needed, bound_lyric, bound_lyric_name, count_
};
}  // namespace music_col

// ListView_daoru_LRC.
namespace lyric_col {
enum : int {
  seq, file_name, file_type, path, bound_music, bound_music_name, color_name, color_value,
  font_size, font_name, bold, italic, underline, h_align, v_align, count_
};
}  // namespace lyric_col

// suiListView_ksc.
namespace ksc_col {
enum : int {
  seq, lyric_name, color_name, fill_color_name, font_name, font_size, bold, italic, underline,
  position, color_value, fill_color_value, script, count_
};
}  // namespace ksc_col

// ListView_Label.
namespace label_col {
enum : int {
  text, start_time, end_time, state, decoration, x, y, effect_name, color_name, font_name,
  font_size, bold, italic, underline, color_value, count_
};
}  // namespace label_col

// ListView_Image.
namespace image_col {
enum : int { frames, start_time, end_time, state, decoration, order_no, count_ };
}  // namespace image_col

// ListView_moban_shiyong_shuliang and its working copy ListView_moban_shiyong_shuliang_2.
namespace instance_col {
enum : int {
  seq, template_folder, template_no, template_photo_count, template_path, tpl_orientation,
  tpl_jpg_name, tpl_frame_count, unpacked_path, count_
};
}  // namespace instance_col

}  // namespace solvane
