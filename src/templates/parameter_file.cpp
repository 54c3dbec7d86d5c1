#include "templates/parameter_file.h"

#include "model/text_codec.h"
#include "templates/ini_reader.h"

namespace solvane {

bool hasParameterMarker(const IniFile& ini) {
  return ini.value(param_key::marker_section, param_key::marker_key) == param_key::marker_value;
}

TemplateParameters readTemplateParameters(const IniFile& ini) {
  const auto get = [&ini](QLatin1String key) { return ini.value(param_key::section, key); };
  return {get(param_key::type),        get(param_key::category),
          get(param_key::photo_count), get(param_key::photo_width),
          get(param_key::photo_height), get(param_key::orientation),
          get(param_key::jpg_name),    get(param_key::frame_count)};
}

QByteArray writeParameterFile(const TemplateParameters& p) {
  QString text;
  const auto line = [&text](QLatin1String key, const QString& value) {
    text += QString(key) + QLatin1Char('=') + value + QLatin1String("\r\n");
  };
  text += QLatin1Char('[') + QString(param_key::marker_section) + QLatin1String("]\r\n");
  line(param_key::marker_key, param_key::marker_value);
  text += QLatin1Char('[') + QString(param_key::section) + QLatin1String("]\r\n");
  line(param_key::type, p.type);
  line(param_key::category, p.category);
  line(param_key::photo_count, p.photoCount);
  line(param_key::photo_width, p.photoWidth);
  line(param_key::photo_height, p.photoHeight);
  line(param_key::orientation, p.orientation);
  line(param_key::jpg_name, p.jpgName);
  line(param_key::frame_count, p.frameCount);
  return encodeGbk(text);
}

}  // namespace solvane
