#include "ui/main/main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "effects/album_settings.h"
#include "lyrics/media_import.h"
#include "model/error.h"
#include "model/project.h"
#include "model/sentinels.h"
#include "model/startup.h"
#include "model/workspace.h"
#include "photos/staging_paths.h"
#include "render/output_commands.h"
#include "ui/effects/album_length_window.h"
#include "ui/effects/other_settings_window.h"
#include "ui/effects/text_effect_window.h"
#include "ui/lyrics/add_media_windows.h"
#include "ui/lyrics/media_pane_commands.h"
#include "ui/main/pane.h"
#include "ui/main/summary_panel.h"
#include "ui/main/tip_controller.h"
#include "ui/main/title_bar.h"
#include "ui/photos/add_photos_window.h"
#include "ui/photos/photo_edit_commands.h"
#include "ui/render/output_command.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

int index(PaneKind kind) { return static_cast<int>(kind); }

// The folder of the files just chosen, for the chooser's next opening.
QString folderOf(const QStringList& files) {
  return files.isEmpty() ? QString() : QFileInfo(files.first()).absolutePath();
}

// The first file with this ending in the sample folder, preselected in the chooser.
QString sampleFile(const QString& folder, const QString& pattern) {
  const QStringList found = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
  return found.isEmpty() ? QString() : found.first();
}

// The context menus of the three panes, in the order their entries stand.
QStringList paneMenuOrder(PaneKind kind) {
  switch (kind) {
    case PaneKind::Photos:
      return {"删除相片", "全部删除", "相片剪裁", "图标格式", "列表格式", "预览效果"};
    case PaneKind::Music:
      return {"删除音乐", "全部删除", "手动绑定", "自动绑定", "手动解绑", "全部解绑",
              "图标格式", "列表格式", "音乐预览"};
    case PaneKind::Lyrics:
      return {"删除歌词", "全部删除", "手动绑定", "自动绑定", "手动解绑", "全部解绑",
              "图标格式", "列表格式", "歌词设置", "歌词预览"};
  }
  return {};
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setWindowTitle(QStringLiteral("Solvane2017"));
  setObjectName(QStringLiteral("Solvane2017"));
  // The title bar below is the window's frame; the layouts size the whole window.
  setWindowFlag(Qt::FramelessWindowHint);
  setStyleSheet(QStringLiteral(
      "#TitleBar { background: #2f5d8a; }"
      "#TitleBar QLabel#Title { color: white; font-size: 15px; font-weight: bold; }"
      "#TitleBar QPushButton { color: white; font-size: 14px; padding: 2px 8px; }"
      "#Commands QPushButton { min-height: 28px; }"
      "#SummaryPanel { background: #f3f5f8; border-left: 1px solid #d0d6de; }"));

  title_ = new TitleBar(this);
  connect(title_, &TitleBar::doubleClicked, this, [this] {
    applyLayout(layoutAfterTitleDoubleClick(layoutFromWord(session_.project.Edit_jiemian)));
  });
  connect(title_->startMark(), &QPushButton::clicked, this, [this] { applyLayout(WindowLayout::Start); });
  connect(title_->fittedMark(), &QPushButton::clicked, this, [this] { applyLayout(WindowLayout::Fitted); });
  connect(title_->fullMark(), &QPushButton::clicked, this, [this] { applyLayout(WindowLayout::Full); });
  connect(title_->closeMark(), &QPushButton::clicked, this, &MainWindow::exitCommand);

  // --- The command column ---
  auto* commandColumn = new QWidget(this);
  commandColumn->setObjectName(QStringLiteral("Commands"));
  auto* commandLayout = new QVBoxLayout(commandColumn);
  commandLayout->setContentsMargins(8, 8, 8, 8);
  commandLayout->setSpacing(6);
  const auto column = [&](QPushButton* button) { commandLayout->addWidget(button); };
  column(addCommand(QStringLiteral("添加相片"), QStringLiteral("支持多个相片文件一起添加使用"),
                    &MainWindow::addPhotosCommand));
  column(addCommand(QStringLiteral("添加音乐"), QStringLiteral("支持多个音乐文件一起添加使用"),
                    &MainWindow::addMusicCommand));
  column(addCommand(QStringLiteral("添加歌词"), QStringLiteral("支持多个歌词文件一起添加使用"),
                    &MainWindow::addLyricsCommand));
  column(addCommand(QStringLiteral("卡拉OK设置"), QStringLiteral("导入卡拉OK歌词,设置卡拉OK歌词样式,预览卡拉OK效果"),
                    &MainWindow::karaokeCommand));
  commandLayout->addSpacing(10);
  column(addCommand(QStringLiteral("相册长度"), QStringLiteral("两种同步：以相册长度为准,以音乐长度为准"),
                    &MainWindow::albumLengthCommand));
  column(addCommand(QStringLiteral("文字特效"),
                    QStringLiteral("支持多条文字特效,支持指定时间显示,颜色,字体,大小,字型等设置"),
                    &MainWindow::textEffectsCommand));
  column(addCommand(QStringLiteral("其它设置"),
                    QStringLiteral("支持PAL,NTSC电视制式,画质效果支持一般画质,高清画质"),
                    &MainWindow::otherSettingsCommand));
  commandLayout->addSpacing(10);
  for (const char* kind : {"VCD", "SVCD", "DVD", "AVI", "MP4", "XLTP"}) {
    const OutputCommand& row = solvane::outputCommand(QString::fromLatin1(kind));
    auto* button = new QPushButton(row.caption, commandColumn);
    button->setToolTip(row.tip);
    const QString word = row.kind;
    connect(button, &QPushButton::clicked, this, [this, word] { outputCommand(word); });
    commands_.insert(row.caption, button);
    column(button);
  }
  commandLayout->addSpacing(10);
  column(addCommand(QStringLiteral("网站模板"), QStringLiteral("打开此软件的网站模板页面"),
                    &MainWindow::templatePageCommand));
  column(addCommand(QStringLiteral("帮助文件"), QStringLiteral("此软件的使用帮助文件"),
                    &MainWindow::helpCommand));
  commandLayout->addStretch();
  commandColumn->setFixedWidth(132);

  // --- The panes and their selectors ---
  const QSize photoCell(session_.project.Edit_xiangpian_Width.toInt(),
                        session_.project.Edit_xiangpian_Height.toInt());
  const QSize mediaCell(150, 150);
  Project& p = session_.project;
  const PaneSetup setups[3] = {
      {QStringLiteral("相片"), &p.ListView_daoruxiangpian, &p.suiListView_xiangpian_liebiao,
       [this](int row) { return thumbnailOf(PaneKind::Photos, row); }, photoCell,
       QStringLiteral("还没有相片。点击左边的“添加相片”，选择一张或多张 JPG 相片。"),
       QStringLiteral("相片缩略图"), QStringLiteral("相片列表")},
      {QStringLiteral("音乐"), &p.ListView_daoru_yinyue, &p.suiListView_yinyue_liebiao,
       [this](int row) { return thumbnailOf(PaneKind::Music, row); }, mediaCell,
       QStringLiteral("还没有音乐。点击左边的“添加音乐”，选择 MP3 音乐文件。"),
       QStringLiteral("音乐缩略图"), QStringLiteral("音乐列表")},
      {QStringLiteral("歌词"), &p.ListView_daoru_LRC, &p.suiListView_geci_liebiao,
       [this](int row) { return thumbnailOf(PaneKind::Lyrics, row); }, mediaCell,
       QStringLiteral("还没有歌词。点击左边的“添加歌词”，选择 LRC 歌词文件。"),
       QStringLiteral("歌词缩略图"), QStringLiteral("歌词列表")},
  };
  const QString selectorCaptions[3] = {QStringLiteral("相片区域"), QStringLiteral("音乐区域"),
                                       QStringLiteral("歌词区域")};
  const QString selectorTips[3] = {QStringLiteral("显示相片文件的缩略图区域"),
                                   QStringLiteral("显示音乐文件的缩略图区域"),
                                   QStringLiteral("显示歌词文件的缩略图区域")};
  panes_ = new QStackedWidget(this);
  auto* selectorRow = new QHBoxLayout;
  selectorRow->setSpacing(4);
  auto* selectorGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    const auto kind = static_cast<PaneKind>(i);
    paneWidgets_[i] = new Pane(setups[i], panes_);
    paneWidgets_[i]->setMenuOrder(paneMenuOrder(kind));
    panes_->addWidget(paneWidgets_[i]);
    connect(paneWidgets_[i], &Pane::iconModeRequested, this, [this, kind] { setIconMode(kind); });
    connect(paneWidgets_[i], &Pane::listModeRequested, this, [this, kind] { setListMode(kind); });
    connect(paneWidgets_[i], &Pane::rowPicked, this, [this, kind](int row) { showRowPicture(kind, row); });
    selectors_[i] = new QPushButton(selectorCaptions[i], this);
    selectors_[i]->setCheckable(true);
    selectors_[i]->setToolTip(selectorTips[i]);
    selectorGroup->addButton(selectors_[i]);
    connect(selectors_[i], &QPushButton::clicked, this, [this, kind] { showPane(kind); });
    selectorRow->addWidget(selectors_[i]);
  }
  selectorRow->addStretch();
  auto* centre = new QVBoxLayout;
  centre->setContentsMargins(4, 8, 4, 8);
  centre->addLayout(selectorRow);
  centre->addWidget(panes_, 1);

  summary_ = new SummaryPanel(session_, this);
  summary_->setFixedWidth(210);
  mediaCommands_ = new MediaPaneCommands(session_, pane(PaneKind::Music), pane(PaneKind::Lyrics),
                                         summary_, this,
                                         [this](const std::function<void()>& run) { guarded(run); },
                                         [this](MediaPane which, QWidget* view, const QRect& cell,
                                                const QStringList& lines) {
                                           showPaneTip(which == MediaPane::Music ? PaneKind::Music
                                                                                 : PaneKind::Lyrics,
                                                       view, cell, lines);
                                         });

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(commandColumn);
  body->addLayout(centre, 1);
  body->addWidget(summary_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(title_);
  layout->addLayout(body, 1);

  addPreviewCommands();
  photoEdits_ = new PhotoEditCommands(session_, *this, *pane(PaneKind::Photos), *summary_);
  showPane(PaneKind::Photos);
  tips_ = new TipController(this);
}

void MainWindow::showPaneTip(PaneKind kind, QWidget* view, const QRect& cell, const QStringList& lines) {
  tips_->showCellTip(static_cast<CellTip>(index(kind)), view, cell, lines);
}

QPushButton* MainWindow::addCommand(const QString& caption, const QString& tip,
                                    void (MainWindow::*run)()) {
  auto* button = new QPushButton(caption, this);
  button->setToolTip(tip);
  connect(button, &QPushButton::clicked, this, run);
  commands_.insert(caption, button);
  return button;
}

QPushButton* MainWindow::command(const QString& caption) const { return commands_.value(caption); }

QPushButton* MainWindow::paneSelector(PaneKind kind) const { return selectors_[index(kind)]; }

Pane* MainWindow::pane(PaneKind kind) const { return paneWidgets_[index(kind)]; }

PaneKind MainWindow::visiblePane() const {
  for (int i = 0; i < 3; ++i)
    if (panes_->currentWidget() == paneWidgets_[i]) return static_cast<PaneKind>(i);
  return PaneKind::Photos;
}

void MainWindow::guarded(const std::function<void()>& run) {
  tips_->hideTip();
  try {
    run();
  } catch (const Cancelled&) {
  } catch (const Error& e) {
    session_.questions.showMessage(this, e.message());
  } catch (const std::exception& e) {
    session_.questions.showMessage(this, QString::fromUtf8(e.what()));
  }
}

// --- Panes ---------------------------------------------------------------------------------

void MainWindow::showPane(PaneKind kind) {
  if (kind != PaneKind::Photos) session_.project.Edit_xiangpian_down_id = word::wu;
  pane(kind)->showList(false);
  panes_->setCurrentWidget(pane(kind));
  selectors_[index(kind)]->setChecked(true);
}

void MainWindow::setIconMode(PaneKind kind) {
  showPane(kind);
  session_.project.Edit_tubiao_liebiao = word::tubiao;
}

void MainWindow::setListMode(PaneKind kind) {
  showPane(kind);
  pane(kind)->showList(true);
  session_.project.Edit_tubiao_liebiao = word::liebiao;
}

void MainWindow::reloadPanes() {
  if (session_.busy) return;
  for (Pane* p : paneWidgets_) p->reload();
}

QString MainWindow::thumbnailOf(PaneKind kind, int row) const {
  switch (kind) {
    case PaneKind::Photos: return staging::thumbnailFile(session_.workspace, row + 1);
    case PaneKind::Music: return musicThumbnailPath(session_.workspace, row);
    case PaneKind::Lyrics: return lyricThumbnailPath(session_.workspace, row);
  }
  return {};
}

void MainWindow::showRowPicture(PaneKind kind, int row) {
  static const QString captions[3] = {QStringLiteral("        相片缩略图预览"),
                                      QStringLiteral("        音乐缩略图预览"),
                                      QStringLiteral("        歌词缩略图预览")};
  const QString file = thumbnailOf(kind, row);
  if (QFileInfo::exists(file)) summary_->showPicture(captions[index(kind)], file);
}

// --- Layouts -------------------------------------------------------------------------------

void MainWindow::applyLayout(WindowLayout layout) {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  applyLayout(layout, screen->geometry());
}

void MainWindow::applyLayout(WindowLayout layout, const QRect& area) {
  session_.project.Edit_jiemian = layoutWord(layout);
  const QRect placed = layoutGeometry(layout, area);
  if (layout == WindowLayout::Full) {
    setGeometry(placed);
    return;
  }
  resize(placed.size());
  move(placed.topLeft());
}

// --- Commands ------------------------------------------------------------------------------

void MainWindow::addPhotosCommand() {
  guarded([this] {
    QString folder = session_.lastPhotoFolder;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QStringList files = session_.questions.chooseFiles(
        this, {QStringLiteral("添加相片"), QStringLiteral("添加相片文件(JPG)|*.jpg;"), folder, {}});
    if (files.isEmpty()) return;
    session_.lastPhotoFolder = folderOf(files);

    AddPhotosWindow window(session_, files, this);
    if (!runImport(window)) return;
    if (!session_.project.ListView_daoruxiangpian.empty()) setIconMode(PaneKind::Photos);
    if (!window.result().message.isEmpty())
      session_.questions.showMessage(this, window.result().message);
  });
}

// Runs an import's progress window; afterwards the panes show the tables again. True when
// the import went through (the panes then go to their cells); a failure is told here.
bool MainWindow::runImport(ProgressWindow& window) {
  window.exec();
  reloadPanes();
  if (window.outcome() == ProgressWindow::Outcome::Failed) {
    session_.questions.showMessage(this, window.failure());
    return false;
  }
  if (window.outcome() != ProgressWindow::Outcome::Succeeded) return false;
  session_.project.Edit_tubiao_liebiao = word::tubiao;
  return true;
}

// The music and lyric imports share their road: the chooser on the folder used last (the
// sample folder the first time), the progress window, the pane shown, the messages told.
template <typename ImportWindow>
void MainWindow::importMedia(PaneKind kind, QString& lastFolder, const QString& title,
                             const QString& filter, const QString& pattern) {
  guarded([&] {
    const QString folder = lastFolder.isEmpty() ? session_.sampleSongFolder : lastFolder;
    const QStringList files =
        session_.questions.chooseFiles(this, {title, filter, folder, sampleFile(folder, pattern)});
    if (files.isEmpty()) return;
    lastFolder = folderOf(files);

    ImportWindow window(session_, files, this);
    if (!runImport(window)) return;
    if (window.result().showPane) setIconMode(kind);
    if (!window.result().messages.isEmpty())
      session_.questions.showMessage(this, window.result().messages.join(QLatin1Char('\n')));
  });
}

void MainWindow::addMusicCommand() {
  importMedia<AddMusicWindow>(PaneKind::Music, session_.lastMusicFolder, QStringLiteral("添加音乐"),
                              QStringLiteral("添加音乐文件(MP3)|*.mp3;"), QStringLiteral("*.mp3"));
}

void MainWindow::addLyricsCommand() {
  importMedia<AddLyricsWindow>(PaneKind::Lyrics, session_.lastLyricFolder, QStringLiteral("添加歌词"),
                               QStringLiteral("添加歌词文件(LRC)|*.lrc;"), QStringLiteral("*.lrc"));
}

void MainWindow::albumLengthCommand() {
  guarded([this] {
    ResetAlbumLengthWithoutMusic(session_.project);
    AlbumLengthWindow window(session_.project, this);
    session_.questions.showWindow(window);
  });
}

void MainWindow::otherSettingsCommand() {
  guarded([this] {
    OtherSettingsWindow window(session_.project, this);
    session_.questions.showWindow(window);
  });
}

TextEffectWindow* MainWindow::textEffectWindow() {
  if (!textEffects_) textEffects_ = new TextEffectWindow(session_, this);
  return textEffects_;
}

void MainWindow::textEffectsCommand() {
  guarded([this] {
    TextEffectWindow* window = textEffectWindow();
    window->prepare();
    session_.questions.showWindow(*window);
    // However the window went away, its rows are the project's now.
    window->finish();
    summary_->refresh();
  });
}

void MainWindow::openInstalledPage(const QString& file) {
  const QString folder = session_.helpFolder.isEmpty()
                             ? QDir(executableFolder()).filePath(QStringLiteral("help"))
                             : session_.helpFolder;
  const QString page = QDir(folder).filePath(file);
  if (!QFileInfo::exists(page))
    throw Error(QStringLiteral("%1: the page is not installed beside the program").arg(page));
  if (session_.openPage) session_.openPage(QUrl::fromLocalFile(page));
}

void MainWindow::templatePageCommand() {
  guarded([this] {
    if (session_.templatePage.isValid() && !session_.templatePage.isEmpty()) {
      if (session_.openPage) session_.openPage(session_.templatePage);
      return;
    }
    openInstalledPage(QStringLiteral("templates.html"));
  });
}

void MainWindow::helpCommand() {
  guarded([this] { openInstalledPage(QStringLiteral("guide.html")); });
}

void MainWindow::outputCommand(const QString& kind) {
  guarded([this, &kind] { runOutputCommand(session_, this, kind); });
}

void MainWindow::exitCommand() {
  // While a job writes the working tree it must not be cleared under it; its window is on
  // top and ends the job first.
  if (exited_ || session_.busy) return;
  if (!session_.questions.confirm(this, QStringLiteral("退出本软件"), QStringLiteral("确定要退出本软件吗？")))
    return;
  exited_ = true;
  runExit(session_.workspace);
  close();
  Q_EMIT exitConfirmed();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (exited_) {
    event->accept();
    return;
  }
  // The title-bar mark, the window manager and Alt+F4 all ask first: closing without the
  // confirmation would throw the whole project away. The question is asked once the close
  // request has returned, so the window system is not kept waiting inside its event.
  event->ignore();
  QTimer::singleShot(0, this, &MainWindow::exitCommand);
}

}  // namespace solvane::ui
