#include "templates/package.h"

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include "model/error.h"
#include "model/file_io.h"

namespace solvane {
namespace {

QString describe(const QString& what) {
  return what.isEmpty() ? QStringLiteral("template package") : what;
}

}  // namespace

QByteArray unwrap_layer(const QByteArray& layer, const QString& what) {
  if (layer.isEmpty()) return {};
  if (layer.size() < 4)
    throw Error(QStringLiteral("%1: damaged package (a layer is only %2 bytes long)")
                    .arg(describe(what)).arg(layer.size()));
  const auto* bytes = reinterpret_cast<const unsigned char*>(layer.constData());
  const qint32 stated = static_cast<qint32>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                            (static_cast<quint32>(bytes[3]) << 24));
  if (stated < 0 || stated > kMaxLayerBytes)
    throw Error(QStringLiteral("%1: damaged package (a layer claims %2 bytes)")
                    .arg(describe(what)).arg(stated));

  QByteArray out(stated, Qt::Uninitialized);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw Error(QStringLiteral("zlib could not start"));
  zs.next_in = const_cast<Bytef*>(bytes + 4);
  zs.avail_in = static_cast<uInt>(layer.size() - 4);
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(stated);
  int rc = inflate(&zs, Z_FINISH);
  // A stream that still has output when the stated length is used up is longer than stated.
  bool longer = false;
  if (rc == Z_BUF_ERROR && zs.avail_out == 0) {
    unsigned char probe;
    zs.next_out = &probe;
    zs.avail_out = 1;
    longer = inflate(&zs, Z_FINISH) != Z_BUF_ERROR || zs.avail_out == 0;
  }
  const uLong produced = zs.total_out;
  inflateEnd(&zs);
  if (longer)
    throw Error(QStringLiteral("%1: damaged package (a layer inflates to more than the %2 "
                               "bytes it states)").arg(describe(what)).arg(stated));
  if (rc != Z_STREAM_END)
    throw Error(QStringLiteral("%1: damaged package (the compressed data is corrupt)")
                    .arg(describe(what)));
  if (produced != static_cast<uLong>(stated))
    throw Error(QStringLiteral("%1: damaged package (a layer inflates to %2 bytes, not %3)")
                    .arg(describe(what)).arg(produced).arg(stated));
  return out;
}

QByteArray wrap_layer(const QByteArray& content) {
  uLongf bound = compressBound(static_cast<uLong>(content.size()));
  QByteArray out(static_cast<qsizetype>(bound) + 4, Qt::Uninitialized);
  const quint32 n = static_cast<quint32>(content.size());
  out[0] = static_cast<char>(n & 0xff);
  out[1] = static_cast<char>((n >> 8) & 0xff);
  out[2] = static_cast<char>((n >> 16) & 0xff);
  out[3] = static_cast<char>((n >> 24) & 0xff);
  if (compress2(reinterpret_cast<Bytef*>(out.data() + 4), &bound,
                reinterpret_cast<const Bytef*>(content.constData()),
                static_cast<uLong>(content.size()), Z_BEST_COMPRESSION) != Z_OK)
    throw Error(QStringLiteral("zlib could not compress %1 bytes").arg(content.size()));
  out.resize(static_cast<qsizetype>(bound) + 4);
  return out;
}

QByteArray unwrap_package(const QByteArray& package, const QString& what) {
  QByteArray current = package;
  for (int i = 0; i < kPackageLayers; ++i) current = unwrap_layer(current, what);
  return current;
}

QByteArray wrap_package(const QByteArray& payload) {
  QByteArray current = payload;
  for (int i = 0; i < kPackageLayers; ++i) current = wrap_layer(current);
  return current;
}

void unpack_package(const QString& packagePath, const QString& intermediatePath,
                    const QString& destinationPath) {
  QFile::remove(intermediatePath);
  QFile::remove(destinationPath);
  const QString what = QFileInfo(packagePath).fileName();
  QString current = packagePath;
  for (int i = 0; i < kPackageLayers - 1; ++i) {
    QByteArray inner = unwrap_layer(readWholeFile(current), what);
    writeWholeFile(intermediatePath, inner);
    current = intermediatePath;
  }
  writeWholeFile(destinationPath, unwrap_layer(readWholeFile(current), what));
  QFile::remove(intermediatePath);
}

void write_package(const QString& packagePath, const QByteArray& payload) {
  writeWholeFile(packagePath, wrap_package(payload));
}

}  // namespace solvane
