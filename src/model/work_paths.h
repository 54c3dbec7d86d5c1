#pragma once
// The fixed entries of the working tree, as relative paths in the system's own form
// ("\" separators; resolve them with Workspace::WorkPath or Workspace::LibraryPath).
#include <array>

#include <QLatin1String>
#include <QString>

namespace solvane::work_path {

// Installed content, read from the library root and never written.
inline constexpr QLatin1String library_parameters{"smxcwjj\\wj_0_or_2\\wjj_02\\"};
inline constexpr QLatin1String library_movies{"smxcwjj\\wj_0_or_2\\wjj_01\\"};
inline constexpr QLatin1String closing_package{"smxcwjj\\wj_0_or_1\\wj_1.rar"};

// The working tree itself and the single-instance lock inside it.
inline constexpr QLatin1String tree{"smxcwjj\\"};
inline constexpr QLatin1String instance_lock{"smxcwjj\\Solvane.lock"};

// Thumbnails: "tp_slt_<pane>_" + n + ".bmp", pane 1 photographs, 2 music, 3 lyrics.
inline constexpr QLatin1String thumbnails{"smxcwjj\\tp_wj\\"};
inline constexpr QLatin1String photo_thumbnails{"smxcwjj\\tp_wj\\tp_slt_1\\"};
inline constexpr QLatin1String music_thumbnails{"smxcwjj\\tp_wj\\tp_slt_2\\"};
inline constexpr QLatin1String lyric_thumbnails{"smxcwjj\\tp_wj\\tp_slt_3\\"};

// Staging of template instances: "tp_wjj_" + N per instance, "tp_wjj_zuihou" for the
// closing movie.
inline constexpr QLatin1String staging{"smxcwjj\\tp_wjj\\"};
inline constexpr QLatin1String staging_root{"smxcwjj\\tp_wjj\\tp_wjj\\"};
inline constexpr QLatin1String player_picture{"smxcwjj\\tp_wjj\\pic\\"};

// Frame captures of rendering.
inline constexpr QLatin1String frame_captures{"smxcwjj\\tp_load\\"};
// Unpacking scratch of staging ("wj_1_jy" + m + ".rar").
inline constexpr QLatin1String unpack_scratch{"smxcwjj\\wj_0_or_1\\"};

// Unpacking scratch of catalog loading.
inline constexpr QLatin1String catalog_scratch{"smxcwjj\\wj_0_or_2\\wjj_00_j_y\\"};
inline constexpr QLatin1String catalog_scratch_package{
    "smxcwjj\\wj_0_or_2\\wjj_00_j_y\\wjj_00_j_y.rar"};
inline constexpr QLatin1String catalog_scratch_ini{
    "smxcwjj\\wj_0_or_2\\wjj_00_j_y\\wjj_00_j_y.ini"};

// Working tree of the single-photo preview.
inline constexpr QLatin1String preview{"smxcwjj\\wj_yl_xg_1\\"};
// Unused by this system, but cleared like the rest.
inline constexpr QLatin1String unused_deep{
    "smxcwjj\\wj_x_g_c_l_1\\wj_x_g_c_l_1\\wj_x_g_c_l_1\\wj_x_g_c_l_1\\"};

// Files that earlier runs may leave behind; start-up and exit delete them in this order.
inline constexpr std::array<QLatin1String, 20> leftover_files{{
    QLatin1String("smxcwjj\\tp_slt_tp_0_1.png"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_1.bmp"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_1_1.bmp"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_1.jpg"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_1_2_1.bmp"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_1_2_1.jpg"),
    QLatin1String("smxcwjj\\wj_0_or_1\\wj_1_jy.rar"),
    QLatin1String("smxcwjj\\tp_load\\tp_load_0.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_0_02.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_0_12.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_0_0.png"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_0_1.png"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_1_02.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_1_12.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_1_0.png"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_1_1.png"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_tp_02.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_tp_0.png"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_tp_0_12.rar"),
    QLatin1String("smxcwjj\\tp_0\\tp_slt_tp_0_1.png"),
}};

}  // namespace solvane::work_path
