#pragma once
// The parameter file inside a parameter package: INI text (GBK) that describes the
// photograph slots of one template.
#include <QByteArray>
#include <QLatin1String>
#include <QString>

namespace solvane {

class IniFile;

namespace param_key {
// The validity marker: section and key "l_x_w_j_s_y" must hold exactly "s_y_l_x".
inline constexpr QLatin1String marker_section{"l_x_w_j_s_y"};
inline constexpr QLatin1String marker_key{"l_x_w_j_s_y"};
inline constexpr QLatin1String marker_value{"s_y_l_x"};
// Everything else lives in section "1".
inline constexpr QLatin1String section{"1"};
inline constexpr QLatin1String type{"mblx"};
inline constexpr QLatin1String category{"mbfl"};
inline constexpr QLatin1String photo_count{"xpsl"};
inline constexpr QLatin1String photo_width{"xpkd"};
inline constexpr QLatin1String photo_height{"xpgd"};
inline constexpr QLatin1String orientation{"szhz"};
inline constexpr QLatin1String jpg_name{"xpjpgmc"};
inline constexpr QLatin1String frame_count{"mbdx"};
}  // namespace param_key

// The values of one parameter file, as text. Bar lists ("|800|600|") stay unsplit.
struct TemplateParameters {
  QString type;          // mblx
  QString category;      // mbfl
  QString photoCount;    // xpsl
  QString photoWidth;    // xpkd, bar list
  QString photoHeight;   // xpgd, bar list
  QString orientation;   // szhz, bar list of "heng" / "shu" / "shuheng"
  QString jpgName;       // xpjpgmc
  QString frameCount;    // mbdx

  bool operator==(const TemplateParameters&) const = default;
};

// True when the file carries the validity marker exactly.
bool hasParameterMarker(const IniFile& ini);
TemplateParameters readTemplateParameters(const IniFile& ini);
// The parameter file text (GBK, CRLF lines, with the validity marker) for `p`; what the
// template library builder packs and what the loader reads back.
QByteArray writeParameterFile(const TemplateParameters& p);

}  // namespace solvane
