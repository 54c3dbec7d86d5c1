#include "model/fonts.h"

#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include "model/workspace.h"

namespace solvane {

QString fontAliasFile() {
  const QString exe = executableFolder();
  for (const QString& candidate :
       {exe + QStringLiteral("/fonts/solvane-fonts.conf"),
        exe + QStringLiteral("/../share/solvane/fonts/solvane-fonts.conf")}) {
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).absoluteFilePath();
  }
  return {};
}

bool loadFontAliases(const QString& aliasFile) {
  if (aliasFile.isEmpty() || !QFileInfo::exists(aliasFile)) return false;
  if (!FcInit()) return false;
  FcConfig* config = FcConfigGetCurrent();
  const QByteArray path = QFile::encodeName(aliasFile);
  return FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.constData()),
                              FcTrue) == FcTrue;
}

}  // namespace solvane
