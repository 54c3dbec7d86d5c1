#include "render/album_options.h"

#include <functional>
#include <map>

#include <QDir>
#include <QFileInfo>

#include "effects/album_settings.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"

namespace solvane {
namespace {

using Setter = std::function<void(AlbumOptions&, const QString&)>;

// Accepts one of `choices` in any letter case and returns the spelling given in `choices`.
QString oneOf(const QString& option, const QString& value, const QStringList& choices) {
  for (const QString& choice : choices)
    if (value.compare(choice, Qt::CaseInsensitive) == 0) return choice;
  throw Error(QStringLiteral("%1: \"%2\" is not one of %3")
                  .arg(option, value, choices.join(QLatin1Char('|'))));
}

const std::map<QString, Setter>& valueOptions() {
  static const std::map<QString, Setter> options = {
      {"-o", [](AlbumOptions& o, const QString& v) { o.output = v; }},
      {"--output", [](AlbumOptions& o, const QString& v) { o.output = v; }},
      {"--kind",
       [](AlbumOptions& o, const QString& v) {
         o.kind = oneOf("--kind", v, {"DVD", "SVCD", "VCD", "AVI", "XLTP"});
       }},
      {"--format",
       [](AlbumOptions& o, const QString& v) {
         o.format = oneOf("--format", v, imageSequenceFormats());
       }},
      {"--tv", [](AlbumOptions& o, const QString& v) { o.tv = oneOf("--tv", v, {"PAL", "NTSC"}); }},
      {"--quality",
       [](AlbumOptions& o, const QString& v) {
         o.quality = oneOf("--quality", v, {"high", "normal"}) == "high"
                         ? QString(word::gaoqing_huazhi)
                         : QString(word::yiban_huazhi);
       }},
      {"--length",
       [](AlbumOptions& o, const QString& v) {
         o.followMusic = oneOf("--length", v, {"photos", "music"}) == "music";
       }},
      {"--landscape-crop",
       [](AlbumOptions& o, const QString& v) {
         o.crops.landscape = oneOf("--landscape-crop", v, {"full", "template"}) == "full"
                                 ? CropSettings::Landscape::quanping
                                 : CropSettings::Landscape::moren;
       }},
      {"--portrait-crop",
       [](AlbumOptions& o, const QString& v) {
         o.crops.portrait = oneOf("--portrait-crop", v, {"zoom", "template"}) == "zoom"
                                ? CropSettings::Portrait::jubufangda
                                : CropSettings::Portrait::moren;
       }},
      {"--music", [](AlbumOptions& o, const QString& v) { o.music << v; }},
      {"--lyrics", [](AlbumOptions& o, const QString& v) { o.lyrics << v; }},
      {"--library", [](AlbumOptions& o, const QString& v) { o.library = v; }},
      {"--text", [](AlbumOptions& o, const QString& v) { o.overlay.texts << v; }},
      {"--karaoke", [](AlbumOptions& o, const QString& v) { o.overlay.karaoke << v; }},
      {"--lyric-type",
       [](AlbumOptions& o, const QString& v) {
         o.overlay.lyricType = oneOf("--lyric-type", v, {"lrc", "ksc", "both"});
       }},
  };
  return options;
}

const std::map<QString, std::function<void(AlbumOptions&)>>& flagOptions() {
  static const std::map<QString, std::function<void(AlbumOptions&)>> flags = {
      {"--loop-music", [](AlbumOptions& o) { o.loops.music_loop = true; }},
      {"--loop-pictures", [](AlbumOptions& o) { o.loops.picture_loop = true; }},
      {"--overwrite", [](AlbumOptions& o) { o.overwrite = true; }},
      {"--help", [](AlbumOptions& o) { o.help = true; }},
      {"-h", [](AlbumOptions& o) { o.help = true; }},
  };
  return flags;
}

// Combinations that would be silently ignored are refused, so the album is what was asked.
void checkCombinations(const AlbumOptions& o, bool formatGiven) {
  if (o.output.isEmpty()) throw Error(QStringLiteral("no output given: use -o OUTPUT"));
  if (formatGiven && o.kind != word::XLTP)
    throw Error(QStringLiteral("--format applies only to --kind XLTP (image sequences)"));
  if (o.followMusic && o.music.isEmpty())
    throw Error(QStringLiteral("--length music needs at least one --music file"));
  if (o.loops.music_loop && o.music.isEmpty())
    throw Error(QStringLiteral("--loop-music needs at least one --music file"));
  if (o.loops.picture_loop && !o.followMusic)
    throw Error(QStringLiteral("--loop-pictures applies only with --length music"));
  if (o.photos.isEmpty()) throw Error(QStringLiteral("没有添加相片文件！"));
}

}  // namespace

AlbumOptions parseAlbumArguments(const QStringList& arguments) {
  AlbumOptions options;
  bool formatGiven = false;
  bool onlyPhotos = false;
  for (int i = 0; i < arguments.size(); ++i) {
    QString arg = arguments[i];
    if (onlyPhotos || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
      options.photos << arg;
      continue;
    }
    if (arg == QLatin1String("--")) {
      onlyPhotos = true;
      continue;
    }
    if (auto flag = flagOptions().find(arg); flag != flagOptions().end()) {
      flag->second(options);
      continue;
    }
    std::optional<QString> value;
    if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); arg.startsWith("--") && eq > 0) {
      value = arg.mid(eq + 1);
      arg = arg.left(eq);
    }
    auto option = valueOptions().find(arg);
    if (option == valueOptions().end())
      throw Error(QStringLiteral("unknown option %1 (see solvane-cli album --help)").arg(arg));
    if (!value) {
      if (i + 1 >= arguments.size()) throw Error(QStringLiteral("%1 needs a value").arg(arg));
      value = arguments[++i];
    }
    option->second(options, *value);
    formatGiven = formatGiven || arg == QLatin1String("--format");
  }
  if (!options.help) checkCombinations(options, formatGiven);
  return options;
}

QString albumUsage() {
  return QStringLiteral(
      "Usage: solvane-cli album -o OUTPUT [options] PHOTO...\n"
      "\n"
      "Makes a photo album from the photographs, songs and lyrics given, with templates drawn\n"
      "from the template library installed beside solvane-cli. Works in its own temporary\n"
      "folder, so it can run while the desktop program is open.\n"
      "\n"
      "PHOTO...               JPEG photographs in album order; a folder stands for its JPEG\n"
      "                       files in name order.\n"
      "-o, --output OUTPUT    The album file. The ending (.mpg, .avi) is added unless OUTPUT\n"
      "                       already has it. For --kind XLTP: a new folder that receives the\n"
      "                       numbered pictures 01.JPG, 02.JPG, ...\n"
      "--kind KIND            DVD (default), SVCD or VCD: MPEG album (.mpg); AVI: AVI album;\n"
      "                       XLTP: numbered picture sequence.\n"
      "--format FORMAT        Picture format of an XLTP sequence: JPG (default), BMP, TGA, PCX.\n"
      "--tv SYSTEM            PAL (default) or NTSC, for the MPEG kinds.\n"
      "--quality QUALITY      high (default): 1920x1080 (VCD: 1280x720); normal: 1280x720.\n"
      "--length RULE          photos (default): the album lasts as long as its templates plus\n"
      "                       a 4-second closing; the music is cut there.\n"
      "                       music: the album lasts as long as the songs together.\n"
      "--loop-music           With --length photos: repeat the songs until they cover the\n"
      "                       pictures.\n"
      "--loop-pictures        With --length music: when every template has played, start\n"
      "                       again from the first (otherwise the last picture stays).\n"
      "--landscape-crop HOW   full (default): landscape photographs fill the screen width;\n"
      "                       template: the whole photograph as the template shows it.\n"
      "                       Matters only for templates without a fixed picture size.\n"
      "--portrait-crop HOW    zoom (default): portrait photographs are enlarged to a detail;\n"
      "                       template: the whole photograph as the template shows it.\n"
      "--music FILE           An MP3 song; repeat for more songs, played in the order given.\n"
      "--lyrics FILE          An LRC lyric file; repeat for more. The n-th lyric file belongs\n"
      "                       to the n-th song.\n"
      "--karaoke FILE         A KSC karaoke file, or a word-timed LRC file (<mm:ss.xx> before\n"
      "                       each word) whose word times fill the karaoke lines; repeat for\n"
      "                       more. The n-th karaoke file belongs to the n-th song.\n"
      "--lyric-type TYPE      both (default), lrc or ksc: which lyrics to draw when there are\n"
      "                       LRC and karaoke files.\n"
      "--text \"TIME|EFFECT|TEXT[|SIZE[|COLOUR[|FONT]]]\"\n"
      "                       A caption entering at TIME (mm:ss of the album) with EFFECT 1-30\n"
      "                       of the text-effect window (1 diagonal, 2 left to right, 3 top to\n"
      "                       bottom, 4 right to left, ...; docs/captions-and-overlay.md);\n"
      "                       SIZE 10-40 (10), COLOUR a name like clYellow (clWhite), FONT (黑体).\n"
      "--overwrite            Replace an existing album file (never an existing XLTP folder).\n"
      "--library DIR          Folder holding the installed template library (its smxcwjj\n"
      "                       folder); default: the folder of solvane-cli.\n"
      "-h, --help             This text.\n"
      "\n"
      "A progress bar shows frames done, frames per second and the time left. Ctrl-C stops\n"
      "the album; nothing of it is left behind. The exit status is 0 only when the album was\n"
      "written.\n");
}

QStringList expandPhotoArguments(const QStringList& arguments) {
  QStringList photos;
  for (const QString& arg : arguments) {
    const QFileInfo info(arg);
    if (!info.exists()) throw Error(QStringLiteral("%1: no such file or folder").arg(arg));
    if (!info.isDir()) {
      photos << info.absoluteFilePath();
      continue;
    }
    const QDir dir(info.absoluteFilePath());
    QStringList found;
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
      const QString suffix = file.suffix().toLower();
      if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        found << file.absoluteFilePath();
    }
    if (found.isEmpty()) throw Error(QStringLiteral("%1: no JPEG photographs in this folder").arg(arg));
    photos += found;
  }
  return photos;
}

void applyAlbumSettings(Project& project, const AlbumOptions& options) {
  ChooseTvSystem(project, options.tv);
  ChooseQuality(project, options.quality);
  project.crop_settings = options.crops;
  project.album_loops = options.loops;
  if (options.followMusic)
    ChooseMusicLength(project);
  else
    ChoosePhotoLength(project);
  ResetAlbumLengthWithoutMusic(project);
}

}  // namespace solvane
