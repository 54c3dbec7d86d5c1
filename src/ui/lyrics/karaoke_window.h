#pragma once
// The karaoke window "卡拉OK设置": imports KSC files into the karaoke style table, deletes
// them, edits their style, shows their pairing with the music, and previews one against a
// chosen song on the 800 × 450 panel, drawn as the album draws its karaoke lines. The
// preview follows the music's position, so pause and play go on where the song stood.
#include <memory>

#include <QDialog>

#include "render/karaoke_preview.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

namespace solvane {
class Playback;
}

namespace solvane::ui {

struct Session;

class KaraokeWindow : public QDialog {
  Q_OBJECT
 public:
  explicit KaraokeWindow(Session& session, QWidget* parent = nullptr);
  ~KaraokeWindow() override;

  void importCommand();
  // A row of the list picked: its style and file become the preview's.
  void chooseLyric(int row);
  void chooseMusic(int row);
  void playCommand();
  void pauseCommand();
  void stopCommand();
  void deleteCommand();
  void deleteAllCommand();
  void styleCommand();
  void pairingCommand();
  // One look at the music: the clocks, the slots and the fill, the end.
  void tick();

  QTableWidget* lyricList() const { return list_; }
  QListWidget* musicList() const { return music_; }
  QLineEdit* musicEcho() const { return musicEcho_; }
  QLineEdit* lyricEcho() const { return lyricEcho_; }
  QLabel* currentTime() const { return current_; }
  QLabel* totalTime() const { return total_; }
  QWidget* panel() const { return panel_; }
  QPushButton* button(const QString& caption) const;
  const KaraokePreview& preview() const { return preview_; }
  Playback& playback() const { return *playback_; }
  bool clockRunning() const;

 protected:
  void reject() override;

 private:
  void rebuildList();
  void setEditing(bool on);
  // Every deletion and style change starts the preview from a fresh choice.
  void clearPreview();
  void showFailure();
  bool checkPlay();

  Session& session_;
  std::unique_ptr<Playback> playback_;
  KaraokePreview preview_;
  int lyricRow_ = -1;
  QString musicPath_;
  QString reported_;
  QTableWidget* list_;
  QListWidget* music_;
  QLineEdit* musicEcho_;
  QLineEdit* lyricEcho_;
  QWidget* panel_;
  QLabel* current_;
  QLabel* total_;
  QList<QPushButton*> buttons_;
  QTimer* clock_;
  QTimer* watch_;
};

}  // namespace solvane::ui
