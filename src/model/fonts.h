#pragma once
// Font names of the Chinese Windows world (黑体, 宋体, 微软雅黑 and their Latin names) mapped
// to the CJK fonts installed on Linux.
#include <QString>

namespace solvane {

// Where the alias file is looked for: "fonts/solvane-fonts.conf" beside the executable,
// then "../share/solvane/fonts/solvane-fonts.conf".
QString fontAliasFile();

// Adds the alias rules to fontconfig's current configuration. Call it before the
// QGuiApplication exists: Qt reads the configuration once when it builds its font list.
// Returns false when the file is missing or does not parse.
bool loadFontAliases(const QString& aliasFile = fontAliasFile());

}  // namespace solvane
