#include "model/text_codec.h"

#include <cerrno>
#include <memory>

#include <QStringDecoder>

#include <iconv.h>

#include "model/error.h"

namespace solvane {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvPtr = std::unique_ptr<void, IconvCloser>;

QByteArray convert(const char* to, const char* from, const QByteArray& in) {
  iconv_t raw = iconv_open(to, from);
  if (raw == reinterpret_cast<iconv_t>(-1))
    throw Error(QStringLiteral("no converter from %1 to %2").arg(from, to));
  IconvPtr cd(raw);
  QByteArray out;
  out.resize(in.size() * 2 + 16);
  char* inPtr = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  size_t done = 0;
  while (inLeft > 0) {
    char* outPtr = out.data() + done;
    size_t outLeft = static_cast<size_t>(out.size()) - done;
    size_t rc = iconv(static_cast<iconv_t>(cd.get()), &inPtr, &inLeft, &outPtr, &outLeft);
    done = static_cast<size_t>(out.size()) - outLeft;
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {
      // An invalid or cut-off sequence: keep going with a replacement character, the way
      // a text viewer shows a damaged byte, instead of losing the rest of the file.
      ++inPtr;
      --inLeft;
      const QByteArray replacement = QByteArrayLiteral("\xef\xbf\xbd");
      if (static_cast<size_t>(out.size()) - done < 16) out.resize(out.size() * 2);
      if (QByteArray(to).startsWith("UTF-8")) {
        memcpy(out.data() + done, replacement.constData(), 3);
        done += 3;
      } else {
        out[static_cast<qsizetype>(done++)] = '?';
      }
    }
  }
  out.resize(static_cast<qsizetype>(done));
  return out;
}

bool isValidUtf8WithMultibyte(const QByteArray& bytes) {
  bool multibyte = false;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) { multibyte = true; break; }
  if (!multibyte) return false;
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder(bytes);
  return !decoder.hasError();
}

}  // namespace

QString decodeGbk(const QByteArray& bytes) {
  return QString::fromUtf8(convert("UTF-8", "GB18030", bytes));
}

QByteArray encodeGbk(const QString& text) { return convert("GBK", "UTF-8", text.toUtf8()); }

QString decodeTextFile(const QByteArray& bytes) {
  if (bytes.startsWith("\xef\xbb\xbf")) return QString::fromUtf8(bytes.mid(3));
  if (bytes.startsWith("\xff\xfe")) {
    QStringDecoder d(QStringDecoder::Utf16LE);
    return d(bytes.mid(2));
  }
  if (bytes.startsWith("\xfe\xff")) {
    QStringDecoder d(QStringDecoder::Utf16BE);
    return d(bytes.mid(2));
  }
  if (isValidUtf8WithMultibyte(bytes)) return QString::fromUtf8(bytes);
  return decodeGbk(bytes);
}

}  // namespace solvane
