#include "fuzz_bodies.h"

#include <algorithm>
#include <cstring>
#include <random>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "lyrics/ksc_reader.h"
#include "lyrics/lrc_reader.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/text_codec.h"
#include "photos/exif_orientation.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_renderer.h"
#include "templates/bar_list.h"
#include "templates/ini_reader.h"
#include "templates/movie_model.h"
#include "templates/package.h"
#include "templates/parameter_file.h"

namespace solvane::fuzz {
namespace {

// The readers that take a path read the input from a file, as the program does.
QString inputFile(const QByteArray& input, const char* name) {
  static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/solvane-fuzz-XXXXXX"));
  const QString path = dir.filePath(QString::fromLatin1(name));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
    abort();  // the machine, not the input, is at fault
  return path;
}

template <typename Body>
void refusedIsFine(Body&& body) {
  try {
    body();
  } catch (const Error&) {
  }
}

void package(const QByteArray& input) {
  refusedIsFine([&] { unwrap_layer(input, QStringLiteral("layer")); });
  refusedIsFine([&] { unwrap_package(input, QStringLiteral("package")); });
  const QString path = inputFile(input, "package.rar");
  const QString scratch = inputFile({}, "scratch.rar");
  const QString destination = QFileInfo(path).absolutePath() + QStringLiteral("/payload.rar");
  refusedIsFine([&] { unpack_package(path, scratch, destination); });
}

// Byte mutations of a package almost always break its outer zlib stream, so the fuzzer would
// hardly ever reach the layers beneath. This mutation peels the layers that still unwrap,
// damages the content at a random depth and wraps it again, so every one of the 23 layers
// (and the payload) sees damaged input behind intact outer layers.
QByteArray mutatePackage(const QByteArray& input, std::size_t maxSize, unsigned seed,
                         ByteMutator bytes) {
  std::minstd_rand random(seed);
  std::vector<QByteArray> levels{input};
  while (levels.size() <= static_cast<std::size_t>(kPackageLayers)) {
    try {
      levels.push_back(unwrap_layer(levels.back()));
    } catch (const Error&) {
      break;
    }
  }
  // An input without a single intact layer is now and then taken as a payload to wrap whole.
  const bool wrapWhole = levels.size() == 1 && random() % 8 == 0;
  const std::size_t depth = wrapWhole ? 0 : random() % levels.size();
  QByteArray content = levels[depth];
  const std::size_t room = std::max<std::size_t>(maxSize, static_cast<std::size_t>(content.size()));
  content.resize(static_cast<qsizetype>(room));
  const std::size_t size = bytes(reinterpret_cast<std::uint8_t*>(content.data()),
                                 static_cast<std::size_t>(levels[depth].size()), room);
  content.resize(static_cast<qsizetype>(size));
  if (wrapWhole) return wrap_package(content);
  for (std::size_t d = depth; d > 0; --d) content = wrap_layer(content);
  return content;
}

void parameters(const QByteArray& input) {
  const IniFile ini = IniFile::parse(input);
  if (hasParameterMarker(ini)) {
    const TemplateParameters t = readTemplateParameters(ini);
    split_bar_list(t.photoWidth);
    split_bar_list(t.photoHeight);
    split_bar_list(t.orientation);
  }
  ini.value(QStringLiteral("1"), QStringLiteral("xpsl"));
}

void movie(const QByteArray& input) {
  refusedIsFine([&] {
    const Movie m = parse_movie(input, QStringLiteral("movie.rar"));
    for (int k : m.slots()) m.slotLayer(k);
    m.usesOpeningPicture();
    for (const Layer& l : m.layers) {
      l.transform.settledFrom();
      for (int f : {0, m.frames / 2, m.frames - 1}) {
        l.transform.x.at(f);
        l.transform.opacity.at(f);
        l.mask.progress.at(f);
        l.zoom.at(f);
        l.drawnAt(f);
      }
    }
  });
}

void lrc(const QByteArray& input) {
  const QString path = inputFile(input, "lyric.lrc");
  refusedIsFine([&] {
    LrcLyrics lyrics;
    lyrics.ReadLrcFile(path);
    lyrics.FindLrcLine(QStringLiteral("00:00"));
    lyrics.FindLrcLine(QStringLiteral("00:01"));
  });
}

void ksc(const QByteArray& input) {
  const QString path = inputFile(input, "karaoke.ksc");
  Project project;
  QStringList row(ksc_col::count_);
  row[ksc_col::position] = path;
  row[ksc_col::font_size] = QStringLiteral("25");
  row[ksc_col::script] = QStringLiteral("jianti");
  project.suiListView_ksc.append(row);
  for (KscVariant variant : {KscVariant::Preview, KscVariant::Render}) {
    refusedIsFine([&] {
      KaraokeTiming timing;
      timing.ReadKscFile(project.suiListView_ksc, 0, variant);
      for (int line = 0; line < static_cast<int>(timing.lines().size()); ++line)
        timing.fillUnits(line);
      timing.findAppearing(QStringLiteral("00:01"));
      timing.findWipeStarting(QStringLiteral("00:02"));
    });
  }
}

void photo(const QByteArray& input) {
  // The EXIF reader on the input as an APP1 payload, and the import's checks on the file.
  exifOrientation(reinterpret_cast<const unsigned char*>(input.constData()),
                  static_cast<std::size_t>(input.size()));
  refusedIsFine([&] { readJpegHeader(input, QStringLiteral("photo.jpg")).upright(); });
  const QString path = inputFile(input, "photo.jpg");
  refusedIsFine([&] { checkPhotoFile(path).upright(); });
}

void text(const QByteArray& input) {
  decodeTextFile(input);
  encodeGbk(decodeGbk(input));
}

}  // namespace

const std::vector<Target>& targets() {
  static const std::vector<Target> all = {
      {"package", package, mutatePackage}, {"parameters", parameters}, {"movie", movie}, {"lrc", lrc},
      {"ksc", ksc},         {"photo", photo},           {"text", text}};
  return all;
}

const Target* findTarget(const char* name) {
  for (const Target& t : targets())
    if (std::strcmp(t.name, name) == 0) return &t;
  return nullptr;
}

}  // namespace solvane::fuzz
