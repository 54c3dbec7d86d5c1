#include "support/tiny_library.h"

#include <QFile>
#include <QProcess>

#include "support/fixtures.h"

namespace solvane::test {
namespace {

QByteArray templateSource(int frames) {
  return QStringLiteral(
             R"({"format": "solvane-movie", "version": 1, "name": "test", "frames": %1,
  "template": {"mblx": "xiangce", "mbfl": "test", "orientation": ["shuheng"],
               "xpjpgmc": "|picture_1|"},
  "layers": [
    {"kind": "solid", "color": "#202020"},
    {"kind": "picture", "source": "picture_1", "box": [360, 140, 1200, 800], "fit": "contain"}
  ]})")
      .arg(frames)
      .toUtf8();
}

QByteArray closingSource() {
  return R"({"format": "solvane-movie", "version": 1, "name": "closing", "frames": 100,
  "layers": [{"kind": "picture", "source": "picture_0", "box": [0, 0, 1920, 1080]}]})";
}

}  // namespace

QString buildTinyLibrary(const std::filesystem::path& folder, int frames, QString* why) {
  const QString tool = QStringLiteral(SOLVANE_BIN_DIR "/build_template_library");
  const auto fail = [&](const QString& reason) {
    if (why) *why = reason;
    return QString();
  };
  if (!QFile::exists(tool)) return fail(QStringLiteral("build_template_library is not built"));
  writeFile(folder / "sources/001_test.json", templateSource(frames));
  writeFile(folder / "closing.json", closingSource());
  const QString root = QString::fromStdString(folder.string());
  QProcess run;
  run.start(tool, {root + "/sources", root + "/closing.json", root + "/library"});
  if (!run.waitForFinished(60000) || run.exitCode() != 0)
    return fail(QString::fromLocal8Bit(run.readAllStandardError()));
  return root + QStringLiteral("/library");
}

}  // namespace solvane::test
