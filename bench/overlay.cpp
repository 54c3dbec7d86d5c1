// Overlay cost per 1080p frame: one lyric line, two karaoke lines (base and fill labels,
// one of them wiping) and three moving texts, advanced and composited over a photograph
// exactly as the album does it, measured against redrawing the same texts from scratch
// every frame (what labels without a cached picture would cost), and beside it the same
// album made from a word-timed LRC with a translation, read as lyric and as karaoke.
// Target: at most 1.5 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

#include "effects/text_motion.h"
#include "model/file_io.h"
#include "model/fonts.h"
#include "model/project.h"
#include "model/text_codec.h"
#include "model/frame_clock.h"
#include "render/frame_overlay.h"

namespace {

using namespace solvane;
using Clock = std::chrono::steady_clock;

constexpr int kFrames = 100;
constexpr double kTargetMs = 1.5;

QImage photograph() {
  QImage image(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
  QPainter p(&image);
  QRadialGradient g(QPointF(900, 500), 1200);
  g.setColorAt(0, QColor(250, 240, 210));
  g.setColorAt(1, QColor(30, 80, 140));
  p.fillRect(image.rect(), g);
  return image;
}

// A song with its lyric and karaoke file; between 00:04 and 00:08 the lyric line and both
// karaoke lines are on screen and slot B is wiping. Three captions enter at 00:00. With
// `wordTimed` one word-timed LRC file is the lyric (its line of 00:04 with a translation
// under it) and the karaoke.
void buildAlbum(Project& p, const QString& folder, bool wordTimed) {
  writeWholeFile(folder + "/song.lrc",
                 encodeGbk(QStringLiteral("[00:01.00]月亮代表我的心 你问我爱你有多深\n")));
  writeWholeFile(folder + "/song.ksc",
                 encodeGbk(QStringLiteral(
                     "karaoke.add('00:02.000', '00:04.000', '轻轻的一个吻', '300,300,300,300,400,400');\n"
                     "karaoke.add('00:04.000', '00:09.000', '已经打动我的心', '700,700,700,700,700,700,800');\n")));
  writeWholeFile(folder + "/words.lrc",
                 encodeGbk(QStringLiteral(
                     "[00:02.000]<00:02.000>轻<00:02.300>轻<00:02.600>的<00:02.900>一<00:03.200>个"
                     "<00:03.600>吻<00:04.000>\n"
                     "[00:04.000]<00:04.000>已<00:04.700>经<00:05.400>打<00:06.100>动<00:06.800>我"
                     "<00:07.500>的<00:08.200>心<00:09.000>\n"
                     "[00:04.000]It has already moved my heart\n")));
  const QString lrc = folder + (wordTimed ? "/words.lrc" : "/song.lrc");
  const QString ksc = folder + (wordTimed ? "/words.lrc" : "/song.ksc");
  p.ListView_daoru_yinyue.append({"1", "song", ".mp3", folder + "/song.mp3", "00:01:00", "1500",
                                  "k", "song"});
  p.ListView_daoru_LRC.append({"1", "song", ".lrc", lrc, "k", "song", "clWhite",
                               "16777215", "10", "黑体", "cuti", "wu", "wu", "juzhong", "xiamian"});
  p.suiListView_ksc.append({"1", "song", "clWhite", "clBlue", "黑体", "25", "T", "F", "F",
                            ksc, "16777215", "16711680", "jianti"});
  const QLatin1String motions[] = {motion::congzuoxiangyou, motion::zuoshangxiangyouxia,
                                   motion::congyouxiangzuo};
  const char* captions[] = {"生日快乐", "Happy birthday 2026", "一家人在一起"};
  for (int i = 0; i < 3; ++i)
    p.ListView_Label.append({QString::fromUtf8(captions[i]), "00:00", "暂无", "tingzhi",
                             motions[i], "0", QString::number(150 + 250 * i), "", "clWhite",
                             "黑体", "20", "0", "0", "0", "16777215"});
}

// Milliseconds per frame of `frame(f)`, the best of a few rounds: the machine is shared,
// and the best round is the one least disturbed by other work.
template <typename Fn>
double bestMsPerFrame(int rounds, int frames, Fn frame) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    const auto t0 = Clock::now();
    for (int f = 0; f < frames; ++f) frame(round * frames + f);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    best = std::min(best, ms / frames);
  }
  return best;
}

// The same labels with their text outlined and drawn anew on every frame.
double redrawMs(OverlayPanel& panel, const QImage& photo) {
  const OverlayLabel* labels[] = {&panel.Label_LRC, &panel.Label_ksc_A1, &panel.Label_ksc_A2,
                                  &panel.Label_ksc_B1, &panel.Label_ksc_B2,
                                  &panel.textEffectLabel(0), &panel.textEffectLabel(1),
                                  &panel.textEffectLabel(2)};
  QImage frame = photo;
  return bestMsPerFrame(3, 2, [&](int) {
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    for (const OverlayLabel* l : labels) {
      const QPointF baseline = l->pos() + QPointF(2, QFontMetrics(l->font()).ascent());
      QPainterPath path;
      path.addText(baseline, l->font(), l->text());
      p.strokePath(path, QPen(QColor(0, 0, 0, 200), 4));
      p.setFont(l->font());
      p.drawText(baseline, l->text());
    }
  });
}

// The album's overlay from 00:04 on, advanced and composited frame by frame. Compositing
// over the same picture again and again does the same blending work as over a fresh copy
// each frame; the copy is the driver's cost and is shown apart.
double cachedMs(FrameOverlay& overlay, const QImage& photo) {
  overlay.start();
  long long frame = 0;
  while (frame < 100) overlay.advance(FrameClockText(++frame));  // 00:04
  QImage picture = photo;
  return bestMsPerFrame(4, kFrames / 4, [&](int) {
    overlay.advance(FrameClockText(++frame));
    overlay.composite(picture);
  });
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  loadFontAliases();  // 黑体, 宋体, 微软雅黑 as the albums name them
  QGuiApplication app(argc, argv);
  QTemporaryDir folder;
  const QImage photo = photograph();

  Project project;
  buildAlbum(project, folder.path(), false);
  FrameOverlay overlay(project);
  const double cached = cachedMs(overlay, photo);
  const double redraw = redrawMs(overlay.panel(), photo);

  Project wordProject;
  buildAlbum(wordProject, folder.path(), true);
  FrameOverlay wordOverlay(wordProject);
  const double words = cachedMs(wordOverlay, photo);
  const bool met = cached <= kTargetMs && words <= kTargetMs;
  const double copy = bestMsPerFrame(3, kFrames, [&](int) {
    QImage fresh = photo;
    fresh.detach();
  });

  std::printf("overlay per 1920x1080 frame (1 lyric, 2 karaoke + fills, 3 moving texts)\n");
  std::printf("  cached labels, advanced and composited: %.3f ms  (target <= %.1f ms: %s)\n",
              cached, kTargetMs, cached <= kTargetMs ? "met" : "MISSED");
  std::printf("  the same from a word-timed LRC with a translation as lyric and karaoke:\n"
              "                                          %.3f ms  (%.2fx the KSC album)\n",
              words, cached > 0 ? words / cached : 0.0);
  std::printf("  texts redrawn every frame:              %.3f ms  (%.0fx the cached cost)\n",
              redraw, cached > 0 ? redraw / cached : 0.0);
  std::printf("  copying the photograph, for scale:      %.3f ms\n", copy);
  return met ? 0 : 1;
}
