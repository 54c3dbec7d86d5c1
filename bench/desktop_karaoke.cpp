// The karaoke window in step with its song: a generated 60-second MP3 and a KSC file of 30
// two-second lines play in a real "卡拉OK设置" window through Qt Multimedia (GStreamer).
// A 5 ms timer on the user-interface thread records how far the drawn fill stands behind
// the music's position (target: never more than 40 ms, one album frame) and how late it
// fires itself (the longest stall, target under 50 ms).
#include <algorithm>
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "lyrics/lyric_styles.h"
#include "lyrics/playback.h"
#include "model/fonts.h"
#include "model/workspace.h"
#include "ui/lyrics/karaoke_window.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace {

using namespace solvane;

class NoQuestions : public ui::UserQuestions {
 public:
  QStringList chooseFiles(QWidget*, const ui::FileQuestion&) override { return {}; }
  std::optional<QString> chooseSaveName(QWidget*, const ui::FileQuestion&) override {
    return std::nullopt;
  }
  void showMessage(QWidget*, const QString& text) override {
    std::printf("message: %s\n", qPrintable(text));
  }
  bool confirm(QWidget*, const QString&, const QString&) override { return true; }
  int showWindow(QDialog&) override { return 0; }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  loadFontAliases();
  qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString mp3 = dir.filePath("song.mp3");
  if (QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                   "sine=frequency=440:duration=60", "-c:a", "libmp3lame",
                                   "-b:a", "128k", mp3}) != 0) {
    std::fprintf(stderr, "bench_desktop_karaoke: ffmpeg could not make the song\n");
    return 1;
  }
  QFile ksc(dir.filePath("song.ksc"));
  if (!ksc.open(QIODevice::WriteOnly)) return 1;
  for (int i = 0; i < 29; ++i) {
    const int s = 1 + 2 * i;
    ksc.write(QStringLiteral("karaoke.add('00:%1.000', '00:%2.600', '第%3行歌词', '400,400,400,400');\n")
                  .arg(s, 2, 10, QLatin1Char('0'))
                  .arg(s + 1, 2, 10, QLatin1Char('0'))
                  .arg(i + 1)
                  .toUtf8());
  }
  ksc.close();

  NoQuestions questions;
  ui::Session session(Workspace(dir.filePath("work"), dir.filePath("lib")), questions);
  session.project.ListView_daoru_yinyue.append({"1", "song", ".mp3", mp3});
  appendKaraokeRow(session.project.suiListView_ksc, ksc.fileName());
  ui::KaraokeWindow window(session);
  window.show();
  window.chooseLyric(0);
  window.musicList()->setCurrentRow(0);
  window.playCommand();

  double worstBehind = 0, worstStall = 0;
  long long samples = 0;
  QElapsedTimer clock;
  clock.start();
  qint64 last = clock.elapsed();
  QTimer meter;
  meter.setInterval(5);
  QObject::connect(&meter, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    const double late = double(now - last - 5);
    if (late > 50) std::printf("  stall of %.0f ms at %.2f s\n", late, now / 1000.0);
    worstStall = std::max(worstStall, late);
    last = now;
    if (!window.clockRunning()) return;
    const long long at = window.playback().positionMs();
    const long long behind = at - window.preview().appliedMs();
    if (behind > 40) std::printf("  fill %lld ms behind at music %.2f s\n", behind, at / 1000.0);
    worstBehind = std::max(worstBehind, double(behind));
    ++samples;
  });
  meter.start();
  QTimer done;
  QObject::connect(&done, &QTimer::timeout, [&] {
    if (!window.clockRunning() || clock.elapsed() > 90'000) app.quit();
  });
  done.start(100);
  app.exec();
  std::printf("Karaoke window, 60-second song: %lld samples over %.1f s; fill behind the music "
              "at most %.0f ms (target 40); UI stall longest %.0f ms (target 50)\n",
              samples, clock.elapsed() / 1000.0, worstBehind, worstStall);
  return 0;
}
