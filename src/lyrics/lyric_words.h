#pragma once
// Fixed words and texts of the music and lyric panes: state-field words compared exactly,
// and the user-facing marker texts of the display lists.
#include <QLatin1String>
#include <QString>

namespace solvane::word {

// Lyric-type choice (Edit1_shiyong_lrc_or_ksc).
inline constexpr QLatin1String shiyong_lrc{"shiyong_lrc"};
inline constexpr QLatin1String shiyong_ksc{"shiyong_ksc"};
inline constexpr QLatin1String shiyong_lrcksc{"shiyong_lrcksc"};

// Binding confirmation operations (Edit_bangding_or_jiebang).
inline constexpr QLatin1String quanbujiebang{"quanbujiebang"};
inline constexpr QLatin1String zidongbangding{"zidongbangding"};
inline constexpr QLatin1String dangejiechubangding_yinyue{"dangejiechubangding_yinyue"};
inline constexpr QLatin1String dangejiechubangding_geci{"dangejiechubangding_geci"};
// Binding choice kinds (Edit_bangding_leixing).
inline constexpr QLatin1String yinyue_bangding{"yinyue_bangding"};
inline constexpr QLatin1String geci_bangding{"geci_bangding"};
// Delete confirmations (Edit_delete_leixing): one row or every row.
inline constexpr QLatin1String dan_ge_shang_chu{"dan_ge_shang_chu"};
inline constexpr QLatin1String quan_bu_shang_chu{"quan_bu_shang_chu"};

}  // namespace solvane::word

namespace solvane::marker {

// The texts an unbound row shows in the pane lists; which one a command writes is part of
// that command (see binding.h and media_import.h).
inline const QString unbound_lyric = QStringLiteral("未绑定歌词");
inline const QString unbound_music = QStringLiteral("未绑定音乐");

}  // namespace solvane::marker
