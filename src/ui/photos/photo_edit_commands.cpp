#include "ui/photos/photo_edit_commands.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolTip>

#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "photos/photo_editing.h"
#include "templates/template_assignment.h"
#include "ui/main/main_window.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/photos/delete_photo_windows.h"
#include "ui/render/photo_preview_window.h"
#include "ui/shared/progress_window.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

const QString kNothingChosen = QStringLiteral("没有选中相片文件！");
const QString kCellPrefix = QStringLiteral("Imagem_");

}  // namespace

PhotoEditCommands::PhotoEditCommands(Session& session, MainWindow& window, Pane& pane,
                                     SummaryPanel& summary)
    : QObject(&pane), session_(session), window_(window), pane_(pane), summary_(summary) {
  deleteButton_ = pane.addButton(QStringLiteral("删除"), QStringLiteral("删除单个相片"));
  deleteAllButton_ = pane.addButton(QStringLiteral("全删"), QStringLiteral("删除全部相片"));
  connect(deleteButton_, &QPushButton::clicked, this, &PhotoEditCommands::deleteSelected);
  connect(deleteAllButton_, &QPushButton::clicked, this, &PhotoEditCommands::deleteAll);

  // The menu keeps the order "删除相片", "全部删除", "图标格式", "列表格式", "预览效果".
  QMenu* menu = pane.contextMenu();
  QAction* first = menu->actions().value(0);
  auto* deleteOne = new QAction(QStringLiteral("删除相片"), menu);
  auto* deleteEvery = new QAction(QStringLiteral("全部删除"), menu);
  menu->insertAction(first, deleteOne);
  menu->insertAction(first, deleteEvery);
  connect(deleteOne, &QAction::triggered, this, &PhotoEditCommands::deleteSelected);
  connect(deleteEvery, &QAction::triggered, this, &PhotoEditCommands::deleteAll);
  connect(menu->addAction(QStringLiteral("预览效果")), &QAction::triggered, this,
          &PhotoEditCommands::previewSelected);

  connect(pane.iconView(), &QListView::doubleClicked, this, &PhotoEditCommands::previewSelected);
  connect(pane.listView(), &QTableView::doubleClicked, this, &PhotoEditCommands::previewSelected);
  pane.iconView()->viewport()->installEventFilter(this);
  pane.iconView()->viewport()->setMouseTracking(true);
}

void PhotoEditCommands::guarded(const std::function<void()>& run) {
  try {
    run();
  } catch (const Cancelled&) {
  } catch (const Error& e) {
    session_.questions.showMessage(&window_, e.message());
  } catch (const std::exception& e) {
    session_.questions.showMessage(&window_, QString::fromUtf8(e.what()));
  }
}

std::vector<int> PhotoEditCommands::chosenRows() const {
  std::vector<int> rows;
  if (session_.project.Edit_tubiao_liebiao == word::liebiao) {
    for (const QModelIndex& index : pane_.listView()->selectionModel()->selectedRows())
      rows.push_back(index.row());
    return rows;
  }
  const QString& pressed = session_.project.Edit_xiangpian_down_id;
  if (pressed != word::wu && !pressed.isEmpty()) rows.push_back(pressed.toInt());
  return rows;
}

void PhotoEditCommands::afterEdit() {
  pane_.iconView()->clearSelection();
  pane_.listView()->clearSelection();
  window_.reloadPanes();
}

void PhotoEditCommands::deleteSelected() {
  if (session_.busy || session_.project.ListView_daoruxiangpian.empty()) return;
  guarded([this] {
    const std::vector<int> rows = chosenRows();
    if (rows.empty()) {
      session_.questions.showMessage(&window_, kNothingChosen);
      return;
    }
    DeleteConfirmWindow confirm(false, &window_);
    if (session_.questions.showWindow(confirm) != QDialog::Accepted) return;
    summary_.showPicture(QStringLiteral("        缩略图预览"), {});
    std::vector<int> shared;
    try {
      shared = deletePhotos(session_.project, session_.workspace, rows);
    } catch (...) {
      afterEdit();
      throw;
    }
    afterEdit();
    for (int row : shared) replace(row);  // last first: an earlier row keeps its index
  });
}

void PhotoEditCommands::deleteAll() {
  if (session_.busy) return;
  guarded([this] {
    DeleteConfirmWindow confirm(true, &window_);
    if (session_.questions.showWindow(confirm) != QDialog::Accepted) return;
    summary_.showPicture(QStringLiteral("        缩略图预览"), {});
    deleteAllPhotos(session_.project, session_.workspace);
    afterEdit();
  });
}

void PhotoEditCommands::replace(int row) {
  ReplacementChoiceWindow choice(row, &window_);
  switch (session_.questions.showWindow(choice)) {
    case ReplacementChoiceWindow::Random: replaceRandomly(row); break;
    case ReplacementChoiceWindow::Manual:
      while (!replaceManually(row)) {
      }
      break;
    default: break;
  }
}

void PhotoEditCommands::replaceRandomly(int row) {
  if (replacementCandidates(session_.project, row).empty()) {
    session_.questions.showMessage(&window_, noCandidateMessage(session_.project, row));
    return;
  }
  const DrawIndex draw = session_.drawSeed ? seededDraw(*session_.drawSeed) : DrawIndex(clockSeededDraw);
  runReplacement([this, row, draw] {
    replaceWithRandomPhoto(session_.project, session_.workspace, row, draw);
  });
}

bool PhotoEditCommands::replaceManually(int row) {
  ManualReplacementWindow manual(session_.project, replacementCandidates(session_.project, row), &window_);
  const int answer = session_.questions.showWindow(manual);
  if (answer == ManualReplacementWindow::FromList) {
    const int chosen = manual.chosenRow();
    if (chosen < 0) {
      session_.questions.showMessage(&window_, noCandidateMessage(session_.project, row));
      return false;
    }
    runReplacement([this, row, chosen] {
      replaceWithPhoto(session_.project, session_.workspace, row, chosen);
    });
    return true;
  }
  if (answer != ManualReplacementWindow::NewFile) return true;
  const QStringList files = session_.questions.chooseFiles(
      &window_, {QStringLiteral("添加相片"), QStringLiteral("添加相片文件(JPG)|*.jpg;"),
                 session_.lastPhotoFolder, {}});
  if (files.isEmpty()) return false;
  const QString file = files.first();  // one file replaces one photograph
  const QString mismatch = newFileMismatch(session_.project, row, file);
  if (!mismatch.isEmpty()) {
    session_.questions.showMessage(&window_, mismatch);
    return false;  // the user picks again
  }
  runReplacement([this, row, file] {
    replaceWithNewFile(session_.project, session_.workspace, row, file);
  });
  return true;
}

void PhotoEditCommands::runReplacement(const std::function<void()>& work) {
  ProgressWindow progress(session_, QStringLiteral("添加相片"), &window_);
  progress.setWork([work](const JobControl&) { work(); }, 1);
  progress.exec();
  afterEdit();
  if (progress.outcome() == ProgressWindow::Outcome::Failed)
    session_.questions.showMessage(&window_, progress.failure());
}

void PhotoEditCommands::previewSelected() {
  if (session_.busy) return;
  QToolTip::hideText();
  guarded([this] {
    Project& p = session_.project;
    p.Edit_Image_chakanxiangpian_T_or_F = QStringLiteral("False");
    p.Edit_shuangji_yulan_or_qitacaozuo = QStringLiteral("shuangji_yulan");
    if (p.ListView_daoruxiangpian.empty()) {
      session_.questions.showMessage(&window_, QStringLiteral("没有找到相片文件，不能预览效果！"));
      return;
    }
    std::vector<int> rows = chosenRows();
    if (p.Edit_tubiao_liebiao == word::liebiao && pane_.listView()->currentIndex().isValid())
      rows = {pane_.listView()->currentIndex().row()};
    if (rows.empty()) {
      session_.questions.showMessage(&window_, kNothingChosen);
      return;
    }
    PhotoPreviewWindow preview(session_, rows.front(), &window_);
    session_.questions.showWindow(preview);
  });
}

// --- The thumbnail cells: selection, drag swap and the photo tip --------------------------

bool PhotoEditCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched != pane_.iconView()->viewport()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      press(mouse->position().toPoint(), mouse->button());
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() & Qt::LeftButton) dragTo(mouse->position().toPoint());
      else hover(mouse->position().toPoint());
      break;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) drop(mouse->position().toPoint());
      break;
    }
    case QEvent::MouseButtonDblClick: session_.project.Edit_tuodong_kaiguan = QStringLiteral("songkai"); break;
    default: break;
  }
  return false;
}

void PhotoEditCommands::press(QPoint at, Qt::MouseButton button) {
  if (session_.busy) return;
  const QModelIndex index = pane_.iconView()->indexAt(at);
  if (!index.isValid()) return;
  Project& p = session_.project;
  p.Edit_shuangji_yulan_or_qitacaozuo = QStringLiteral("qita_caozuo");
  p.Edit_xiangpian_down_id = QString::number(index.row());
  if (button != Qt::LeftButton) return;
  const QRect cell = pane_.iconView()->visualRect(index);
  p.Edit_tuodong_kaiguan = QStringLiteral("anxia");
  p.Edit_tuodong_huhuan_yes_or_no = QStringLiteral("tuodong_huhuan_no");
  p.Edit_tuodong_huhuan_yes_id = word::wu;
  grip_ = at - cell.topLeft();
  p.Edit_tuodong_down_x = QString::number(grip_.x());
  p.Edit_tuodong_down_y = QString::number(grip_.y());
  p.Edit_tuodong_huhuan_down_x = QString::number(cell.x());
  p.Edit_tuodong_huhuan_down_y = QString::number(cell.y());
  dragged_ = index.row();
}

void PhotoEditCommands::dragTo(QPoint at) {
  if (dragged_ < 0 || session_.busy) return;
  QWidget* viewport = pane_.iconView()->viewport();
  if (!viewport->rect().contains(at)) {  // leaving the pane gives the drag up
    cancelDrag();
    return;
  }
  if (!ghost_) {
    const QRect cell = pane_.iconView()->visualRect(pane_.iconView()->model()->index(dragged_, 0));
    ghost_ = new QLabel(viewport);
    ghost_->setPixmap(viewport->grab(cell));
    ghost_->resize(cell.size());
    ghost_->setStyleSheet(QStringLiteral("border: 2px solid #2f5d8a;"));
    ghost_->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  ghost_->move(at - grip_);  // the press point stays under the mouse
  ghost_->show();
  ghost_->raise();
}

void PhotoEditCommands::cancelDrag() {
  dragged_ = -1;
  delete ghost_;  // not inside one of its own events
  ghost_ = nullptr;
  session_.project.Edit_tuodong_kaiguan = QStringLiteral("songkai");
}

void PhotoEditCommands::drop(QPoint at) {
  const int dragged = dragged_;
  cancelDrag();
  if (dragged < 0 || session_.busy) return;
  QListView* view = pane_.iconView();
  std::vector<QPoint> cells;
  for (int r = 0; r < view->model()->rowCount(); ++r)
    cells.push_back(view->visualRect(view->model()->index(r, 0)).topLeft());
  const int target = swapTarget(dragged, at - grip_, cells);
  if (target < 0) return;
  guarded([this, dragged, target] {
    Project& p = session_.project;
    swapPhotos(p, session_.workspace, dragged, target);
    p.Edit_tuodong_huhuan_yes_or_no = QStringLiteral("tuodong_huhuan_yes");
    p.Edit_tuodong_huhuan_yes_id = QString::number(target);
    window_.reloadPanes();
    // The selection moves with the photograph to where it was dropped.
    p.Edit_xiangpian_down_id = QString::number(target);
    pane_.iconView()->setCurrentIndex(pane_.iconView()->model()->index(target, 0));
  });
}

void PhotoEditCommands::hover(QPoint at) {
  const QModelIndex index = pane_.iconView()->indexAt(at);
  Project& p = session_.project;
  if (!index.isValid()) {
    hovered_ = -1;
    return;
  }
  p.Edit_shuangji_yulan_or_qitacaozuo = QStringLiteral("qita_caozuo");
  if (index.row() == hovered_ || session_.busy) return;
  hovered_ = index.row();
  p.Edit_chakankongjian_shiyong_2 = kCellPrefix + QString::number(index.row());
  if (index.row() >= p.ListView_daoruxiangpian.count()) return;
  const QWidget* viewport = pane_.iconView()->viewport();
  QToolTip::showText(viewport->mapToGlobal(at + QPoint(-20, 10)),
                     photoDescription(p, index.row()).join(QLatin1Char('\n')), pane_.iconView(),
                     pane_.iconView()->visualRect(index));
}

}  // namespace solvane::ui
