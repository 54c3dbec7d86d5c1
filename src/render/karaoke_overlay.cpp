#include "render/karaoke_overlay.h"

#include "lyrics/colour_names.h"
#include "lyrics/lyric_words.h"
#include "lyrics/lyric_styles.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/frame_clock.h"
#include "render/overlay_panel.h"

namespace solvane {
namespace {

// The karaoke clock of every song after the first starts this many frames behind.
constexpr int kNextSongDelayFrames = 24;

KaraokeLabelId baseOf(const KscLine& line) {
  return line.slot == QLatin1String("B") ? KaraokeLabelId::B1 : KaraokeLabelId::A1;
}
KaraokeLabelId fillOf(const KscLine& line) {
  return line.slot == QLatin1String("B") ? KaraokeLabelId::B2 : KaraokeLabelId::A2;
}

}  // namespace

KaraokeOverlay::KaraokeOverlay(const Project& project, OverlayPanel& panel)
    : project_(project), panel_(panel) {}

OverlayLabel& KaraokeOverlay::label(KaraokeLabelId id) {
  switch (id) {
    case KaraokeLabelId::A1: return panel_.Label_ksc_A1;
    case KaraokeLabelId::A2: return panel_.Label_ksc_A2;
    case KaraokeLabelId::B1: return panel_.Label_ksc_B1;
    case KaraokeLabelId::B2: return panel_.Label_ksc_B2;
  }
  return panel_.Label_ksc_A1;
}

void KaraokeOverlay::reset() {
  timing_.clear();
  stage_.reset();
  problems_.clear();
  for (auto id : {KaraokeLabelId::A1, KaraokeLabelId::A2, KaraokeLabelId::B1, KaraokeLabelId::B2})
    label(id).setText(QString());
}

void KaraokeOverlay::start() {
  const Project& p = project_;
  if (p.suiListView_ksc.empty() || p.ListView_daoru_yinyue.empty() ||
      p.Edit1_shiyong_lrc_or_ksc == word::shiyong_lrc)
    return;
  Edit_ksc_zhen_leijia = QStringLiteral("0");
  Edit_ksc_xuhao_leijia = QStringLiteral("1");
  loadSong(0);
}

void KaraokeOverlay::loadSong(int row) {
  const Table& ksc = project_.suiListView_ksc;
  try {
    timing_.ReadKscFile(ksc, row, KscVariant::Render);
  } catch (const Error& e) {
    // The song goes on without karaoke lines; one unreadable file does not cost the album.
    problems_ << e.message();
    timing_.clear();
  }
  stage_.reset();  // the four labels empty, no wipe
  const QFont font = karaokeLabelFont(ksc, row, KscVariant::Render);
  const QColor base = colourFromValueText(ksc.cell(row, ksc_col::color_value));
  const QColor fill = colourFromValueText(ksc.cell(row, ksc_col::fill_color_value));
  for (auto id : {KaraokeLabelId::A1, KaraokeLabelId::A2, KaraokeLabelId::B1, KaraokeLabelId::B2}) {
    OverlayLabel& l = label(id);
    const bool isFill = id == KaraokeLabelId::A2 || id == KaraokeLabelId::B2;
    l.setFont(font);
    l.setColor(isFill ? fill : base);
    panel_.bringToTop(l);
  }
  syncLabels();
}

void KaraokeOverlay::step() {
  const Table& ksc = project_.suiListView_ksc;
  const Table& music = project_.ListView_daoru_yinyue;
  int r = Edit_ksc_xuhao_leijia.toInt() - 1;
  long long frames = Edit_ksc_zhen_leijia.toLongLong();
  if (r < ksc.count()) {
    Edit_ksc_zhen_leijia = QString::number(++frames);
    Edit_ksc_shijian = FrameClockText(frames);
  }

  if (r < music.count() && music.cell(r, music_col::frames_needed).toLongLong() == frames) {
    Edit_ksc_xuhao_leijia = QString::number(++r + 1);
    if (r < ksc.count()) {
      Edit_ksc_zhen_leijia = QString::number(-kNextSongDelayFrames);
      loadSong(r);
    }
  }

  if (!timing_.empty() && r < ksc.count()) applyClock(Edit_ksc_shijian);
}

void KaraokeOverlay::applyClock(const QString& t) {
  const int appearing = timing_.findAppearing(t);
  const int starting = timing_.findWipeStarting(t);
  stage_.onClock(t);
  stage_.step();
  syncLabels();
  // Labels that a line's appearance or wipe start touched come above every other element.
  if (appearing >= 0) {
    panel_.bringToTop(label(baseOf(timing_.lines()[appearing])));
    panel_.bringToTop(label(fillOf(timing_.lines()[appearing])));
  }
  if (starting >= 0) panel_.bringToTop(label(fillOf(timing_.lines()[starting])));
}

void KaraokeOverlay::syncLabels() {
  for (auto id : {KaraokeLabelId::A1, KaraokeLabelId::A2, KaraokeLabelId::B1, KaraokeLabelId::B2}) {
    const KaraokeLabel& k = stage_.label(id);
    OverlayLabel& l = label(id);
    l.setText(k.text);
    l.move(k.box.topLeft());
    l.resize(k.box.size());
    l.setVisible(k.visible);
  }
}

}  // namespace solvane
