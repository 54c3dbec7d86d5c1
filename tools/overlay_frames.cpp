// Saves sample album frames with their overlay as PNG pictures, to look at the lyric line,
// the karaoke wipe and a moving caption the way the album draws them.
//   overlay_frames OUT_DIR [PHOTO.jpg]
// Without a photograph the frames lie over a bright gradient (the hard case for white text).
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "effects/text_motion.h"
#include "model/error.h"
#include "model/file_io.h"
#include "model/fonts.h"
#include "model/project.h"
#include "model/text_codec.h"
#include "model/frame_clock.h"
#include "render/frame_overlay.h"

namespace {

using namespace solvane;

const char kLrc[] =
    "[ti:示例]\n"
    "[00:01.00]月亮代表我的心\n"
    "[00:05.00]你问我爱你有多深\n"
    "[00:09.00]我爱你有几分\n";

const char kKsc[] =
    "karaoke.add('00:02.000', '00:05.000', '轻轻的一个吻', '500,500,400,600,500,500');\n"
    "karaoke.add('00:05.500', '00:08.500', '已经打动我的心', '400,400,400,500,500,400,400');\n"
    "karaoke.add('00:09.000', '00:11.000', '深深的[love]情', '400,400,700,500');\n";

QImage background(const QString& photo) {
  QImage picture(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32);
  if (!photo.isEmpty()) {
    QImage loaded(photo);
    if (loaded.isNull()) throw Error(QStringLiteral("%1: not a picture").arg(photo));
    QPainter(&picture).drawImage(picture.rect(), loaded);
    return picture;
  }
  QPainter p(&picture);
  QLinearGradient g(0, 0, kCanvasWidth, kCanvasHeight);
  g.setColorAt(0, QColor(250, 245, 225));
  g.setColorAt(1, QColor(120, 170, 220));
  p.fillRect(picture.rect(), g);
  return picture;
}

void buildProject(Project& p, const QString& folder) {
  const QString lrc = folder + "/sample.lrc";
  const QString ksc = folder + "/sample.ksc";
  writeWholeFile(lrc, encodeGbk(QString::fromUtf8(kLrc)));
  writeWholeFile(ksc, encodeGbk(QString::fromUtf8(kKsc)));
  p.ListView_daoru_yinyue.append({"1", "sample", ".mp3", folder + "/sample.mp3", "00:00:14",
                                  "350", "key1", "sample"});
  p.ListView_daoru_LRC.append({"1", "sample", ".lrc", lrc, "key1", "sample", "clWhite",
                               "16777215", "12", "黑体", "cuti", "wu", "wu", "juzhong",
                               "shangmian"});
  p.suiListView_ksc.append({"1", "sample", "clWhite", "clBlue", "黑体", "25", "T", "F", "F", ksc,
                            "16777215", "16711680", "jianti"});
  p.ListView_Label.append({"生日快乐 Happy Birthday", "00:02", "暂无", "tingzhi",
                           motion::congzuoxiangyou, "0", "300", "从1/3左上向1/3右上(横)",
                           "clYellow", "黑体", "16", "0", "0", "0", "65535"});
  p.ListView_Label.append({"一家人", "00:03", "暂无", "tingzhi", motion::youshangdaozuoxia, "0",
                           "0", "从右上到左下", "clWhite", "宋体", "20", "0", "0", "0",
                           "16777215"});
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  loadFontAliases();  // 黑体, 宋体, 微软雅黑 as the albums name them
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: overlay_frames OUT_DIR [PHOTO.jpg]\n");
    return 2;
  }
  try {
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir scratch;
    Project project;
    buildProject(project, scratch.path());
    const QImage photo = background(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());

    FrameOverlay overlay(project);
    overlay.start();
    const int keep[] = {30, 52, 60, 70, 80, 90, 110, 140, 170, 240};
    long long frame = 0;
    for (int wanted : keep) {
      while (frame < wanted) overlay.advance(FrameClockText(++frame));
      QImage picture = photo;
      overlay.composite(picture);
      const QString path = QStringLiteral("%1/overlay_%2.png").arg(out).arg(frame, 4, 10, QLatin1Char('0'));
      if (!picture.save(path)) throw Error(QStringLiteral("%1: cannot write").arg(path));
      std::printf("%s  (album clock %s)\n", qPrintable(path), qPrintable(FrameClockText(frame)));
    }
    for (const QString& problem : overlay.problems())
      std::fprintf(stderr, "%s\n", qPrintable(problem));
  } catch (const Error& e) {
    std::fprintf(stderr, "overlay_frames: %s\n", e.what());
    return 1;
  }
  return 0;
}
