#include "ui/lyrics/karaoke_window.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "lyrics/binding.h"
#include "lyrics/lyric_styles.h"
#include "lyrics/playback.h"
#include "model/columns.h"
#include "model/error.h"
#include "ui/lyrics/karaoke_style_window.h"
#include "ui/shared/qt_playback.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

// The fill moves up to a pixel per millisecond on the panel; a look at the music every 5 ms
// (a precise timer, not one the system may bunch with others) keeps the drawn fill within a
// few milliseconds of the song whenever the thread is not held up.
constexpr int kClockMs = 5;
const QString kNoKaraoke = QStringLiteral("没有导入卡拉OK歌词文件！");
const QString kNoneChosen = QStringLiteral("没有选中卡拉OK歌词文件！");

class KaraokePanelView : public QWidget {
 public:
  KaraokePanelView(const KaraokePreview& preview, QWidget* parent)
      : QWidget(parent), preview_(preview) {
    setFixedSize(KaraokePanel::preview().width, KaraokePanel::preview().height);
    setObjectName(QStringLiteral("KaraokePanel"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    preview_.paint(painter);
  }

 private:
  const KaraokePreview& preview_;
};

// The pairing view: music row i beside karaoke row i.
class PairingWindow : public QDialog {
 public:
  PairingWindow(const Table& pairs, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("查看匹配"));
    auto* table = new QTableWidget(pairs.count(), pairs.columnCount(), this);
    table->setObjectName(QStringLiteral("Pairs"));
    table->setHorizontalHeaderLabels(pairs.captions());
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < pairs.count(); ++r)
      for (int c = 0; c < pairs.columnCount(); ++c)
        table->setItem(r, c, new QTableWidgetItem(pairs.cell(r, c)));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    resize(520, 320);
  }
};

}  // namespace

KaraokeWindow::KaraokeWindow(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle(QStringLiteral("卡拉OK设置"));
  playback_ = session.makePlayback ? session.makePlayback() : std::make_unique<QtPlayback>();

  list_ = new QTableWidget(0, 11, this);
  list_->setObjectName(QStringLiteral("suiListView_ksc"));
  list_->setHorizontalHeaderLabels(
      {QStringLiteral("序号"), QStringLiteral("歌词名称"), QStringLiteral("歌词颜色"),
       QStringLiteral("渲染颜色"), QStringLiteral("歌词字体"), QStringLiteral("歌词大小"),
       QStringLiteral("粗体"), QStringLiteral("斜体"), QStringLiteral("下划线"),
       QStringLiteral("歌词位置"), QStringLiteral("简体或繁体")});
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setFixedHeight(120);
  music_ = new QListWidget(this);
  music_->setFixedWidth(180);
  for (int i = 0; i < session.project.ListView_daoru_yinyue.count(); ++i)
    music_->addItem(session.project.ListView_daoru_yinyue.cell(i, music_col::file_name));
  musicEcho_ = new QLineEdit(this);
  lyricEcho_ = new QLineEdit(this);
  musicEcho_->setReadOnly(true);
  lyricEcho_->setReadOnly(true);
  panel_ = new KaraokePanelView(preview_, this);
  current_ = new QLabel(QStringLiteral("00:00:00"), this);
  total_ = new QLabel(QStringLiteral("00:00:00"), this);
  clock_ = new QTimer(this);
  clock_->setInterval(kClockMs);
  clock_->setTimerType(Qt::PreciseTimer);

  const auto command = [this](const QString& caption, void (KaraokeWindow::*run)()) {
    auto* b = new QPushButton(caption, this);
    connect(b, &QPushButton::clicked, this, run);
    buttons_ << b;
    return b;
  };
  auto* commands = new QHBoxLayout;
  for (auto* b : {command(QStringLiteral("导入卡拉OK歌词"), &KaraokeWindow::importCommand),
                  command(QStringLiteral("播放"), &KaraokeWindow::playCommand),
                  command(QStringLiteral("暂停"), &KaraokeWindow::pauseCommand),
                  command(QStringLiteral("停止"), &KaraokeWindow::stopCommand),
                  command(QStringLiteral("删除歌词"), &KaraokeWindow::deleteCommand),
                  command(QStringLiteral("全删歌词"), &KaraokeWindow::deleteAllCommand),
                  command(QStringLiteral("设置歌词"), &KaraokeWindow::styleCommand),
                  command(QStringLiteral("查看匹配"), &KaraokeWindow::pairingCommand)})
    commands->addWidget(b);
  commands->addStretch();
  QPushButton* back = command(QStringLiteral("返     回"), &KaraokeWindow::reject);
  commands->addWidget(back);

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QStringLiteral("选择音乐文件"), this));
  side->addWidget(music_, 1);
  side->addWidget(new QLabel(QStringLiteral("选中音乐："), this));
  side->addWidget(musicEcho_);
  side->addWidget(new QLabel(QStringLiteral("选中歌词："), this));
  side->addWidget(lyricEcho_);
  auto* times = new QHBoxLayout;
  times->addWidget(new QLabel(QStringLiteral("当前时间："), this));
  times->addWidget(current_);
  times->addSpacing(20);
  times->addWidget(new QLabel(QStringLiteral("总时间："), this));
  times->addWidget(total_);
  side->addLayout(times);
  auto* middle = new QHBoxLayout;
  middle->addWidget(panel_);
  middle->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(middle);
  layout->addLayout(commands);

  connect(list_, &QTableWidget::cellClicked, this, [this](int row, int) { chooseLyric(row); });
  connect(music_, &QListWidget::currentRowChanged, this, &KaraokeWindow::chooseMusic);
  connect(clock_, &QTimer::timeout, this, &KaraokeWindow::tick);
  // The media layer learns a file's length (or that it cannot play it) a moment after
  // opening it: the total time and the failure are shown as soon as they are known.
  watch_ = new QTimer(this);
  watch_->setInterval(100);
  connect(watch_, &QTimer::timeout, this, [this] {
    if (playback_->lengthMs() > 0) total_->setText(karaokeWindowClockText(playback_->lengthMs()));
    showFailure();
    if (playback_->lengthMs() > 0 || !playback_->error().isEmpty()) watch_->stop();
  });
  rebuildList();
}

KaraokeWindow::~KaraokeWindow() = default;

QPushButton* KaraokeWindow::button(const QString& caption) const {
  for (QPushButton* b : buttons_)
    if (b->text() == caption) return b;
  return nullptr;
}

bool KaraokeWindow::clockRunning() const { return clock_->isActive(); }

void KaraokeWindow::rebuildList() {
  const Table& ksc = session_.project.suiListView_ksc;
  list_->clearContents();
  list_->setRowCount(ksc.count());
  for (int r = 0; r < ksc.count(); ++r) {
    const QStringList cells = karaokeDisplayRow(ksc, r);
    for (int c = 0; c < cells.size() && c < list_->columnCount(); ++c)
      list_->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
}

void KaraokeWindow::setEditing(bool on) {
  for (const char* caption : {"导入卡拉OK歌词", "删除歌词", "全删歌词", "设置歌词"})
    button(QString::fromUtf8(caption))->setEnabled(on);
  list_->setEnabled(on);
  music_->setEnabled(on);
}

void KaraokeWindow::importCommand() {
  FileQuestion question;
  question.title = QStringLiteral("导入卡拉OK歌词");
  question.filter = QStringLiteral("导入卡拉OK歌词文件 (KSC)|*.ksc;");
  question.folder = session_.sampleSongFolder;
  const QString sample = QDir(session_.sampleSongFolder).filePath(QStringLiteral("sample.ksc"));
  if (QFileInfo(sample).isFile()) question.preset = sample;
  const QStringList files = session_.questions.chooseFiles(this, question);
  for (const QString& file : files) appendKaraokeRow(session_.project.suiListView_ksc, file);
  rebuildList();
}

void KaraokeWindow::chooseLyric(int row) {
  const Table& ksc = session_.project.suiListView_ksc;
  if (ksc.empty()) {
    session_.questions.showMessage(this, QStringLiteral("没有导入卡拉OK歌词！"));
    return;
  }
  if (row < 0 || row >= ksc.count()) {
    session_.questions.showMessage(this, QStringLiteral("没有选中卡拉OK歌词！"));
    return;
  }
  stopCommand();
  setEditing(false);  // reading the file
  lyricRow_ = -1;
  lyricEcho_->clear();
  try {
    preview_.load(ksc, row);
    lyricRow_ = row;
    lyricEcho_->setText(ksc.cell(row, ksc_col::lyric_name));
  } catch (const Error& e) {
    session_.questions.showMessage(this, e.message());
  }
  setEditing(true);
  panel_->update();
}

void KaraokeWindow::chooseMusic(int row) {
  const Table& music = session_.project.ListView_daoru_yinyue;
  if (row < 0 || row >= music.count()) return;
  stopCommand();
  musicEcho_->setText(music.cell(row, music_col::file_name));
  musicPath_ = music.cell(row, music_col::path);
  reported_.clear();
  playback_->open(musicPath_);
  watch_->start();
  total_->setText(karaokeWindowClockText(playback_->lengthMs()));
  current_->setText(QStringLiteral("00:00:00"));
  showFailure();
}

bool KaraokeWindow::checkPlay() {
  if (musicEcho_->text().isEmpty()) {
    session_.questions.showMessage(this, QStringLiteral("没有选择音乐文件！"));
    return false;
  }
  if (lyricRow_ < 0) {
    session_.questions.showMessage(this, kNoKaraoke);
    return false;
  }
  return true;
}

void KaraokeWindow::playCommand() {
  if (!checkPlay()) return;
  if (!playback_->error().isEmpty()) {
    reported_.clear();
    showFailure();
    return;
  }
  setEditing(false);
  playback_->play();  // from where it stands; from the start after the end
  clock_->start();
  tick();
}

void KaraokeWindow::pauseCommand() {
  if (!checkPlay()) return;
  // The song and its lines hold where they stand; "播放" goes on from there.
  playback_->pause();
  clock_->stop();
  setEditing(true);
}

void KaraokeWindow::stopCommand() {
  clock_->stop();
  setEditing(true);
  if (musicEcho_->text().isEmpty()) return;
  playback_->stop();
  preview_.reset();
  current_->setText(QStringLiteral("00:00:00"));
  panel_->update();
}

void KaraokeWindow::tick() {
  showFailure();
  if (!playback_->error().isEmpty()) {
    stopCommand();
    return;
  }
  const long long at = playback_->positionMs();
  total_->setText(karaokeWindowClockText(playback_->lengthMs()));
  current_->setText(karaokeWindowClockText(at));
  preview_.update(at);
  panel_->update();
  if (playback_->ended()) stopCommand();
}

void KaraokeWindow::clearPreview() {
  stopCommand();
  preview_.clear();
  lyricRow_ = -1;
  lyricEcho_->clear();
  musicEcho_->clear();
  musicPath_.clear();
  music_->blockSignals(true);
  music_->setCurrentRow(-1);
  music_->blockSignals(false);
  current_->setText(QStringLiteral("00:00:00"));
  total_->setText(QStringLiteral("00:00:00"));
  panel_->update();
}

void KaraokeWindow::deleteCommand() {
  Table& ksc = session_.project.suiListView_ksc;
  QList<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) rows << index.row();
  if (ksc.empty()) {
    session_.questions.showMessage(this, kNoKaraoke);
    return;
  }
  if (rows.isEmpty()) {
    session_.questions.showMessage(this, kNoneChosen);
    return;
  }
  clearPreview();
  std::sort(rows.begin(), rows.end(), std::greater<>());
  for (int r : rows)
    if (r < ksc.count()) ksc.remove(r);
  ksc.renumber();
  rebuildList();
  session_.questions.showMessage(this, QStringLiteral("卡拉OK歌词已经删除！"));
}

void KaraokeWindow::deleteAllCommand() {
  Table& ksc = session_.project.suiListView_ksc;
  if (ksc.empty()) {
    session_.questions.showMessage(this, kNoKaraoke);
    return;
  }
  clearPreview();
  ksc.clear();
  rebuildList();
  session_.questions.showMessage(this, QStringLiteral("导入的卡拉OK歌词已全部删除！"));
}

void KaraokeWindow::styleCommand() {
  Table& ksc = session_.project.suiListView_ksc;
  if (ksc.empty()) {
    session_.questions.showMessage(this, kNoKaraoke);
    return;
  }
  if (lyricRow_ < 0 || lyricRow_ >= ksc.count()) {
    session_.questions.showMessage(this, kNoneChosen);
    return;
  }
  stopCommand();
  const int row = lyricRow_;
  KaraokeStyleWindow window(KaraokeStyle::fromRow(ksc, row), this);
  if (session_.questions.showWindow(window) == QDialog::Accepted) {
    writeKaraokeStyle(ksc, row, window.style());
    rebuildList();
  }
  clearPreview();
}

void KaraokeWindow::pairingCommand() {
  PairingWindow window(karaokePairingView(session_.project), this);
  session_.questions.showWindow(window);
}

void KaraokeWindow::showFailure() {
  const QString why = playback_->error();
  if (why.isEmpty() || reported_ == musicPath_) return;
  reported_ = musicPath_;
  clock_->stop();
  setEditing(true);
  session_.questions.showMessage(this, QStringLiteral("不能播放音乐文件 %1：%2").arg(musicPath_, why));
}

void KaraokeWindow::reject() {
  stopCommand();
  QDialog::reject();
}

}  // namespace solvane::ui
