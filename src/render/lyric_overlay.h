#pragma once
// The LRC lyric line on the album frames. Each song has its own lyric clock in frames; the
// line of the current second is looked up once per frame and drawn in the style of the
// lyric row with the song's index, lines of the same time (translations) under it at a
// smaller size. When the clock reaches the song's length the next song's bound lyric is
// read, or the lyrics stop for the rest of the album ("tingzhi1").
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "lyrics/lrc_reader.h"

namespace solvane {

struct Project;
class OverlayPanel;

namespace lyric_word {
inline constexpr QLatin1String kaishi{"kaishi"};      // the lyric clock runs
inline constexpr QLatin1String tingzhi1{"tingzhi1"};  // no lyric for the remaining songs
}  // namespace lyric_word

// Whether LRC lines are drawn: music and lyric rows exist and either no karaoke row does or
// the lyric-type choice includes LRC.
bool LyricGateOpen(const Project& project);
// Whether karaoke lines are drawn: music and karaoke rows exist and the choice includes
// karaoke.
bool KaraokeGateOpen(const Project& project);
// The lyric row bound to music row `song`: the last lyric row whose bound_music equals the
// song's bound_lyric text, row 0 when none does.
int BoundLyricRow(const Project& project, int song);

class LyricOverlay {
 public:
  LyricOverlay(const Project& project, OverlayPanel& panel);

  // The album's start: clock, song and state back to their first values, label empty.
  void reset();
  // StartLyrics: reads the first song's lyric and starts the clock.
  void start();
  // LyricStep: one frame of the lyric clock, the line of its second, the song change.
  void step();

  // Messages for lyric files that could not be read; the album goes on without them.
  const QStringList& problems() const { return problems_; }

  QString Edit_shijian_lrc = QStringLiteral("0");
  QString Edit_shijian_lrc_0 = QStringLiteral("00:00");
  QString Edit_shijian_lrc_num = QStringLiteral("0");
  QString Edit_lrc_kaiguan = QStringLiteral("tingzhi");

 private:
  void read(int lyricRow);
  void clearLine();
  void showLine(int row, int styleRow);
  void showTranslations(const QStringList& texts, QPoint linePos, const QFont& lineFont,
                        const QColor& colour, int styleRow);
  void bringLineToTop();

  const Project& project_;
  OverlayPanel& panel_;
  LrcLyrics lyrics_;
  QStringList problems_;
  // The row and style last laid out: the same line on the next frame of its second only
  // comes to the top again.
  int shownRow_ = -1;
  int shownStyle_ = -1;
};

}  // namespace solvane
