#pragma once
// The template package container: a payload wrapped in 23 nested layers, each a 4-byte
// little-endian inflated length followed by a zlib stream. Files end in ".rar" but are
// not RAR archives.
#include <QByteArray>
#include <QString>

namespace solvane {

inline constexpr int kPackageLayers = 23;
// A layer that claims more than this is rejected before anything is allocated.
inline constexpr qint64 kMaxLayerBytes = 256ll * 1024 * 1024;

// One layer: length + zlib stream in, inflated bytes out. An empty input gives an empty
// output. Throws Error when the stream is damaged, the stated length is absurd, or the
// stream does not inflate to exactly the stated length. `what` names the source in errors.
QByteArray unwrap_layer(const QByteArray& layer, const QString& what = QString());
QByteArray wrap_layer(const QByteArray& content);

// All 23 layers, in memory.
QByteArray unwrap_package(const QByteArray& package, const QString& what = QString());
QByteArray wrap_package(const QByteArray& payload);

// Writes the payload of the package file to `destination`. The layers are unwrapped in
// memory; `intermediate`, the scratch file of the file-by-file protocol, is only removed
// where it exists, so no stale scratch survives. Throws Error naming the package; the
// destination is then absent (never half-written).
void unpack_package(const QString& packagePath, const QString& intermediatePath,
                    const QString& destinationPath);

// Writes `payload` wrapped in 23 layers to `packagePath`.
void write_package(const QString& packagePath, const QByteArray& payload);

}  // namespace solvane
