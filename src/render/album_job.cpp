#include "render/album_job.h"

#include <chrono>

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "lyrics/media_import.h"
#include "model/error.h"
#include "model/project.h"
#include "model/startup.h"
#include "model/work_paths.h"
#include "model/workspace.h"
#include "photos/photo_import.h"
#include "render/conversion_job.h"
#include "render/frame_overlay.h"
#include "render/output_commands.h"
#include "render/pool_thread.h"
#include "render/render_driver.h"
#include "templates/catalog.h"
#include "templates/template_assignment.h"
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

void stage(const AlbumEvents& events, const QString& title, bool frames = false) {
  if (events.stage) events.stage(title, frames);
}

void tell(const AlbumEvents& events, const QString& message) {
  if (!message.isEmpty() && events.message) events.message(message);
}

void loadLibrary(Project& project, const Workspace& workspace, const AlbumEvents& events,
                 const JobControl& control) {
  stage(events, QStringLiteral("读取模板库"));
  prepareWorkingTree(workspace);
  loadTemplateCatalogs(project, workspace, control);
  if (project.ListView_mobancanshu.empty())
    throw Error(QStringLiteral("No template library is installed under %1.")
                    .arg(QDir::cleanPath(workspace.LibraryPath(work_path::tree))));
}

// A seed from the clock, as every random choice of the system starts from it; with it named,
// the album can be made again.
unsigned clockSeed() {
  const auto ticks = static_cast<unsigned long long>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  return static_cast<unsigned>(ticks ^ (ticks >> 32));
}

unsigned importMedia(Project& project, const Workspace& workspace, const AlbumOptions& options,
                     const AlbumEvents& events, const JobControl& control) {
  const QStringList photos = expandPhotoArguments(options.photos);
  stage(events, QStringLiteral("导入相片 (%1)").arg(photos.size()));
  project.crop_settings = options.crops;
  const unsigned seed = options.drawSeed.value_or(clockSeed());
  if (!options.drawSeed)
    tell(events, QStringLiteral("templates drawn with seed %1 (--seed %1 makes this album again)").arg(seed));
  PhotoImportOptions importOptions;
  importOptions.draw = seededDraw(seed);
  const PhotoImportResult imported = importPhotos(project, workspace, photos, importOptions, control);
  tell(events, imported.message);

  if (!options.music.isEmpty()) {
    stage(events, QStringLiteral("导入音乐 (%1)").arg(options.music.size()));
    for (const QString& m : ImportMusicFiles(project, workspace, options.music, control).messages)
      tell(events, m);
  }
  if (!options.lyrics.isEmpty()) {
    stage(events, QStringLiteral("导入歌词 (%1)").arg(options.lyrics.size()));
    for (const QString& m : ImportLyricFiles(project, workspace, options.lyrics, control).messages)
      tell(events, m);
  }
  return seed;
}

// The output command without windows: the size window takes the chosen picture format, the
// save dialog answers with the name given. A message of the command stops the album.
OutputTarget chooseOutput(Project& project, const AlbumOptions& options) {
  QString refusal;
  OutputInteraction interaction;
  interaction.confirmSize = [&](OutputSizeWindow& window) {
    if (window.formatChoiceVisible()) window.chooseFormat(options.format);
  };
  interaction.askSaveName = [&](const QString&) { return std::optional<QString>(options.output); };
  interaction.showMessage = [&](const QString& message) { refusal = message; };
  std::optional<OutputTarget> target = PrepareOutput(project, options.kind, interaction);
  if (!target) throw Error(refusal.isEmpty() ? QStringLiteral("no output chosen") : refusal);
  if (options.kind != QLatin1String("XLTP") && QFileInfo::exists(target->path) && !options.overwrite)
    throw Error(kNameExistsMessage + QStringLiteral(" (%1; --overwrite replaces it)").arg(target->path));
  // Like the image-sequence folder, the album's folder is made when it is missing.
  EnsureFolder(QFileInfo(target->path).absolutePath());
  return *target;
}

// The image-sequence folder was made new for this album; without an album it goes again.
void removeUnfinishedSequence(const AlbumOptions& options, const OutputTarget& target) {
  if (options.kind != QLatin1String("XLTP")) return;
  QDir folder = QFileInfo(target.path).dir();
  folder.removeRecursively();
}

}  // namespace

unsigned PrepareAlbumProject(Project& project, const AlbumOptions& options, const Workspace& workspace,
                             const AlbumEvents& events, const JobControl& control) {
  loadLibrary(project, workspace, events, control);
  const unsigned seed = importMedia(project, workspace, options, events, control);
  applyAlbumSettings(project, options);
  applyOverlayOptions(project, options.overlay);
  return seed;
}

AlbumResult MakeAlbum(const AlbumOptions& options, const Workspace& workspace,
                      const AlbumEvents& events, const JobControl& control) {
  Project project;
  const unsigned seed = PrepareAlbumProject(project, options, workspace, events, control);
  const OutputTarget target = chooseOutput(project, options);
  const QFileInfo before(target.path);
  const QDateTime previousWrite = before.exists() ? before.lastModified() : QDateTime();

  TemplatePlayer player;
  RenderDriver driver(project, workspace, player);
  std::shared_ptr<FrameHandoff> handoff = FrameHandoff::shared();
  const QString framePath = driver.framePicturePath();
  driver.setFramePublisher([&](const QImage& frame) { handoff->publish(framePath, frame); });
  FrameOverlay overlay(project);
  driver.setOverlayHooks(overlay.hooks());

  stage(events, QStringLiteral("制作相册"), true);
  const auto started = std::chrono::steady_clock::now();
  driver.StartAlbum();
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
  // Between frames: Ctrl-C works like "停止制作", and the finishing timer fires.
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
  // With few cores the encoder, the scaler and the painter keep them all busy, and Qt's own
  // splitting of every large fill over its pool costs more than it gains; painting on a pool
  // thread turns it off. With cores to spare the splitting is left to speed up painting.
  const auto convert = [&] { job->ConvertAlbum(order); };
  constexpr int kFewCores = 4;
  if (QThread::idealThreadCount() <= kFewCores)
    runOnPoolThread(convert);
  else
    convert();
  if (finishArmed) job->FinishAlbum();
  handoff->withdraw(framePath);
  // Unreadable lyric or karaoke files cost only their lines; say which ones.
  for (const QString& problem : overlay.problems()) tell(events, problem);
  overlay.ReleaseOverlayItems();

  const QFileInfo after(target.path);
  const bool written = after.exists() && (!previousWrite.isValid() || after.lastModified() != previousWrite);
  if (control.stopRequested() || !renderFailure.isEmpty() || !written) {
    removeUnfinishedSequence(options, target);
    if (!renderFailure.isEmpty()) throw Error(renderFailure);
    control.checkStop();
    throw Error(failures.isEmpty() ? QStringLiteral("%1: the album was not written").arg(target.path)
                                   : failures.join(QLatin1Char('\n')));
  }

  AlbumResult result;
  result.path = target.path;
  result.frames = total;
  result.drawSeed = seed;
  result.seconds = double(total) / 25.0;
  result.renderSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace solvane
