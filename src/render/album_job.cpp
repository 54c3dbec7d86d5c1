#include "render/album_job.h"


#include <QDir>
#include <QFileInfo>

#include "lyrics/media_import.h"
#include "model/error.h"
#include "model/project.h"
#include "model/startup.h"
#include "model/work_paths.h"
#include "model/workspace.h"
#include "photos/photo_import.h"
#include "render/output_commands.h"
#include "templates/catalog.h"
#include "templates/template_assignment.h"

namespace solvane {
namespace {

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
  stage(events, QStringLiteral("制作相册"), true);
  AlbumResult result = RenderAlbum(project, workspace, target, control,
                                   [&](const QString& message) { tell(events, message); });
  result.drawSeed = seed;
  return result;
}

}  // namespace solvane
