#include "support/lyrics_fixtures.h"

#include "model/text_codec.h"

namespace solvane::test {

QByteArray gbkBytes(const QString& text) { return encodeGbk(text); }

QByteArray utf8BomBytes(const QString& text) {
  return QByteArrayLiteral("\xef\xbb\xbf") + text.toUtf8();
}

QByteArray utf16LeBomBytes(const QString& text) {
  QByteArray bytes = QByteArrayLiteral("\xff\xfe");
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

QString toQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace solvane::test
