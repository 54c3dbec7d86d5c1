#include "render/lyric_overlay.h"

#include <algorithm>

#include "lyrics/colour_names.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/lyric_words.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/frame_clock.h"
#include "render/overlay_panel.h"

namespace solvane {

bool LyricGateOpen(const Project& p) {
  if (p.ListView_daoru_yinyue.empty() || p.ListView_daoru_LRC.empty()) return false;
  return p.suiListView_ksc.empty() || p.Edit1_shiyong_lrc_or_ksc == word::shiyong_lrc ||
         p.Edit1_shiyong_lrc_or_ksc == word::shiyong_lrcksc;
}

bool KaraokeGateOpen(const Project& p) {
  if (p.ListView_daoru_yinyue.empty() || p.suiListView_ksc.empty()) return false;
  return p.Edit1_shiyong_lrc_or_ksc == word::shiyong_ksc ||
         p.Edit1_shiyong_lrc_or_ksc == word::shiyong_lrcksc;
}

int BoundLyricRow(const Project& p, int song) {
  const QString key = p.ListView_daoru_yinyue.cell(song, music_col::bound_lyric);
  int found = 0;
  for (int i = 0; i < p.ListView_daoru_LRC.count(); ++i)
    if (p.ListView_daoru_LRC.cell(i, lyric_col::bound_music) == key) found = i;
  return found;
}

LyricOverlay::LyricOverlay(const Project& project, OverlayPanel& panel)
    : project_(project), panel_(panel) {}

namespace {

// Translation lines are drawn at this share of the lyric line's size.
constexpr int kTranslationPercent = 70;
// The placement rule keeps this margin to the frame's border.
constexpr int kFrameMargin = 10;

}  // namespace

void LyricOverlay::reset() {
  clearLine();
  Edit_shijian_lrc = QStringLiteral("0");
  Edit_shijian_lrc_0 = QStringLiteral("00:00");
  Edit_shijian_lrc_num = QStringLiteral("0");
  Edit_lrc_kaiguan = word::tingzhi;
  lyrics_.clear();
  problems_.clear();
}

void LyricOverlay::start() {
  if (project_.ListView_daoru_LRC.empty() || project_.ListView_daoru_yinyue.empty()) return;
  clearLine();
  panel_.Label_LRC.setVisible(true);
  for (OverlayLabel& label : panel_.Label_LRC_translations) label.setVisible(true);
  // With karaoke only, the lyric clock still runs but the gate keeps the lines off.
  const bool karaokeOnly = !project_.suiListView_ksc.empty() &&
                           project_.Edit1_shiyong_lrc_or_ksc == word::shiyong_ksc;
  read(karaokeOnly ? 0 : BoundLyricRow(project_, 0));
  Edit_lrc_kaiguan = lyric_word::kaishi;
}

void LyricOverlay::step() {
  const bool running = Edit_lrc_kaiguan == lyric_word::kaishi;
  long long frames = Edit_shijian_lrc.toLongLong();
  if (running) Edit_shijian_lrc = QString::number(++frames);
  if (project_.ListView_daoru_LRC.empty()) {
    panel_.Label_LRC.setVisible(false);
    for (OverlayLabel& label : panel_.Label_LRC_translations) label.setVisible(false);
  }
  if (!running || !LyricGateOpen(project_)) return;

  const int song = Edit_shijian_lrc_num.toInt();
  const QString t = FrameClockText(frames);
  Edit_shijian_lrc_0 = t;
  if (const int row = lyrics_.findLrcRow(t); row >= 0) showLine(row, song);

  const Table& music = project_.ListView_daoru_yinyue;
  if (song < music.count() && music.cell(song, music_col::frames_needed).toLongLong() == frames) {
    Edit_shijian_lrc = QStringLiteral("0");
    clearLine();
    const int next = song + 1;
    Edit_shijian_lrc_num = QString::number(next);
    if (next < music.count() && next < project_.ListView_daoru_LRC.count())
      read(BoundLyricRow(project_, next));
    else
      Edit_lrc_kaiguan = lyric_word::tingzhi1;
  }
}

void LyricOverlay::read(int lyricRow) {
  shownRow_ = -1;
  const QString path = project_.ListView_daoru_LRC.cell(lyricRow, lyric_col::path);
  try {
    lyrics_.ReadLrcFile(path);
  } catch (const Error& e) {
    // The song plays without lyrics; the album is not lost for one unreadable file.
    problems_ << e.message();
  }
}

void LyricOverlay::clearLine() {
  panel_.Label_LRC.setText(QString());
  for (OverlayLabel& label : panel_.Label_LRC_translations) label.setText(QString());
  shownRow_ = -1;
}

void LyricOverlay::bringLineToTop() {
  panel_.bringToTop(panel_.Label_LRC);
  for (const OverlayLabel& label : panel_.Label_LRC_translations) panel_.bringToTop(label);
}

void LyricOverlay::showLine(int row, int styleRow) {
  const Table& lyrics = project_.ListView_daoru_LRC;
  if (styleRow >= lyrics.count()) styleRow = 0;
  OverlayLabel& label = panel_.Label_LRC;
  const QString& text = lyrics_.timedLines()[static_cast<size_t>(row)].text;
  if (row == shownRow_ && styleRow == shownStyle_ && label.text() == text) {
    bringLineToTop();
    return;
  }
  shownRow_ = row;
  shownStyle_ = styleRow;
  const QFont font = lrcFont(lyrics, styleRow, kCanvasWidth);
  const QColor colour = colourFromValueText(lyrics.cell(styleRow, lyric_col::color_value));
  label.setText(text);
  label.setFont(font);
  label.setColor(colour);
  label.fitToText();
  label.move(lrcPlacement(kCanvasWidth, kCanvasHeight, label.size().width(),
                          label.size().height(), lyrics.cell(styleRow, lyric_col::h_align),
                          lyrics.cell(styleRow, lyric_col::v_align)));
  showTranslations(lyrics_.sameTimeLines(row), label.pos(), font, colour, styleRow);
  bringLineToTop();
}

// The translations stand under the line, each aligned as the line is; a block that would
// leave the frame at the bottom moves up as a whole, the line with it.
void LyricOverlay::showTranslations(const QStringList& texts, QPoint linePos,
                                    const QFont& lineFont, const QColor& colour, int styleRow) {
  auto& labels = panel_.Label_LRC_translations;
  for (size_t i = 0; i < labels.size(); ++i) {
    const qsizetype n = static_cast<qsizetype>(i);
    const bool last = i + 1 == labels.size();
    labels[i].setText(last ? texts.mid(n).join(QStringLiteral("  ")) : texts.value(n));
  }
  if (texts.isEmpty()) return;

  const Table& lyrics = project_.ListView_daoru_LRC;
  const QString& hAlign = lyrics.cell(styleRow, lyric_col::h_align);
  const QString& vAlign = lyrics.cell(styleRow, lyric_col::v_align);
  QFont font = lineFont;
  font.setPixelSize(std::max(1, lineFont.pixelSize() * kTranslationPercent / 100));
  int y = linePos.y() + panel_.Label_LRC.size().height();
  for (OverlayLabel& label : labels) {
    if (label.text().isEmpty()) continue;
    label.setFont(font);
    label.setColor(colour);
    label.fitToText();
    const QSize size = label.size();
    label.move({lrcPlacement(kCanvasWidth, kCanvasHeight, size.width(), size.height(), hAlign,
                             vAlign).x(), y});
    y += size.height();
  }
  const int overflow = std::min(y - (kCanvasHeight - kFrameMargin), linePos.y());
  if (overflow <= 0) return;
  panel_.Label_LRC.move(linePos - QPoint(0, overflow));
  for (OverlayLabel& label : labels) label.move(label.pos() - QPoint(0, overflow));
}

}  // namespace solvane
