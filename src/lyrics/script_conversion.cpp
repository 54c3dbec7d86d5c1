#include "lyrics/script_conversion.h"

#include <memory>
#include <mutex>
#include <string>

#include <QDir>
#include <QFileInfo>

#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Exception.hpp>

#include "model/error.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

// OpenCC's data folder: where its character dictionaries are installed.
QString dictionaryFolder() {
  const QByteArray fromEnv = qgetenv("OPENCC_DATA_DIR");
  QStringList candidates;
  if (!fromEnv.isEmpty()) candidates << QString::fromLocal8Bit(fromEnv);
  candidates << QStringLiteral("/usr/share/opencc") << QStringLiteral("/usr/local/share/opencc");
  for (const QString& folder : candidates)
    if (QFileInfo::exists(folder + QStringLiteral("/STCharacters.ocd2"))) return folder;
  throw Error(QStringLiteral(
      "the Chinese script dictionaries (OpenCC STCharacters.ocd2) are not installed"));
}

// A converter that uses one character dictionary for both segmenting and mapping, so the
// text is cut into single characters and each is replaced on its own.
opencc::ConverterPtr characterConverter(const char* dictionary) {
  const std::string file = std::string(dictionary) + ".ocd2";
  const std::string json =
      R"({"name":"characters","segmentation":{"type":"mmseg","dict":{"type":"ocd2","file":")" +
      file + R"("}},"conversion_chain":[{"dict":{"type":"ocd2","file":")" + file + R"("}}]})";
  try {
    opencc::Config config;
    return config.NewFromString(json, dictionaryFolder().toStdString());
  } catch (const opencc::Exception& e) {
    throw Error(QStringLiteral("the Chinese script dictionary %1 cannot be loaded: %2")
                    .arg(QString::fromStdString(file), QString::fromUtf8(e.what())));
  }
}

const opencc::Converter& converter(bool traditional) {
  static std::once_flag once;
  static opencc::ConverterPtr toTraditional;
  static opencc::ConverterPtr toSimplified;
  std::call_once(once, [] {
    toTraditional = characterConverter("STCharacters");
    toSimplified = characterConverter("TSCharacters");
  });
  return traditional ? *toTraditional : *toSimplified;
}

QString convertCharacters(const QString& text, bool traditional) {
  if (text.isEmpty()) return text;
  const opencc::Converter& c = converter(traditional);
  const QString whole = QString::fromStdString(c.Convert(text.toStdString()));
  if (whole.toUcs4().size() == text.toUcs4().size()) return whole;
  // A dictionary entry longer than one character matched: map one character at a time.
  QString result;
  for (char32_t code : text.toUcs4()) {
    const QString one = QString::fromUcs4(&code, 1);
    const QString mapped = QString::fromStdString(c.Convert(one.toStdString()));
    result += mapped.toUcs4().size() == 1 ? mapped : one;
  }
  return result;
}

}  // namespace

QString ToSimplified(const QString& text) { return convertCharacters(text, false); }
QString ToTraditional(const QString& text) { return convertCharacters(text, true); }

QString convertToScript(const QString& text, const QString& script) {
  if (script == word::jianti) return ToSimplified(text);
  if (script == word::fanti) return ToTraditional(text);
  return text;
}

}  // namespace solvane
