#include "render/album_render.h"

#include <chrono>
#include <memory>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/workspace.h"
#include "render/conversion_job.h"
#include "render/frame_overlay.h"
#include "render/output_commands.h"
#include "render/pool_thread.h"
#include "render/render_driver.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

// Lines of the conversion's progress list that report progress; any other line is the
// converter's own account of a failure.
bool isProgressLine(const QString& line) {
  static const QStringList prefixes = {
      "Total frames:", "Total samples:", "Starting conversion...", "Preparing conversion...",
      "Processing time:", "Reducing colors", "Frame: ", "Multiplexing done:",
      "Conversion ended.", "Nothing to convert."};
  for (const QString& prefix : prefixes)
    if (line.startsWith(prefix)) return true;
  return false;
}

// The image-sequence folder was made new for this album; without an album it goes again.
void removeUnfinishedSequence(const Project& project, const OutputTarget& target) {
  if (project.Edit_VCDSVCDDVD_leixing != word::XLTP) return;
  QDir folder = QFileInfo(target.path).dir();
  folder.removeRecursively();
}

}  // namespace

AlbumResult RenderAlbum(Project& project, const Workspace& workspace, const OutputTarget& target,
                        const JobControl& control,
                        const std::function<void(const QString& message)>& tell) {
  const QFileInfo before(target.path);
  const QDateTime previousWrite = before.exists() ? before.lastModified() : QDateTime();

  TemplatePlayer player;
  RenderDriver driver(project, workspace, player);
  std::shared_ptr<FrameHandoff> handoff = FrameHandoff::shared();
  const QString framePath = driver.framePicturePath();
  driver.setFramePublisher([&](const QImage& frame) { handoff->publish(framePath, frame); });
  FrameOverlay overlay(project);
  driver.setOverlayHooks(overlay.hooks());

  const auto started = std::chrono::steady_clock::now();
  try {
    driver.StartAlbum();
  } catch (...) {
    removeUnfinishedSequence(project, target);
    throw;
  }
  const long long total = driver.frameCount();

  AlbumOrder order;
  order.ListBox_Video = QStringList(total, framePath);
  order.ListBox_Audio = driver.soundList();
  order.Edit_VCDSVCDDVD_leixing = project.Edit_VCDSVCDDVD_leixing;
  order.Edit_VCDSVCDDVD_zhishi = project.Edit_VCDSVCDDVD_zhishi;
  order.Edit_huanmian_zhiliang = project.Edit_huanmian_zhiliang;
  order.Edit_tongbu_shezhi = project.Edit_tongbu_shezhi;
  order.edVideoOut = target.path;
  order.edAudioOut = target.path;
  if (target.frameSize.isValid()) order.frameSize = target.frameSize;

  long long done = 0;
  bool finishArmed = false;
  bool stopping = false;
  QStringList failures;
  std::unique_ptr<ConversionJob> job;
  ConversionHost host;
  // A frame that cannot be made (a damaged movie) stops the conversion like "停止制作", so
  // the converter removes what it wrote; the reason is reported once it has returned.
  QString renderFailure;
  host.frameStep = [&] {
    if (!renderFailure.isEmpty()) return;
    try {
      driver.FrameStep();
    } catch (const Error& e) {
      renderFailure = e.message();
      stopping = true;
      job->FinishAlbum();
      return;
    }
    control.report(++done, total);
  };
  host.armFinishTimer = [&] { finishArmed = true; };
  host.disarmFinishTimer = [&] { finishArmed = false; };
  host.lineAdded = [&](const QString& line) {
    if (!isProgressLine(line)) failures << line;
  };
  // Between frames: a stop request works like "停止制作", and the finishing timer fires.
  host.processEvents = [&] {
    if (control.stopRequested() && !stopping) {
      stopping = true;
      job->StopCommand();
    }
    if (finishArmed && stopping) {
      finishArmed = false;
      job->FinishAlbum();
    }
  };
  job = std::make_unique<ConversionJob>(workspace, host, handoff);
  runAsAlbumPainter([&] { job->ConvertAlbum(order); });
  if (finishArmed) job->FinishAlbum();
  handoff->withdraw(framePath);
  // Unreadable lyric or karaoke files cost only their lines; say which ones.
  if (tell)
    for (const QString& problem : overlay.problems()) tell(problem);
  overlay.ReleaseOverlayItems();

  const QFileInfo after(target.path);
  const bool written = after.exists() && (!previousWrite.isValid() || after.lastModified() != previousWrite);
  if (control.stopRequested() || !renderFailure.isEmpty() || !written) {
    removeUnfinishedSequence(project, target);
    if (!renderFailure.isEmpty()) throw Error(renderFailure);
    control.checkStop();
    if (failures.isEmpty() && total == 0) failures << QStringLiteral("Nothing to convert.");
    throw Error(failures.isEmpty() ? QStringLiteral("%1: the album was not written").arg(target.path)
                                   : failures.join(QLatin1Char('\n')));
  }

  AlbumResult result;
  result.path = target.path;
  result.frames = total;
  result.seconds = double(total) / 25.0;
  result.renderSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace solvane
