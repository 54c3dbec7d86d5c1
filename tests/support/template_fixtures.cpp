#include "support/template_fixtures.h"

#include <QDir>
#include <QFileInfo>

#include "templates/bar_list.h"
#include "templates/package.h"

namespace solvane::test {

TemplateParameters templateWithSlots(const QString& orientation, const QString& type) {
  const qsizetype slots = split_bar_list(orientation).size();
  const QString widths = QStringLiteral("|") + QStringLiteral("800|").repeated(slots);
  const QString heights = QStringLiteral("|") + QStringLiteral("600|").repeated(slots);
  return {type,        QStringLiteral("测试"), QString::number(slots), widths, heights,
          orientation, QStringLiteral("a.jpg"), QStringLiteral("250")};
}

QString parameterPackagePath(const QString& libraryRoot, const QString& fileName) {
  return libraryRoot + QStringLiteral("/smxcwjj/wj_0_or_2/wjj_02/") + fileName;
}

QString moviePackagePath(const QString& libraryRoot, const QString& fileName) {
  return libraryRoot + QStringLiteral("/smxcwjj/wj_0_or_2/wjj_01/") + fileName;
}

void writeTemplateLibrary(const QString& libraryRoot,
                          const std::vector<LibraryTemplate>& templates) {
  for (const LibraryTemplate& t : templates) {
    const QString parameters = parameterPackagePath(libraryRoot, t.fileName);
    const QString movie = moviePackagePath(libraryRoot, t.fileName);
    QDir().mkpath(QFileInfo(parameters).path());
    QDir().mkpath(QFileInfo(movie).path());
    write_package(parameters, writeParameterFile(t.parameters));
    write_package(movie, "FWS movie of " + t.fileName.toUtf8());
  }
}

}  // namespace solvane::test
