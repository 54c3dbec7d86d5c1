#include "support/tiny_library.h"

#include <QFile>
#include <QProcess>

#include "support/fixtures.h"

namespace solvane::test {
QByteArray tinyTemplateSource(int frames, const QString& background) {
  return QStringLiteral(
             R"({"format": "solvane-movie", "version": 1, "name": "test", "frames": %1,
  "template": {"mblx": "xiangce", "mbfl": "test", "orientation": ["shuheng"],
               "xpjpgmc": "|picture_1|"},
  "layers": [
    {"kind": "solid", "color": "%2"},
    {"kind": "picture", "source": "picture_1", "box": [360, 140, 1200, 800], "fit": "contain"}
  ]})")
      .arg(frames)
      .arg(background)
      .toUtf8();
}

QByteArray tinyClosingSource() {
  return R"({"format": "solvane-movie", "version": 1, "name": "closing", "frames": 100,
  "layers": [{"kind": "picture", "source": "picture_0", "box": [0, 0, 1920, 1080]}]})";
}

QString buildTinyLibrary(const std::filesystem::path& folder, int frames, QString* why) {
  const QString tool = QStringLiteral(SOLVANE_BIN_DIR "/build_template_library");
  const auto fail = [&](const QString& reason) {
    if (why) *why = reason;
    return QString();
  };
  if (!QFile::exists(tool)) return fail(QStringLiteral("build_template_library is not built"));
  writeFile(folder / "sources/001_test.json", tinyTemplateSource(frames));
  writeFile(folder / "closing.json", tinyClosingSource());
  const QString root = QString::fromStdString(folder.string());
  QProcess run;
  run.start(tool, {root + "/sources", root + "/closing.json", root + "/library"});
  if (!run.waitForFinished(60000) || run.exitCode() != 0)
    return fail(QString::fromLocal8Bit(run.readAllStandardError()));
  return root + QStringLiteral("/library");
}

}  // namespace solvane::test
