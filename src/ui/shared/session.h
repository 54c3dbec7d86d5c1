#pragma once
// What every window of one run shares: the project, the working tree, the way to ask the
// user, and whether a job is writing the project right now (then nothing on the
// user-interface thread may read it).
#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QUrl>

#include "lyrics/playback.h"
#include "model/project.h"
#include "model/workspace.h"

namespace solvane::ui {

class UserQuestions;

struct Session {
  Session(Workspace ws, UserQuestions& asker) : workspace(std::move(ws)), questions(asker) {}

  Project project;
  Workspace workspace;
  UserQuestions& questions;
  // True while a job runs on the project; views keep what they show until it ends.
  bool busy = false;
  // The folders the choosers open on: the last one files came from. Songs and lyrics start
  // in the sample folder beside the program.
  QString lastPhotoFolder;
  QString lastMusicFolder;
  QString lastLyricFolder;
  QString sampleSongFolder;
  // Fixed template draws (tests, benchmarks); the clock's otherwise.
  std::optional<unsigned> drawSeed;
  // Shows a folder in the file browser (the desktop's; tests record the calls).
  std::function<void(const QString& folder)> openFolder;
  // The player of the previews (the media layer's when unset; tests script the clock).
  std::function<std::unique_ptr<Playback>()> makePlayback;
  // Opens a page in the browser (the desktop's; tests record the calls).
  std::function<void(const QUrl& page)> openPage;
  // The pages the program installs: the user guide and the template page ("help" beside
  // the program when empty), and the template page's address when it lives elsewhere.
  QString helpFolder;
  QUrl templatePage;
};

// Marks the session busy for its lifetime.
class BusyScope {
 public:
  explicit BusyScope(Session& session) : session_(session) { session_.busy = true; }
  ~BusyScope() { session_.busy = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Session& session_;
};

}  // namespace solvane::ui
