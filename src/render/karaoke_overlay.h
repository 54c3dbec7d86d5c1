#pragma once
// The karaoke lines on the album frames: the KSC file of the song that plays is read for
// the 1920 × 1080 frame, its lines appear in slots A and B one second before they are sung
// and the fill colour is wiped across them frame by frame. Each song has its own karaoke
// clock; after the first song it starts 24 frames behind the song.
#include <QString>
#include <QStringList>

#include "lyrics/karaoke_stage.h"
#include "lyrics/ksc_reader.h"

namespace solvane {

struct Project;
class OverlayLabel;
class OverlayPanel;

class KaraokeOverlay {
 public:
  KaraokeOverlay(const Project& project, OverlayPanel& panel);

  // The album's start: the four labels empty, no song loaded.
  void reset();
  // StartKaraoke: clock at 0, first song, its file loaded.
  void start();
  // LoadKaraokeSong: reads karaoke row `row` and styles the four labels from it.
  void loadSong(int row);
  // KaraokeStep: one frame of the karaoke clock, the song change, appear, wipe and hide.
  void step();

  const KaraokeStage& stage() const { return stage_; }
  const QStringList& problems() const { return problems_; }

  QString Edit_ksc_zhen_leijia = QStringLiteral("0");
  QString Edit_ksc_shijian = QStringLiteral("00:00");
  QString Edit_ksc_xuhao_leijia = QStringLiteral("1");

 private:
  OverlayLabel& label(KaraokeLabelId id);
  void applyClock(const QString& t);
  void syncLabels();

  const Project& project_;
  OverlayPanel& panel_;
  KaraokeTiming timing_;
  KaraokeStage stage_{timing_};  // follows every read of timing_
  QStringList problems_;
};

}  // namespace solvane
