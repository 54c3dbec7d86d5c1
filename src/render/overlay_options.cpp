#include "render/overlay_options.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "effects/text_effect_editor.h"
#include "lyrics/colour_names.h"
#include "lyrics/lrc_karaoke.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "model/error.h"
#include "model/project.h"
#include "render/overlay_panel.h"

namespace solvane {
namespace {

const QString kBar = QStringLiteral("|");

QString lyricTypeWord(const QString& value) {
  if (value == QLatin1String("lrc")) return word::shiyong_lrc;
  if (value == QLatin1String("ksc")) return word::shiyong_ksc;
  if (value == QLatin1String("both")) return word::shiyong_lrcksc;
  throw Error(QStringLiteral("--lyric-type %1: choose lrc, ksc or both").arg(value));
}

// "TIME|ENTRY|TEXT[|SIZE[|COLOUR[|FONT]]]" as the window's controls would hold it.
TextEffectForm captionForm(const QString& caption) {
  const QStringList parts = caption.split(kBar);
  const QString where = QStringLiteral("--text \"%1\": ").arg(caption);
  if (parts.size() < 3 || parts.size() > 6)
    throw Error(where + QStringLiteral("write TIME|ENTRY|TEXT[|SIZE[|COLOUR[|FONT]]]"));

  static const QRegularExpression time(QStringLiteral("^([0-5][0-9]):([0-5][0-9])$"));
  const QRegularExpressionMatch m = time.match(parts[0]);
  if (!m.hasMatch()) throw Error(where + QStringLiteral("the time is mm:ss, 00:00 to 59:59"));

  TextEffectForm form;
  form.minuteEntry = m.captured(1) + QStringLiteral("  分");
  form.secondEntry = m.captured(2) + QStringLiteral("  秒");
  bool ok = false;
  form.effectEntry = parts[1].toInt(&ok);
  if (!ok || form.effectEntry < 1 || form.effectEntry > 30)
    throw Error(where + QStringLiteral("the effect is a number from 1 to 30"));
  form.text = parts[2];
  form.fontSize = parts.value(3, QStringLiteral("10"));
  if (!styleFontSizes().contains(form.fontSize))
    throw Error(where + QStringLiteral("the size is a number from 10 to 40"));
  form.colorName = parts.value(4, QStringLiteral("clWhite"));
  const std::optional<int> colour = colourValue(form.colorName);
  if (!colour)
    throw Error(where + QStringLiteral("unknown colour %1 (for example clWhite, clYellow)")
                            .arg(form.colorName));
  form.colorValue = QString::number(*colour);
  form.fontName = parts.value(5, QStringLiteral("黑体"));
  return form;
}

// A KSC file, or an LRC file whose word times make karaoke lines; a plain LRC would give
// none.
void checkKaraokeFile(const QString& path) {
  if (!QFileInfo(path).isFile())
    throw Error(QStringLiteral("--karaoke %1: no such file").arg(path));
  if (!path.endsWith(QLatin1String(".lrc"), Qt::CaseInsensitive)) return;
  LrcLyrics lrc;
  lrc.ReadLrcFile(path);
  if (karaokeLinesFromLrc(lrc).empty())
    throw Error(QStringLiteral("--karaoke %1: the LRC file has no word times (<mm:ss.xx> before "
                               "each word); give a plain LRC file with --lyrics")
                    .arg(path));
}

}  // namespace

void applyOverlayOptions(Project& project, const OverlayOptions& options) {
  // Everything is checked first, so a refused option leaves the project as it was.
  const QString lyricType =
      options.lyricType.isEmpty() ? QString() : lyricTypeWord(options.lyricType);
  for (const QString& path : options.karaoke) checkKaraokeFile(path);
  TextEffectEditor editor(project);
  editor.open(kCanvasWidth, kCanvasHeight);
  for (const QString& caption : options.texts)
    if (const std::optional<QString> refused = editor.add(captionForm(caption)))
      throw Error(QStringLiteral("--text \"%1\": %2").arg(caption, *refused));

  for (const QString& path : options.karaoke)
    appendKaraokeRow(project.suiListView_ksc, QFileInfo(path).absoluteFilePath());
  if (!lyricType.isEmpty()) project.Edit1_shiyong_lrc_or_ksc = lyricType;
  if (!options.texts.isEmpty()) editor.close(project);
}

}  // namespace solvane
