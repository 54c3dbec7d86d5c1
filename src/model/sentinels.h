#pragma once
// The fixed words stored in cells and state fields. Readers compare them exactly and
// case-sensitively; code names them through these constants, never as retyped literals.
#include <QLatin1String>

namespace solvane::word {

// Photograph orientation.
inline constexpr QLatin1String heng_zhao{"heng_zhao"};
inline constexpr QLatin1String shu_zhao{"shu_zhao"};
// A preparation step not yet done / done.
inline constexpr QLatin1String jiancai_no{"jiancai_no"};
inline constexpr QLatin1String jiancai_yes{"jiancai_yes"};
// None, not bound, not set.
inline constexpr QLatin1String wu{"wu"};
// Pane view mode.
inline constexpr QLatin1String tubiao{"tubiao"};
inline constexpr QLatin1String liebiao{"liebiao"};
// Text effect idle / running.
inline constexpr QLatin1String tingzhi{"tingzhi"};
inline constexpr QLatin1String qidong{"qidong"};
// Style flags set.
inline constexpr QLatin1String cuti{"cuti"};
inline constexpr QLatin1String xieti{"xieti"};
inline constexpr QLatin1String xiahuaxian{"xiahuaxian"};
// Karaoke style flags.
inline constexpr QLatin1String T{"T"};
inline constexpr QLatin1String F{"F"};
// Script.
inline constexpr QLatin1String jianti{"jianti"};
inline constexpr QLatin1String fanti{"fanti"};
// Horizontal and vertical placement.
inline constexpr QLatin1String zuobian{"zuobian"};
inline constexpr QLatin1String juzhong{"juzhong"};
inline constexpr QLatin1String youbian{"youbian"};
inline constexpr QLatin1String shangmian{"shangmian"};
inline constexpr QLatin1String zhongjian{"zhongjian"};
inline constexpr QLatin1String xiamian{"xiamian"};
// Template slot and class marks.
inline constexpr QLatin1String heng{"heng"};
inline constexpr QLatin1String shu{"shu"};
inline constexpr QLatin1String shuheng{"shuheng"};
inline constexpr QLatin1String gaojimoban{"gaojimoban"};
// TV system.
inline constexpr QLatin1String PAL{"PAL"};
inline constexpr QLatin1String NTSC{"NTSC"};
// Picture quality.
inline constexpr QLatin1String yiban_huazhi{"yiban_huazhi"};
inline constexpr QLatin1String gaoqing_huazhi{"gaoqing_huazhi"};
// Album length rule.
inline constexpr QLatin1String sui_zhaopian_tongbu{"sui_zhaopian_tongbu"};
inline constexpr QLatin1String sui_yinyue_tongbu{"sui_yinyue_tongbu"};
// Output kinds.
inline constexpr QLatin1String VCD{"VCD"};
inline constexpr QLatin1String SVCD{"SVCD"};
inline constexpr QLatin1String DVD{"DVD"};
inline constexpr QLatin1String AVI{"AVI"};
inline constexpr QLatin1String MP4{"MP4"};
inline constexpr QLatin1String XLTP{"XLTP"};
// Window layouts.
inline constexpr QLatin1String kaishibuju{"kaishibuju"};
inline constexpr QLatin1String quanpingbuju{"quanpingbuju"};
inline constexpr QLatin1String heshibuju{"heshibuju"};

}  // namespace solvane::word
