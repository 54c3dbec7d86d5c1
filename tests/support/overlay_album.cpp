#include "support/overlay_album.h"

#include "model/frame_clock.h"
#include "model/text_codec.h"

namespace solvane::test {

OverlayAlbum::OverlayAlbum() : overlay_(project) {}

void OverlayAlbum::addSong(long long frames, const QString& lrc, const QString& ksc) {
  addSongFiles(frames, lrc.isNull() ? std::nullopt : std::optional(encodeGbk(lrc)),
               ksc.isNull() ? std::nullopt : std::optional(encodeGbk(ksc)));
}

void OverlayAlbum::addSongFiles(long long frames, const std::optional<QByteArray>& lrc,
                                const std::optional<QByteArray>& karaoke,
                                const QString& karaokeEnding) {
  const int n = project.ListView_daoru_yinyue.count() + 1;
  const QString key = QStringLiteral("2026-12-10 01:00:00%1").arg(n);
  const QString name = QStringLiteral("song%1").arg(n);
  project.ListView_daoru_yinyue.append(
      {QString::number(n), name, ".mp3", QStringLiteral("/music/song%1.mp3").arg(n), "00:00:02",
       QString::number(frames), lrc ? key : "wu", lrc ? name : "wu"});
  if (lrc) {
    const auto path = dir_ / (name + ".lrc").toStdString();
    writeFile(path, *lrc);
    project.ListView_daoru_LRC.append(
        {QString::number(project.ListView_daoru_LRC.count() + 1), name, ".lrc",
         QString::fromStdString(path.string()), key, name, "clYellow", "65535", "10", "黑体",
         "cuti", "wu", "wu", "juzhong", "xiamian"});
  }
  if (karaoke) {
    const auto path = dir_ / (name + "_karaoke" + karaokeEnding).toStdString();
    writeFile(path, *karaoke);
    project.suiListView_ksc.append(
        {QString::number(project.suiListView_ksc.count() + 1), name, "clWhite", "clBlue", "黑体",
         "25", "T", "F", "F", QString::fromStdString(path.string()), "16777215", "16711680",
         "jianti"});
  }
}

void OverlayAlbum::addText(const QString& start, QLatin1String motion, const QString& bold) {
  project.ListView_Label.append({QStringLiteral("生日快乐"), start, "暂无", "tingzhi", motion,
                                 "0", "300", "从左向右", "clWhite", "黑体", "20", bold, "0", "0",
                                 "16777215"});
}

void OverlayAlbum::frame() {
  ++frames_;
  overlay_.advance(FrameClockText(frames_));
}

void OverlayAlbum::frames(int n) {
  for (int i = 0; i < n; ++i) frame();
}

QString kscLine(const char* start, const char* end, const char* text, const char* durations) {
  return QStringLiteral("karaoke.add('%1', '%2', '%3', '%4');\n")
      .arg(start, end, QString::fromUtf8(text), durations);
}

}  // namespace solvane::test
