// Builds the installed template library from the movie sources in templates/:
//   build_template_library <sources folder> <closing movie> <executable folder>
// Every source is one template: a movie whose "template" block names its type, category and
// slot orientations. The parameter file is derived from the movie itself, so slot sizes and
// the frame count always agree with what the movie shows. Sources are paired by position:
// the i-th parameter package and the i-th movie package carry the same number.
#include <cstdio>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "model/error.h"
#include "model/sentinels.h"
#include "model/text_codec.h"
#include "templates/movie_model.h"
#include "templates/package.h"

namespace {

using namespace solvane;

QByteArray readAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw Error(path + ": cannot be read");
  return f.readAll();
}

QString barList(const QStringList& items) { return "|" + items.join('|') + "|"; }

// The parameter file of one template, as GBK INI text.
QByteArray parameterFile(const QString& path, const QByteArray& source) {
  const Movie movie = parse_movie(source, path);
  const QJsonObject block = QJsonDocument::fromJson(source).object().value("template").toObject();
  if (block.isEmpty()) throw Error(path + ": the \"template\" block is missing");

  QStringList orientations;
  for (const QJsonValue& v : block.value("orientation").toArray()) {
    const QString o = v.toString();
    if (o != word::heng && o != word::shu && o != word::shuheng)
      throw Error(path + ": unknown slot orientation \"" + o + "\"");
    orientations << o;
  }
  const std::vector<int> slots = movie.slots();
  if (orientations.isEmpty() || slots.size() != size_t(orientations.size()) ||
      slots.back() != int(slots.size()))
    throw Error(path + ": the movie's slots do not match the listed orientations");

  const bool zeroSlots = block.value("zero_slots").toBool(false);
  QStringList widths, heights;
  for (int k : slots) {
    const QRectF box = movie.slotLayer(k)->box;
    widths << (zeroSlots ? "0" : QString::number(qRound(box.width())));
    heights << (zeroSlots ? "0" : QString::number(qRound(box.height())));
  }
  QString ini;
  ini += "[l_x_w_j_s_y]\r\nl_x_w_j_s_y=s_y_l_x\r\n";
  ini += "[1]\r\n";
  ini += "mblx=" + block.value("mblx").toString() + "\r\n";
  ini += "mbfl=" + block.value("mbfl").toString() + "\r\n";
  ini += "xpsl=" + QString::number(slots.size()) + "\r\n";
  ini += "xpkd=" + barList(widths) + "\r\n";
  ini += "xpgd=" + barList(heights) + "\r\n";
  ini += "szhz=" + barList(orientations) + "\r\n";
  ini += "xpjpgmc=" + block.value("xpjpgmc").toString() + "\r\n";
  ini += "mbdx=" + QString::number(movie.frames) + "\r\n";
  return encodeGbk(ini);
}

// Removes stale packages so that the pairing by position can never shift.
void resetFolder(const QString& path) {
  QDir(path).removeRecursively();
  if (!QDir().mkpath(path)) throw Error(path + ": cannot be created");
}

int run(const QString& sourcesFolder, const QString& closingPath, const QString& binFolder) {
  const QString params = binFolder + "/smxcwjj/wj_0_or_2/wjj_02";
  const QString movies = binFolder + "/smxcwjj/wj_0_or_2/wjj_01";
  const QString closingFolder = binFolder + "/smxcwjj/wj_0_or_1";
  resetFolder(params);
  resetFolder(movies);
  QDir().mkpath(closingFolder);

  const QStringList sources =
      QDir(sourcesFolder).entryList({"*.json"}, QDir::Files, QDir::Name);
  if (sources.isEmpty()) throw Error(sourcesFolder + ": no template sources");
  int number = 0;
  for (const QString& name : sources) {
    const QString path = sourcesFolder + "/" + name;
    const QByteArray source = readAll(path);
    const QString package = QString("%1.rar").arg(++number, 3, 10, QChar('0'));
    write_package(params + "/" + package, parameterFile(path, source));
    write_package(movies + "/" + package, source);
  }
  const QByteArray closing = readAll(closingPath);
  parse_movie(closing, closingPath);
  write_package(closingFolder + "/wj_1.rar", closing);
  std::printf("template library: %d templates and the closing movie\n", number);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <sources folder> <closing movie> <executable folder>\n", argv[0]);
    return 2;
  }
  try {
    return run(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
               QString::fromLocal8Bit(argv[3]));
  } catch (const solvane::Error& e) {
    std::fprintf(stderr, "build_template_library: %s\n", e.what());
    return 1;
  }
}
