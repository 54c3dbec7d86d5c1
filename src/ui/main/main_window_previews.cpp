// The main window's listening commands: "音乐预览" in the music pane, "歌词预览" in the
// lyric pane (each also in the pane's menu and on a double click of a row) and the karaoke
// window "卡拉OK设置".
#include <QListView>
#include <QMenu>
#include <QTableView>
#include <QPushButton>

#include "ui/lyrics/karaoke_window.h"
#include "ui/lyrics/preview_window.h"
#include "ui/main/main_window.h"
#include "ui/main/pane.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

void openPreview(Session& session, QWidget* parent, PreviewKind kind) {
  if (session.busy) return;
  if (const QString refusal = PreviewWindow::openingCheck(session, kind); !refusal.isEmpty()) {
    session.questions.showMessage(parent, refusal);
    return;
  }
  PreviewWindow window(session, kind, parent);
  session.questions.showWindow(window);
}

}  // namespace

void MainWindow::addPreviewCommands() {
  const auto wire = [this](PaneKind kind, const QString& caption, const QString& tip,
                           void (MainWindow::*run)()) {
    Pane* p = pane(kind);
    connect(p->addButton(caption, tip), &QPushButton::clicked, this, run);
    connect(p->addMenuEntry(caption), &QAction::triggered, this, run);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(p->iconView()),
                                    static_cast<QAbstractItemView*>(p->listView())})
      connect(view, &QAbstractItemView::doubleClicked, this, run);
  };
  wire(PaneKind::Music, QStringLiteral("音乐预览"), QStringLiteral("预览音乐文件"),
       &MainWindow::musicPreviewCommand);
  wire(PaneKind::Lyrics, QStringLiteral("歌词预览"), QStringLiteral("预览歌词文件"),
       &MainWindow::lyricPreviewCommand);
}

void MainWindow::musicPreviewCommand() {
  guarded([this] { openPreview(session_, this, PreviewKind::Music); });
}

void MainWindow::karaokeCommand() {
  guarded([this] {
    if (session_.busy) return;
    KaraokeWindow window(session_, this);
    session_.questions.showWindow(window);
  });
}

void MainWindow::lyricPreviewCommand() {
  guarded([this] { openPreview(session_, this, PreviewKind::Lyric); });
}

}  // namespace solvane::ui
