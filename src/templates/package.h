#pragma once
// The template package container: a payload wrapped in 23 nested layers, each a 4-byte
// little-endian inflated length followed by a zlib stream. Files end in ".rar" but are
// not RAR archives.
#include <QByteArray>
#include <QString>

namespace solvane {

inline constexpr int kPackageLayers = 23;
// A layer that claims more than this is rejected before anything is allocated, so a
// package never inflates beyond it (packages arrive from outside; the library's largest
// payload is a few hundred kilobytes).
inline constexpr qint64 kMaxLayerBytes = 64ll * 1024 * 1024;
// A package file larger than this cannot be a valid one: its outer layer holds at most
// kMaxLayerBytes of payload, and deflate adds only a little to data it cannot shrink.
inline constexpr qint64 kMaxPackageFileBytes = kMaxLayerBytes + kMaxLayerBytes / 64 + 4096;

// One layer: length + zlib stream in, inflated bytes out. An empty input gives an empty
// output. Throws Error when the stream is damaged, the stated length is absurd, or the
// stream does not inflate to exactly the stated length. `what` names the source in errors.
QByteArray unwrap_layer(const QByteArray& layer, const QString& what = QString());
QByteArray wrap_layer(const QByteArray& content);

// All 23 layers, in memory.
QByteArray unwrap_package(const QByteArray& package, const QString& what = QString());
QByteArray wrap_package(const QByteArray& payload);

// The payload of the package file, unwrapped in memory; a file over kMaxPackageFileBytes
// is refused before it is read.
QByteArray read_package_file(const QString& packagePath);

// Writes the payload of the package file to `destination`. The layers are unwrapped in
// memory; `intermediate`, the scratch file of the file-by-file protocol, is only removed
// where it exists, so no stale scratch survives. Throws Error naming the package; the
// destination is then absent (never half-written).
void unpack_package(const QString& packagePath, const QString& intermediatePath,
                    const QString& destinationPath);

// Writes `payload` wrapped in 23 layers to `packagePath`.
void write_package(const QString& packagePath, const QByteArray& payload);

}  // namespace solvane
