#pragma once
// Fixtures of the music and lyric tests: real MP3 files made with libavcodec and text
// files in the encodings lyric files come in.
#include <filesystem>

#include <QByteArray>
#include <QString>

namespace solvane::test {

// Writes `seconds` of a 440 Hz tone as an MP3 file (mono, 8 kHz, low bit rate, so long
// files are quick to make). Falls back to MPEG layer 2 when no MP3 encoder is built in.
void writeToneMp3(const std::filesystem::path& path, double seconds);

// `text` as GBK bytes, as UTF-8 with a BOM, and as UTF-16 LE with a BOM.
QByteArray gbkBytes(const QString& text);
QByteArray utf8BomBytes(const QString& text);
QByteArray utf16LeBomBytes(const QString& text);

QString toQString(const std::filesystem::path& path);

}  // namespace solvane::test
