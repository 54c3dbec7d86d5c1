#include "converter_test_album.h"

#include <QColor>
#include <QString>

namespace solvane::test {

QRgb pictureColour(int k) { return QColor::fromHsv((k * 67) % 360, 190, 200).rgb(); }

QImage albumPicture(int k, int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(pictureColour(k));
  return picture;
}

AlbumResult convertAlbum(const AlbumPlan& plan, const std::filesystem::path& output,
                         const std::filesystem::path& framePath) {
  AlbumResult result;
  const QString frame = QString::fromStdString(framePath.string());
  auto handoff = std::make_shared<FrameHandoff>();
  const auto picture = [&](int k) { return albumPicture(plan.still ? 0 : k, plan.pictureWidth, plan.pictureHeight); };
  handoff->publish(frame, picture(0));

  Converter converter;
  converter.setFrameHandoff(handoff);
  FrameList frames;
  SoundList sounds;
  for (int i = 0; i < plan.pictures; ++i) frames.add(frame, kListPicture);
  for (const auto& song : plan.songs) sounds.add(QString::fromStdString(song.string()), kListSound);

  converter.assignVideoSource([&](VideoSource& s, int i) {
    if (auto name = frames.getName(i)) s.setFile(*name); else s.finished();
  });
  converter.assignAudioSource([&](AudioSource& s, int i) {
    if (auto name = sounds.getName(i)) s.setFile(*name); else s.finished();
  });
  converter.assignVideoFunc([&](int i, const QImage&) {
    ++result.videoFunctionCalls;
    handoff->publish(frame, picture(i + 1));
    if (plan.onFrame) plan.onFrame(converter, i);
  });
  converter.assignAudioFunc([] {});
  converter.assignProgress([&](int status, long long, long long, int) { result.statuses.push_back(status); });
  converter.assignError([&](int code, int& action) {
    result.reportedErrors.push_back(code);
    action = plan.errorAction;
  });
  if (plan.preset) converter.setFormatPreset(*plan.preset, plan.standard);
  converter.setKeepDuration(plan.keepDuration);
  converter.setTruncateAudioToVideo(plan.truncate);
  if (plan.width > 0) converter.setVideoFormat(plan.width, plan.height, 32);
  const QString out = QString::fromStdString(output.string());
  converter.setVideoFileName(out);
  converter.setAudioFileName(out);
  result.ok = converter.convert();
  result.error = converter.getError();
  result.errorText = converter.getErrorStr();
  return result;
}

}  // namespace solvane::test
