#pragma once
// The main window "Solvane2017": the command column, the three panes with their selectors,
// the summary panel and the title strip. Every command catches the core's errors and shows
// them in the message window; closing the window in any way asks the exit confirmation.
#include <QHash>
#include <QWidget>

#include "model/window_layout.h"

class QPushButton;
class QStackedWidget;

namespace solvane::ui {

class MediaPaneCommands;
class Pane;
class ProgressWindow;
class PhotoEditCommands;
class SummaryPanel;
class TextEffectWindow;
class TipController;
class TitleBar;
struct Session;

enum class PaneKind { Photos, Music, Lyrics };

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(Session& session, QWidget* parent = nullptr);

  // --- Commands, as the buttons run them ---
  void addPhotosCommand();
  void addMusicCommand();
  void addLyricsCommand();
  void albumLengthCommand();
  void otherSettingsCommand();
  void textEffectsCommand();
  // "网站模板" and "帮助文件": the installed template page and user guide in the browser.
  void templatePageCommand();
  void helpCommand();
  void outputCommand(const QString& kind);
  // The exit confirmation; "确定" clears the working tree and closes the window.
  void exitCommand();
  // "音乐预览" / "歌词预览" (pane buttons, menu entries, double click on a row).
  void musicPreviewCommand();
  void lyricPreviewCommand();
  // "卡拉OK设置": the karaoke files, their style and their preview.
  void karaokeCommand();

  void showPane(PaneKind kind);
  void setIconMode(PaneKind kind);
  void setListMode(PaneKind kind);
  void applyLayout(WindowLayout layout);
  // The same on a screen whose area is given (the window's own screen above).
  void applyLayout(WindowLayout layout, const QRect& screen);
  // Rebuilds every pane from the project.
  void reloadPanes();

  Pane* pane(PaneKind kind) const;
  PaneKind visiblePane() const;
  SummaryPanel* summary() const { return summary_; }
  TitleBar* titleBar() const { return title_; }
  // The command button with this caption, nullptr when there is none.
  QPushButton* command(const QString& caption) const;
  QPushButton* paneSelector(PaneKind kind) const;
  // The commands of the music and lyric panes.
  MediaPaneCommands* mediaCommands() const { return mediaCommands_; }
  bool exited() const { return exited_; }
  // The text-effect window, kept for the whole run so its rows stay between openings.
  TextEffectWindow* textEffectWindow();
  // The hover tips: every control's tip text, and the pane tips that describe a cell
  // (`cell` in `view`'s coordinates, `lines` its fields) until the pointer leaves it.
  TipController* tips() const { return tips_; }
  void showPaneTip(PaneKind kind, QWidget* view, const QRect& cell, const QStringList& lines);
  // Deleting, replacing, swapping and previewing photographs.
  PhotoEditCommands* photoEdits() const { return photoEdits_; }

 Q_SIGNALS:
  // The confirmed exit has cleared the working tree; the program may end.
  void exitConfirmed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* addCommand(const QString& caption, const QString& tip, void (MainWindow::*run)());
  // Runs a command; a core error becomes a message instead of reaching the event loop.
  void guarded(const std::function<void()>& run);
  bool runImport(ProgressWindow& window);
  template <typename ImportWindow>
  void importMedia(PaneKind kind, QString& lastFolder, const QString& title, const QString& filter,
                   const QString& pattern);
  void showRowPicture(PaneKind kind, int row);
  void openInstalledPage(const QString& file);
  QString thumbnailOf(PaneKind kind, int row) const;
  void addPreviewCommands();

  Session& session_;
  TitleBar* title_;
  SummaryPanel* summary_;
  QStackedWidget* panes_;
  QHash<QString, QPushButton*> commands_;
  QPushButton* selectors_[3];
  Pane* paneWidgets_[3];
  MediaPaneCommands* mediaCommands_;
  bool exited_ = false;
  TextEffectWindow* textEffects_ = nullptr;
  TipController* tips_ = nullptr;
  PhotoEditCommands* photoEdits_ = nullptr;
};

}  // namespace solvane::ui
