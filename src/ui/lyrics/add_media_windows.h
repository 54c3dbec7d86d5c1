#pragma once
// "添加音乐" and "添加歌词": the music and lyric imports as jobs, each with its progress bar.
#include <QStringList>

#include "lyrics/media_import.h"
#include "ui/shared/progress_window.h"

namespace solvane::ui {

class AddMusicWindow : public ProgressWindow {
  Q_OBJECT
 public:
  AddMusicWindow(Session& session, const QStringList& files, QWidget* parent = nullptr);
  const ImportResult& result() const { return result_; }

 private:
  ImportResult result_;
};

class AddLyricsWindow : public ProgressWindow {
  Q_OBJECT
 public:
  AddLyricsWindow(Session& session, const QStringList& files, QWidget* parent = nullptr);
  const ImportResult& result() const { return result_; }

 private:
  ImportResult result_;
};

}  // namespace solvane::ui
