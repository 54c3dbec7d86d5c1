#pragma once
// Text files of the system's world: parameter files and lyrics come in GBK (the Chinese
// Windows code page) by default; newer lyric files are UTF-8 or UTF-16 with a BOM.
#include <QByteArray>
#include <QString>

namespace solvane {

QString decodeGbk(const QByteArray& bytes);
QByteArray encodeGbk(const QString& text);

// Decodes a text file: UTF-16 (LE/BE) or UTF-8 when a BOM says so, UTF-8 when the bytes are
// valid UTF-8 with at least one multi-byte sequence, GBK otherwise (pure ASCII is the same
// in all three). The BOM is not part of the result.
QString decodeTextFile(const QByteArray& bytes);

}  // namespace solvane
