#include "support/album_fixtures.h"

#include <cstdlib>

#include <QDir>
#include <QFileInfo>

#include "model/columns.h"
#include "model/file_io.h"
#include "model/project.h"
#include "model/workspace.h"

namespace solvane::test {

QByteArray markerMovie(int frames, const QColor& marker) {
  const int last = std::max(1, frames - 1);
  return QStringLiteral(
             R"({"format": "solvane-movie", "version": 1, "name": "marker", "frames": %1,
  "layers": [
    {"kind": "picture", "source": "picture_0", "box": [0, 0, 1920, 1080]},
    {"kind": "solid", "color": "%2", "box": [0, %3, %4, %4],
     "x": [[0, 0], [%5, %6, "linear"]]}
  ]})")
      .arg(frames)
      .arg(marker.name())
      .arg(kMarkerRow - kMarkerStep / 2)
      .arg(kMarkerStep)
      .arg(last)
      .arg(last * kMarkerStep)
      .toUtf8();
}

void stageInstance(Project& project, const Workspace& workspace, int n, const QByteArray& movie,
                   int frames) {
  const QString number = QString::number(n);
  const QString path = workspace.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_") +
                                          number + QStringLiteral("\\w_j_") + number + ".rar");
  QDir().mkpath(QFileInfo(path).path());
  writeWholeFile(path, movie);

  QStringList row(photo_col::count_);
  row[photo_col::seq] = QString::number(project.ListView_daoruxiangpian.count() + 1);
  row[photo_col::path] = QStringLiteral("/photos/p%1.jpg").arg(n);
  row[photo_col::template_folder] = number;
  row[photo_col::template_no] = QString::number(n + 10);
  row[photo_col::template_photo_count] = "1";
  row[photo_col::picture_name] = "picture_1";
  row[photo_col::template_path] = QStringLiteral("lib/t%1.rar").arg(n);
  row[photo_col::tpl_orientation] = "|heng|";
  row[photo_col::tpl_jpg_name] = "|picture_1|";
  row[photo_col::tpl_frame_count] = QString::number(frames);
  row[photo_col::thumb_done] = "jiancai_yes";
  row[photo_col::crop_done] = "jiancai_yes";
  project.ListView_daoruxiangpian.append(row);
  if (project.Edit_mobanleijia_sum.toInt() < n) project.Edit_mobanleijia_sum = number;
}

void stageClosingMovie(const Workspace& workspace, const QByteArray& movie) {
  const QString path =
      workspace.WorkPath(QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_zuihou\\w_j_zuihou.rar"));
  QDir().mkpath(QFileInfo(path).path());
  writeWholeFile(path, movie);
}

void addMusicRow(Project& project, const QString& path, int framesNeeded) {
  Table& music = project.ListView_daoru_yinyue;
  music.append({QString::number(music.count() + 1), QFileInfo(path).completeBaseName(), ".mp3",
                path, "00:00:00", QString::number(framesNeeded), "wu", "wu"});
}

int markerFrame(const QImage& picture, const QColor& marker) {
  const QImage image = picture.width() == 1920 ? picture : picture.scaled(1920, 1080);
  const int y = kMarkerRow;
  auto near = [&](QRgb p) {
    return std::abs(qRed(p) - marker.red()) < 60 && std::abs(qGreen(p) - marker.green()) < 60 &&
           std::abs(qBlue(p) - marker.blue()) < 60;
  };
  // The marker's centre column decides, so a half-pixel shift never changes the answer.
  for (int x = 0; x < image.width(); ++x) {
    if (!near(image.pixel(x, y))) continue;
    int end = x;
    while (end + 1 < image.width() && near(image.pixel(end + 1, y))) ++end;
    if (end - x + 1 < kMarkerStep / 2) continue;  // a stray edge pixel
    return ((x + end) / 2) / kMarkerStep;
  }
  return -1;
}

bool isBlack(const QImage& picture) {
  for (int y = 0; y < picture.height(); y += 37)
    for (int x = 0; x < picture.width(); x += 41)
      if (qGray(picture.pixel(x, y)) > 16) return false;
  return true;
}

}  // namespace solvane::test
