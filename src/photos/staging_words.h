#pragma once
// Words of the staging switch Edit_daoru_moban_kaishishiyong_kaiguan.
#include <QLatin1String>

namespace solvane::word {

inline constexpr QLatin1String kai{"kai"};    // reset the staging folders before staging
inline constexpr QLatin1String guan{"guan"};  // keep them

}  // namespace solvane::word
