#include "templates/package.h"

#include <QFile>

#include <zlib.h>

#include "model/error.h"
#include "model/file_io.h"

namespace solvane {
namespace {

QString describe(const QString& what) {
  return what.isEmpty() ? QStringLiteral("template package") : what;
}

qint32 statedLength(const QByteArray& layer) {
  const auto* b = reinterpret_cast<const unsigned char*>(layer.constData());
  return static_cast<qint32>(b[0] | (b[1] << 8) | (b[2] << 16) |
                             (static_cast<quint32>(b[3]) << 24));
}

// One zlib inflate state for all the layers of a package: setting a state up and tearing
// it down per layer costs more than inflating a small layer.
class Inflater {
 public:
  Inflater() {
    if (inflateInit(&zs_) != Z_OK) throw Error(QStringLiteral("zlib could not start"));
  }
  ~Inflater() { inflateEnd(&zs_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  QByteArray unwrap(const QByteArray& layer, const QString& what);

 private:
  z_stream zs_{};
};

QByteArray Inflater::unwrap(const QByteArray& layer, const QString& what) {
  if (layer.isEmpty()) return {};
  if (layer.size() < 4)
    throw Error(QStringLiteral("%1: damaged package (a layer is only %2 bytes long)")
                    .arg(describe(what)).arg(layer.size()));
  const qint32 stated = statedLength(layer);
  // Deflate cannot expand data by more than about 1032:1, so a larger claim is a lie told
  // before any memory is spent on it.
  const qint64 compressed = layer.size() - 4;
  if (stated > kMaxLayerBytes)
    throw Error(QStringLiteral("%1: a layer claims %2 bytes, more than the %3 MB a template "
                               "package may inflate to")
                    .arg(describe(what)).arg(stated).arg(kMaxLayerBytes / (1024 * 1024)));
  if (stated < 0 || stated > compressed * 1040 + 4096)
    throw Error(QStringLiteral("%1: damaged package (a layer claims %2 bytes)")
                    .arg(describe(what)).arg(stated));

  QByteArray out(stated, Qt::Uninitialized);
  inflateReset(&zs_);
  zs_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(layer.constData() + 4));
  zs_.avail_in = static_cast<uInt>(compressed);
  zs_.next_out = reinterpret_cast<Bytef*>(out.data());
  zs_.avail_out = static_cast<uInt>(stated);
  // Output beyond the stated length goes to a scratch byte, only to be noticed.
  unsigned char overflow = 0;
  const auto wroteOverflow = [&] { return zs_.next_out == &overflow + 1; };
  int rc = Z_OK;
  for (;;) {
    rc = inflate(&zs_, Z_NO_FLUSH);
    if (rc == Z_STREAM_END || (rc != Z_OK && rc != Z_BUF_ERROR)) break;
    if (zs_.avail_out > 0) {
      if (zs_.avail_in == 0 || rc == Z_BUF_ERROR) break;  // the stream is cut short
      continue;
    }
    if (wroteOverflow()) break;
    zs_.next_out = &overflow;
    zs_.avail_out = 1;
  }
  if (wroteOverflow())
    throw Error(QStringLiteral("%1: damaged package (a layer inflates to more than the %2 "
                               "bytes it states)").arg(describe(what)).arg(stated));
  if (rc != Z_STREAM_END)
    throw Error(QStringLiteral("%1: damaged package (the compressed data is corrupt or cut "
                               "short)").arg(describe(what)));
  if (zs_.total_out != static_cast<uLong>(stated))
    throw Error(QStringLiteral("%1: damaged package (a layer inflates to %2 bytes, not %3)")
                    .arg(describe(what)).arg(zs_.total_out).arg(stated));
  return out;
}

// The deflate twin of Inflater, at the best compression level.
class Deflater {
 public:
  Deflater() {
    if (deflateInit(&zs_, Z_BEST_COMPRESSION) != Z_OK)
      throw Error(QStringLiteral("zlib could not start"));
  }
  ~Deflater() { deflateEnd(&zs_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  QByteArray wrap(const QByteArray& content);

 private:
  z_stream zs_{};
};

QByteArray Deflater::wrap(const QByteArray& content) {
  if (content.size() > kMaxLayerBytes)
    throw Error(QStringLiteral("%1 bytes are too many for one package layer").arg(content.size()));
  deflateReset(&zs_);
  const uLong bound = deflateBound(&zs_, static_cast<uLong>(content.size()));
  QByteArray out(static_cast<qsizetype>(bound) + 4, Qt::Uninitialized);
  const quint32 n = static_cast<quint32>(content.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((n >> (8 * i)) & 0xff);
  zs_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
  zs_.avail_in = static_cast<uInt>(content.size());
  zs_.next_out = reinterpret_cast<Bytef*>(out.data() + 4);
  zs_.avail_out = static_cast<uInt>(bound);
  if (deflate(&zs_, Z_FINISH) != Z_STREAM_END)
    throw Error(QStringLiteral("zlib could not compress %1 bytes").arg(content.size()));
  out.resize(static_cast<qsizetype>(zs_.total_out) + 4);
  return out;
}

}  // namespace

QByteArray unwrap_layer(const QByteArray& layer, const QString& what) {
  return Inflater().unwrap(layer, what);
}

QByteArray wrap_layer(const QByteArray& content) { return Deflater().wrap(content); }

QByteArray unwrap_package(const QByteArray& package, const QString& what) {
  Inflater inflater;
  QByteArray current = package;
  for (int i = 0; i < kPackageLayers; ++i) current = inflater.unwrap(current, what);
  return current;
}

QByteArray wrap_package(const QByteArray& payload) {
  Deflater deflater;
  QByteArray current = payload;
  for (int i = 0; i < kPackageLayers; ++i) current = deflater.wrap(current);
  return current;
}

void unpack_package(const QString& packagePath, const QString& intermediatePath,
                    const QString& destinationPath) {
  QFile::remove(intermediatePath);
  QFile::remove(destinationPath);
  // The layers are unwrapped in memory; the intermediate file of the file-by-file
  // protocol would be rewritten 22 times and deleted, so it is only made sure to be gone.
  writeWholeFile(destinationPath, read_package_file(packagePath));
}

QByteArray read_package_file(const QString& packagePath) {
  return unwrap_package(
      readWholeFile(packagePath, kMaxPackageFileBytes, QStringLiteral("template package")),
      packagePath);
}

void write_package(const QString& packagePath, const QByteArray& payload) {
  writeWholeFile(packagePath, wrap_package(payload));
}

}  // namespace solvane
