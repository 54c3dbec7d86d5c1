#include "render/lyric_overlay.h"

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

void LyricOverlay::reset() {
  panel_.Label_LRC.setText(QString());
  Edit_shijian_lrc = QStringLiteral("0");
  Edit_shijian_lrc_0 = QStringLiteral("00:00");
  Edit_shijian_lrc_num = QStringLiteral("0");
  Edit_lrc_kaiguan = word::tingzhi;
  lyrics_.clear();
  problems_.clear();
}

void LyricOverlay::start() {
  if (project_.ListView_daoru_LRC.empty() || project_.ListView_daoru_yinyue.empty()) return;
  panel_.Label_LRC.setText(QString());
  panel_.Label_LRC.setVisible(true);
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
  if (project_.ListView_daoru_LRC.empty()) panel_.Label_LRC.setVisible(false);
  if (!running || !LyricGateOpen(project_)) return;

  const int song = Edit_shijian_lrc_num.toInt();
  const QString t = FrameClockText(frames);
  Edit_shijian_lrc_0 = t;
  if (const std::optional<QString> line = lyrics_.FindLrcLine(t)) showLine(*line, song);

  const Table& music = project_.ListView_daoru_yinyue;
  if (song < music.count() && music.cell(song, music_col::frames_needed).toLongLong() == frames) {
    Edit_shijian_lrc = QStringLiteral("0");
    panel_.Label_LRC.setText(QString());
    const int next = song + 1;
    Edit_shijian_lrc_num = QString::number(next);
    if (next < music.count() && next < project_.ListView_daoru_LRC.count())
      read(BoundLyricRow(project_, next));
    else
      Edit_lrc_kaiguan = lyric_word::tingzhi1;
  }
}

void LyricOverlay::read(int lyricRow) {
  const QString path = project_.ListView_daoru_LRC.cell(lyricRow, lyric_col::path);
  try {
    lyrics_.ReadLrcFile(path);
  } catch (const Error& e) {
    // The song plays without lyrics; the album is not lost for one unreadable file.
    problems_ << e.message();
  }
}

void LyricOverlay::showLine(const QString& text, int styleRow) {
  const Table& lyrics = project_.ListView_daoru_LRC;
  if (styleRow >= lyrics.count()) styleRow = 0;
  OverlayLabel& label = panel_.Label_LRC;
  label.setText(text);
  label.setFont(lrcFont(lyrics, styleRow, kCanvasWidth));
  label.setColor(colourFromValueText(lyrics.cell(styleRow, lyric_col::color_value)));
  label.fitToText();
  label.move(lrcPlacement(kCanvasWidth, kCanvasHeight, label.size().width(),
                          label.size().height(), lyrics.cell(styleRow, lyric_col::h_align),
                          lyrics.cell(styleRow, lyric_col::v_align)));
  panel_.bringToTop(label);
}

}  // namespace solvane
