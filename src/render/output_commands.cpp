#include "render/output_commands.h"

#include <array>

#include <QDir>
#include <QFileInfo>

#include "effects/album_settings.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"

namespace solvane {
namespace {

const QString kTipUpTo720 = QStringLiteral("画面效果最高达到1280*720");
const QString kTipUpTo1080 = QStringLiteral("画面效果最高达到1920*1080");

const std::array<OutputCommand, 6>& commands() {
  static const std::array<OutputCommand, 6> table = {{
      {"VCD", QString(word::VCD), ".mpg", kTipUpTo720, QStringLiteral("VCD 格式相册|*.mpg")},
      {"SVCD", QString(word::SVCD), ".mpg", kTipUpTo720, QStringLiteral("SVCD 格式相册|*.mpg")},
      {"DVD", QString(word::DVD), ".mpg", kTipUpTo1080, QStringLiteral("DVD 格式相册|*.mpg")},
      {"AVI", QString(word::AVI), ".avi", kTipUpTo1080, QStringLiteral("AVI 格式相册|*.avi")},
      {"MP4", QString(word::MP4), ".mp4",
       QStringLiteral("手机、电脑、电视和网站都能播放, ") + kTipUpTo1080,
       QStringLiteral("MP4 视频文件(*.mp4)|*.mp4")},
      {QStringLiteral("序列图"), QString(word::XLTP), QString(),
       QStringLiteral("生成序列图片, 支持输出JPG,BMP,TGA,PCX, 画面效果最高达到1920*1080"), QString()},
  }};
  return table;
}

void tell(const OutputInteraction& interaction, const QString& message) {
  if (interaction.showMessage) interaction.showMessage(message);
}

// The image-sequence folder must be new: pictures of another sequence would mix with ours.
std::optional<QString> claimSequenceFolder(const QString& typed,
                                           const OutputInteraction& interaction) {
  const QString folder = QDir::cleanPath(typed);
  if (QFileInfo::exists(folder)) {
    tell(interaction, kNameExistsMessage);
    return std::nullopt;
  }
  EnsureFolder(folder);
  return folder;
}

}  // namespace

const OutputCommand& outputCommand(const QString& kind) {
  for (const auto& command : commands())
    if (command.kind == kind) return command;
  throw Error(QStringLiteral("unknown output kind \"%1\"").arg(kind));
}

QString saveFilter(const QString& kind, const QString& format) {
  if (kind == word::XLTP)
    return QStringLiteral("生成 ") + format + QStringLiteral(" 序列图片|*.") + format;
  return outputCommand(kind).filter;
}

std::optional<OutputTarget> PrepareOutput(Project& project, const QString& kind,
                                          const OutputInteraction& interaction) {
  const OutputCommand& command = outputCommand(kind);
  if (project.ListView_daoruxiangpian.empty()) {
    tell(interaction, kNoPhotosMessage);
    return std::nullopt;
  }
  project.Edit_VCDSVCDDVD_leixing = command.kind;

  OutputSizeWindow& sizeWindow = project.Form39;
  sizeWindow.prepare(command.kind, project.Edit_huanmian_zhiliang);
  if (interaction.confirmSize) interaction.confirmSize(sizeWindow);
  if (sizeWindow.cancelled()) return std::nullopt;

  const bool sequence = command.kind == word::XLTP;
  const QString filter = saveFilter(command.kind, sizeWindow.format);
  std::optional<QString> typed =
      interaction.askSaveName ? interaction.askSaveName(filter) : std::nullopt;
  if (!typed || typed->trimmed().isEmpty()) return std::nullopt;

  OutputTarget target;
  const OutputSize confirmed = sizeWindow.size();
  target.frameSize = QSize(confirmed.width, confirmed.height);
  if (sequence) {
    std::optional<QString> folder = claimSequenceFolder(*typed, interaction);
    if (!folder) return std::nullopt;
    target.path = imageSequenceOutputPath(*folder, sizeWindow.format);
    target.name = QFileInfo(*folder).fileName();
  } else {
    target.path = albumOutputPath(*typed, command.ending);
    target.name = outputNameOf(target.path);
  }

  if (needsLyricTypeChoice(project) && interaction.chooseLyricType) interaction.chooseLyricType();
  return target;
}

QString albumOutputPath(const QString& typed, const QString& ending) {
  if (typed.endsWith(ending, Qt::CaseInsensitive)) return typed;
  return typed + ending;
}

QString imageSequenceOutputPath(const QString& folder, const QString& format) {
  return folder + QStringLiteral("/01.") + format;
}

QString outputNameOf(const QString& path) {
  const QString file = QFileInfo(path).fileName();
  const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
  return dot > 0 ? file.left(dot) : file;
}

bool needsLyricTypeChoice(const Project& project) {
  return !project.ListView_daoru_yinyue.empty() && !project.suiListView_ksc.empty();
}

}  // namespace solvane
