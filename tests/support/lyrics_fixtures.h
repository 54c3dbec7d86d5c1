#pragma once
// Fixtures of the lyric tests: text files in the encodings lyric files come in.
#include <filesystem>

#include <QByteArray>
#include <QString>

namespace solvane::test {

// `text` as GBK bytes, as UTF-8 with a BOM, and as UTF-16 LE with a BOM.
QByteArray gbkBytes(const QString& text);
QByteArray utf8BomBytes(const QString& text);
QByteArray utf16LeBomBytes(const QString& text);

QString toQString(const std::filesystem::path& path);

}  // namespace solvane::test
