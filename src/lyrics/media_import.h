#pragma once
// Adding music and lyric files to the project: one row per file, pairing by position with
// the rows of the other kind, pane thumbnails and the rebuilt pane lists.
#include <QString>
#include <QStringList>

#include "model/job.h"
#include "model/project.h"
#include "model/workspace.h"

namespace solvane {

struct ImportResult {
  int added = 0;
  // One text per file left out, naming the file and the reason ("a.mp3: it holds no
  // audio"), and per pane picture that could not be written. The caller shows them; a
  // file left out left no row behind.
  QStringList messages;
  // True when the pane has rows and should be rebuilt and shown in thumbnail view.
  bool showPane = false;
};

// The file name without folder, minus its last four characters (".mp3").
QString importedFileName(const QString& path);
// The extension with its dot as spelled in the path (".MP3"), empty when there is none.
QString importedFileType(const QString& path);

// Measures each file and appends a music row; a file that cannot be measured is left out
// and reported. Then pairs unbound rows by position with the lyric rows, draws every music
// thumbnail and rebuilds the music list. Progress runs over 2 × paths.size() steps.
ImportResult ImportMusicFiles(Project& project, const Workspace& workspace,
                              const QStringList& paths, const JobControl& job = {});

// Appends a lyric row with the default style for each file (contents are read later), pairs
// by position with the music rows, draws the lyric thumbnails and rebuilds the lyric list.
ImportResult ImportLyricFiles(Project& project, const Workspace& workspace,
                              const QStringList& paths, const JobControl& job = {});

// Workspace paths of the pane thumbnails of row `index` (0-based).
QString musicThumbnailPath(const Workspace& workspace, int index);
QString lyricThumbnailPath(const Workspace& workspace, int index);

}  // namespace solvane
