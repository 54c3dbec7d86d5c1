// A project of 100 songs and 100 lyric files in the main window: adds all 200 files
// through the two add commands while a 1 ms timer on the user-interface thread records its
// longest stall, then deletes one row and swaps two in each pane, each timed up to the
// moment the visible cells are painted again with their pictures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

extern "C" {
#include <libavutil/log.h>
}

#include "lyrics/binding.h"
#include "model/fonts.h"
#include "model/project.h"
#include "model/workspace.h"
#include "ui/lyrics/media_pane_commands.h"
#include "ui/main/main_window.h"
#include "ui/main/pane.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

using namespace solvane;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFiles = 100;
constexpr int kRounds = 5;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Answers the choosers from a queue and confirms every window without showing it.
class Answers : public ui::UserQuestions {
 public:
  std::deque<QStringList> files;
  QStringList chooseFiles(QWidget*, const ui::FileQuestion&) override {
    QStringList next = files.empty() ? QStringList() : files.front();
    if (!files.empty()) files.pop_front();
    return next;
  }
  std::optional<QString> chooseSaveName(QWidget*, const ui::FileQuestion&) override { return {}; }
  void showMessage(QWidget*, const QString& text) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  bool confirm(QWidget*, const QString&, const QString&) override { return true; }
  int showWindow(QDialog&) override { return QDialog::Accepted; }
};

// The longest gap between ticks of a 1 ms timer while `work` runs (its own event loops
// included).
double longestStall(const std::function<void()>& work) {
  QTimer ticker;
  Clock::time_point last = Clock::now();
  double worst = 0;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    worst = std::max(worst, msSince(last));
    last = Clock::now();
  });
  ticker.start(1);
  last = Clock::now();
  work();
  worst = std::max(worst, msSince(last));
  return worst;
}

// Runs `edit` and paints the pane's visible cells, which loads their pictures again.
double timedEdit(ui::Pane* pane, const std::function<void()>& edit) {
  const Clock::time_point start = Clock::now();
  edit();
  pane->iconView()->viewport()->repaint();
  return msSince(start);
}

struct Figures {
  std::vector<double> ms;
  void print(const char* what) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %6.1f ms   worst %6.1f ms   (target < 100 ms, %d rounds)\n", what,
                ms[ms.size() / 2], ms.back(), static_cast<int>(ms.size()));
  }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  loadFontAliases();
  av_log_set_level(AV_LOG_ERROR);
  QApplication app(argc, argv);
  QTemporaryDir work;
  const QString songs = work.path() + "/songs";
  QDir().mkpath(songs);

  // One two-second song, copied under 100 names; 100 short LRC files.
  const QString tone = songs + "/tone.mp3";
  if (QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=2",
                                   "-c:a", "libmp3lame", tone}) != 0) {
    std::fprintf(stderr, "ffmpeg could not make the song\n");
    return 1;
  }
  QStringList music, lyrics;
  for (int i = 1; i <= kFiles; ++i) {
    const QString name = songs + QStringLiteral("/歌曲%1").arg(i, 3, 10, QLatin1Char('0'));
    QFile::copy(tone, name + ".mp3");
    QFile lrc(name + ".lrc");
    if (!lrc.open(QIODevice::WriteOnly)) return 1;
    lrc.write("[00:00.50]line one\r\n[00:01.20]line two\r\n");
    music << name + ".mp3";
    lyrics << name + ".lrc";
  }

  Answers answers;
  ui::Session session(Workspace(work.path(), work.path()), answers);
  ui::MainWindow window(session);
  window.resize(1083, 678);
  window.show();
  QApplication::processEvents();

  const Clock::time_point start = Clock::now();
  answers.files.push_back(music);
  const double musicStall = longestStall([&] { window.addMusicCommand(); });
  const double musicMs = msSince(start);
  const Clock::time_point lyricStart = Clock::now();
  answers.files.push_back(lyrics);
  const double lyricStall = longestStall([&] { window.addLyricsCommand(); });
  const double lyricMs = msSince(lyricStart);
  std::printf("adding %d songs: %.0f ms, longest UI-thread stall %.1f ms (target < 100 ms)\n", kFiles,
              musicMs, musicStall);
  std::printf("adding %d lyrics: %.0f ms, longest UI-thread stall %.1f ms (target < 100 ms)\n", kFiles,
              lyricMs, lyricStall);
  if (session.project.ListView_daoru_yinyue.count() != kFiles ||
      session.project.ListView_daoru_LRC.count() != kFiles) {
    std::fprintf(stderr, "not every file was added\n");
    return 1;
  }

  ui::MediaPaneCommands* media = window.mediaCommands();
  for (const auto kind : {ui::PaneKind::Music, ui::PaneKind::Lyrics}) {
    const ui::MediaPane pane = kind == ui::PaneKind::Music ? ui::MediaPane::Music : ui::MediaPane::Lyric;
    const char* name = kind == ui::PaneKind::Music ? "music" : "lyric";
    window.setIconMode(kind);
    QApplication::processEvents();
    ui::Pane* view = window.pane(kind);
    Figures swaps, deletes;
    for (int round = 0; round < kRounds; ++round) {
      QListView* cells = view->iconView();
      const QPoint second = cells->visualRect(cells->model()->index(1, 0)).topLeft();
      swaps.ms.push_back(timedEdit(view, [&] { media->dropCell(pane, 0, second); }));
      // A row near the top, so every later thumbnail moves down.
      session.project.Edit_xiangpian_down_id = QString::number(round);
      deletes.ms.push_back(timedEdit(view, [&] { media->deleteCommand(pane, false); }));
    }
    std::printf("%s pane (%d rows):\n", name, kFiles);
    swaps.print("  swap two (drag and drop)");
    deletes.print("  delete one");
  }
  return 0;
}
