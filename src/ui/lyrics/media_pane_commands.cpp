#include "ui/lyrics/media_pane_commands.h"

#include <vector>

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "lyrics/lyric_styles.h"
#include "lyrics/media_list_editing.h"
#include "lyrics/pane_tips.h"
#include "model/sentinels.h"
#include "ui/lyrics/bind_choice_window.h"
#include "ui/lyrics/lyric_settings_window.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/shared/confirm_window.h"
#include "ui/shared/session.h"
#include "ui/shared/table_model.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

struct Entry {
  const char* button;  // pane button caption (nullptr: menu only)
  const char* musicTip;
  const char* lyricTip;
  const char* musicMenu;  // context-menu entry (nullptr: button only)
  const char* lyricMenu;
};

// The pane commands in the order of their buttons; the menu keeps its own order below.
const Entry kDelete{"删除", "删除单个音乐", "删除单个歌词", "删除音乐", "删除歌词"};
const Entry kDeleteAll{"全删", "删除全部音乐", "删除全部歌词", "全部删除", "全部删除"};
const Entry kBind{"绑定", "绑定歌词文件", "绑定音乐文件", "手动绑定", "手动绑定"};
const Entry kUnbind{"解绑", "解除绑定的歌词文件", "解除绑定的音乐文件", "手动解绑", "手动解绑"};
const Entry kUnbindAll{"全解绑", "解除全部绑定的歌词文件", "解除全部绑定的音乐文件", "全部解绑",
                       "全部解绑"};
const Entry kAutoBind{"自动绑", "自动绑定全部歌词文件", "自动绑定全部音乐文件", "自动绑定",
                      "自动绑定"};

}  // namespace

MediaPaneCommands::MediaPaneCommands(Session& session, Pane* music, Pane* lyrics,
                                     SummaryPanel* summary, QWidget* window,
                                     std::function<void(const std::function<void()>&)> guard,
                                     CellTipShower showTip)
    : QObject(window), session_(session), music_(music), lyrics_(lyrics), summary_(summary),
      window_(window), guard_(std::move(guard)), showTip_(std::move(showTip)) {
  for (const MediaPane kind : {MediaPane::Music, MediaPane::Lyric}) {
    Pane* pane = paneOf(kind);
    // 150 × 150 cells, 20 pixels apart.
    pane->iconView()->setGridSize(QSize(kMediaCellPitch, kMediaCellPitch));
    pane->iconView()->setIconSize(QSize(kMediaCellSize, kMediaCellSize));
    pane->iconView()->viewport()->installEventFilter(this);
    pane->iconView()->viewport()->setMouseTracking(true);
    // A press on a cell (either button) makes it the pane's selection.
    connect(pane->iconView(), &QListView::pressed, this, [this](const QModelIndex& index) {
      session_.project.Edit_xiangpian_down_id = QString::number(index.row());
    });
    addCommands(kind);
  }
}

Pane* MediaPaneCommands::paneOf(MediaPane pane) const {
  return pane == MediaPane::Music ? music_ : lyrics_;
}

void MediaPaneCommands::addCommands(MediaPane kind) {
  Pane* pane = paneOf(kind);
  const bool isMusic = kind == MediaPane::Music;
  const auto tip = [isMusic](const Entry& e) {
    return QString::fromUtf8(isMusic ? e.musicTip : e.lyricTip);
  };
  const std::pair<const Entry*, std::function<void()>> commands[] = {
      {&kDelete, [this, kind] { deleteCommand(kind, false); }},
      {&kDeleteAll, [this, kind] { deleteCommand(kind, true); }},
      {&kBind, [this, kind] { bindingCommand(kind, BindingCommand::Bind); }},
      {&kUnbind, [this, kind] { bindingCommand(kind, BindingCommand::Unbind); }},
      {&kUnbindAll, [this, kind] { bindingCommand(kind, BindingCommand::UnbindAll); }},
      {&kAutoBind, [this, kind] { bindingCommand(kind, BindingCommand::AutoBind); }},
  };
  for (const auto& [entry, run] : commands)
    connect(pane->addButton(QString::fromUtf8(entry->button), tip(*entry)), &QPushButton::clicked,
            this, run);

  // The pane puts each entry in its place of the menu.
  for (const auto& [entry, run] : commands)
    connect(pane->addMenuEntry(QString::fromUtf8(isMusic ? entry->musicMenu : entry->lyricMenu)),
            &QAction::triggered, this, run);
  if (!isMusic) {
    connect(pane->addButton(QStringLiteral("歌词设置"),
                            QStringLiteral("对歌词进行设置,例如:歌词位置,大小,颜色,类型等等")),
            &QPushButton::clicked, this, &MediaPaneCommands::lyricSettingsCommand);
    connect(pane->addMenuEntry(QStringLiteral("歌词设置")), &QAction::triggered, this,
            &MediaPaneCommands::lyricSettingsCommand);
  }
  // A full row of pane buttons still fits an 800-pixel-wide screen (narrower than that a
  // caption may be cut, rather than the window growing past the screen).
  for (QPushButton* button : pane->findChildren<QPushButton*>()) {
    button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    button->setMinimumWidth(36);
  }
}

void MediaPaneCommands::syncSelection(MediaPane pane) {
  Table& list = pane == MediaPane::Music ? session_.project.suiListView_yinyue_liebiao
                                         : session_.project.suiListView_geci_liebiao;
  QTableView* view = paneOf(pane)->listView();
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
  list.setFocused(-1);
  if (!view->selectionModel()) return;
  for (const QModelIndex& index : view->selectionModel()->selectedRows())
    if (index.row() < list.count()) list.setSelected(index.row(), true);
  const int current = view->currentIndex().row();
  if (current >= 0 && current < list.count() && list.selected(current)) list.setFocused(current);
}

void MediaPaneCommands::reload() {
  if (session_.busy) return;
  for (Pane* pane : {music_, lyrics_}) {
    pane->reload();
    bool ok = false;
    const int pressed = session_.project.Edit_xiangpian_down_id.toInt(&ok);
    if (ok && pane->isVisible() && pressed < pane->iconView()->model()->rowCount())
      pane->iconView()->setCurrentIndex(pane->iconView()->model()->index(pressed, 0));
  }
}

void MediaPaneCommands::bindingCommand(MediaPane pane, BindingCommand command) {
  guard_([&] {
    Project& p = session_.project;
    syncSelection(pane);
    const BindingCheck check = checkBindingCommand(p, pane, command);
    switch (check.outcome) {
      case BindingCheck::Outcome::Nothing: return;
      case BindingCheck::Outcome::Message: session_.questions.showMessage(window_, check.message); return;
      case BindingCheck::Outcome::ChooseOther: {
        const bool musicPane = pane == MediaPane::Music;
        BindChoiceWindow choice(bindingChoiceList(p, pane),
                                musicPane ? QStringLiteral("没有选中歌词文件！")
                                          : QStringLiteral("没有选中音乐文件！"),
                                session_.questions, window_);
        choice.setProperty("Edit_bangding_leixing", check.operation);
        if (session_.questions.showWindow(choice) != QDialog::Accepted) return;
        runBindingChoice(p, pane, check.selectedRow, choice.chosenRow());
        reload();
        return;
      }
      case BindingCheck::Outcome::Confirm: {
        ConfirmWindow confirm(check.title, check.question, window_);
        confirm.setObjectName(QStringLiteral("绑定或解绑"));
        confirm.setProperty("Edit_bangding_or_jiebang", check.operation);
        if (session_.questions.showWindow(confirm) != QDialog::Accepted) return;
        const std::optional<QString> message =
            runBindingOperation(p, check.operation, check.selectedRow);
        reload();
        if (message) session_.questions.showMessage(window_, *message);
        return;
      }
    }
  });
}

void MediaPaneCommands::deleteCommand(MediaPane pane, bool all) {
  guard_([&] {
    Project& p = session_.project;
    syncSelection(pane);
    const BindingCheck check = checkDeleteCommand(p, pane, all);
    if (check.outcome == BindingCheck::Outcome::Nothing) return;
    if (check.outcome == BindingCheck::Outcome::Message) {
      session_.questions.showMessage(window_, check.message);
      return;
    }
    ConfirmWindow confirm(check.title, check.question, window_, QStringLiteral("确定删除"));
    confirm.setObjectName(check.title);
    confirm.setProperty("Edit_delete_leixing", check.operation);
    if (session_.questions.showWindow(confirm) != QDialog::Accepted) return;
    summary_->showPicture(QStringLiteral("        缩略图预览"), {});
    try {
      runDeleteOperation(p, session_.workspace, pane, check.operation, check.selectedRow);
    } catch (...) {
      reload();
      throw;
    }
    reload();
  });
}

void MediaPaneCommands::lyricSettingsCommand() {
  guard_([&] {
    Project& p = session_.project;
    if (p.ListView_daoru_LRC.empty()) return;
    syncSelection(MediaPane::Lyric);
    const int row = selectedPaneRow(p, MediaPane::Lyric);
    if (row < 0) {
      session_.questions.showMessage(window_, QStringLiteral("没有选中歌词文件！"));
      return;
    }
    LyricSettingsWindow settings(LrcStyle::fromRow(p.ListView_daoru_LRC, row), window_);
    if (session_.questions.showWindow(settings) != QDialog::Accepted) return;
    writeLrcStyle(p, row, settings.style());
    reload();
  });
}

void MediaPaneCommands::showCellTip(MediaPane pane, QPoint at) {
  QListView* view = paneOf(pane)->iconView();
  const QModelIndex index = view->indexAt(at);
  QString& hovered = pane == MediaPane::Music ? session_.project.Edit_chakankongjian_shiyong_yinyue2
                                              : session_.project.Edit_chakankongjian_shiyong_geci2;
  if (!index.isValid() || session_.busy) {
    hovered.clear();
    return;
  }
  // The tip opens when the pointer comes onto another cell, named as the cells are named.
  const QString name =
      (pane == MediaPane::Music ? QStringLiteral("Imagemyinyue_") : QStringLiteral("Imagemgeci_")) +
      QString::number(index.row());
  if (name == hovered) return;
  hovered = name;
  session_.project.Edit_shuangji_yulan_or_qitacaozuo = QStringLiteral("qita_caozuo");
  const Project& p = session_.project;
  if (showTip_)
    showTip_(pane, view->viewport(), view->visualRect(index),
             pane == MediaPane::Music ? musicTipLines(p.ListView_daoru_yinyue, index.row())
                                      : lyricTipLines(p.ListView_daoru_LRC, index.row()));
}

int MediaPaneCommands::dropCell(MediaPane pane, int dragged, QPoint dropped) {
  QListView* view = paneOf(pane)->iconView();
  std::vector<QPoint> cells;
  for (int i = 0; i < view->model()->rowCount(); ++i)
    cells.push_back(view->visualRect(view->model()->index(i, 0)).topLeft());
  const int target = dragSwapTarget(cells, dragged, dropped);
  session_.project.Edit_tuodong_huhuan_yes_or_no = QStringLiteral("tuodong_huhuan_no");
  session_.project.Edit_tuodong_huhuan_yes_id = word::wu;
  if (target < 0) return -1;
  bool swapped = false;
  guard_([&] {
    if (pane == MediaPane::Music)
      SwapMusicRows(session_.project, session_.workspace, dragged, target);
    else
      SwapLyricRows(session_.project, session_.workspace, dragged, target);
    swapped = true;
  });
  reload();
  return swapped ? target : -1;
}

bool MediaPaneCommands::eventFilter(QObject* watched, QEvent* event) {
  MediaPane kind = MediaPane::Music;
  if (watched == lyrics_->iconView()->viewport())
    kind = MediaPane::Lyric;
  else if (watched != music_->iconView()->viewport())
    return false;
  QListView* view = paneOf(kind)->iconView();
  const auto* mouse = static_cast<QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      if (mouse->button() != Qt::LeftButton || session_.busy) break;
      const QModelIndex index = view->indexAt(mouse->position().toPoint());
      if (!index.isValid()) break;
      drag_ = {kind, index.row(), mouse->position().toPoint(), view->visualRect(index).topLeft(),
               drag_.ghost};
      session_.project.Edit_tuodong_kaiguan = QStringLiteral("anxia");
      break;
    }
    case QEvent::MouseMove: {
      if (!(mouse->buttons() & Qt::LeftButton)) {
        showCellTip(kind, mouse->position().toPoint());
        break;
      }
      if (drag_.row < 0 || drag_.pane != kind || !(mouse->buttons() & Qt::LeftButton)) break;
      // The cell's picture follows the pointer, the press point staying under it.
      if (!drag_.ghost || drag_.ghost->parent() != view->viewport()) {
        delete drag_.ghost;
        drag_.ghost = new QLabel(view->viewport());
        drag_.ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
      }
      drag_.ghost->setPixmap(
          view->model()->index(drag_.row, 0).data(Qt::DecorationRole).value<QPixmap>());
      drag_.ghost->adjustSize();
      drag_.ghost->move(drag_.cellAt + mouse->position().toPoint() - drag_.pressedAt);
      drag_.ghost->show();
      drag_.ghost->raise();
      break;
    }
    case QEvent::MouseButtonRelease: {
      if (mouse->button() != Qt::LeftButton || drag_.row < 0 || drag_.pane != kind) break;
      session_.project.Edit_tuodong_kaiguan = QStringLiteral("songkai");
      if (drag_.ghost) drag_.ghost->hide();
      const int row = drag_.row;
      const QPoint dropped = drag_.cellAt + mouse->position().toPoint() - drag_.pressedAt;
      drag_.row = -1;
      dropCell(kind, row, dropped);
      break;
    }
    default: break;
  }
  return false;
}

}  // namespace solvane::ui
