#include "ui/lyrics/preview_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "lyrics/playback.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/sentinels.h"
#include "ui/shared/qt_playback.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

namespace solvane::ui {
namespace {

// The clock looks at the music this often; what it shows comes from the music's position.
constexpr int kClockMs = 40;

// The black lyric area: the line drawn by the album's label.
class LyricArea : public QWidget {
 public:
  LyricArea(const LyricPreview& preview, QWidget* parent) : QWidget(parent), preview_(preview) {
    setFixedSize(kPreviewAreaSize);
    setObjectName(QStringLiteral("LyricArea"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    preview_.paint(painter);
  }

 private:
  const LyricPreview& preview_;
};

}  // namespace

QString PreviewWindow::openingCheck(const Session& session, PreviewKind kind) {
  const Project& p = session.project;
  if (kind == PreviewKind::Music)
    return p.ListView_daoru_yinyue.empty() ? QStringLiteral("没有添加音乐文件,不能音乐预览！") : QString();
  if (p.ListView_daoru_LRC.empty()) return QStringLiteral("没有添加歌词文件,不能歌词预览！");
  if (p.ListView_daoru_yinyue.empty())
    return QStringLiteral("没有找到音乐文件,添加音乐文件后再进行歌词预览！");
  return {};
}

PreviewWindow::PreviewWindow(Session& session, PreviewKind kind, QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind) {
  setWindowTitle(kind == PreviewKind::Music ? QStringLiteral("音乐预览") : QStringLiteral("歌词预览"));
  playback_ = session.makePlayback ? session.makePlayback() : std::make_unique<QtPlayback>();
  session.project.Edit_shuangji_yulan_or_qitacaozuo = QStringLiteral("shuangji_yulan");

  musicList_ = new QListWidget(this);
  lyricList_ = new QListWidget(this);
  const Project& p = session.project;
  for (int i = 0; i < p.ListView_daoru_yinyue.count(); ++i)
    musicList_->addItem(p.ListView_daoru_yinyue.cell(i, music_col::file_name));
  for (int i = 0; i < p.ListView_daoru_LRC.count(); ++i)
    lyricList_->addItem(p.ListView_daoru_LRC.cell(i, lyric_col::file_name));
  musicEcho_ = new QLineEdit(this);
  lyricEcho_ = new QLineEdit(this);
  musicEcho_->setReadOnly(true);
  lyricEcho_->setReadOnly(true);
  area_ = new LyricArea(preview_, this);
  current_ = new QLabel(QStringLiteral("00:00"), this);
  total_ = new QLabel(QStringLiteral("00:00"), this);
  play_ = new QPushButton(kind == PreviewKind::Music ? QStringLiteral("播放音乐")
                                                      : QStringLiteral("预览歌词"), this);
  stop_ = new QPushButton(QStringLiteral("停止播放"), this);
  back_ = new QPushButton(QStringLiteral("返        回"), this);
  clock_ = new QTimer(this);
  clock_->setInterval(kClockMs);

  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("音乐列表"), this), 0, 0);
  lists->addWidget(musicList_, 1, 0);
  lists->addWidget(new QLabel(QStringLiteral("选中音乐："), this), 2, 0);
  lists->addWidget(musicEcho_, 3, 0);
  lists->addWidget(new QLabel(QStringLiteral("歌词列表"), this), 4, 0);
  lists->addWidget(lyricList_, 5, 0);
  lists->addWidget(new QLabel(QStringLiteral("选中歌词："), this), 6, 0);
  lists->addWidget(lyricEcho_, 7, 0);
  auto* times = new QHBoxLayout;
  times->addStretch();
  times->addWidget(current_);
  times->addWidget(new QLabel(QStringLiteral("|"), this));
  times->addWidget(total_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {play_, stop_, back_}) buttons->addWidget(b);
  auto* right = new QVBoxLayout;
  right->addWidget(area_);
  right->addLayout(times);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(right);
  musicList_->setFixedWidth(200);
  lyricList_->setFixedWidth(200);

  connect(musicList_, &QListWidget::currentRowChanged, this, &PreviewWindow::chooseMusic);
  connect(lyricList_, &QListWidget::currentRowChanged, this, &PreviewWindow::chooseLyric);
  connect(play_, &QPushButton::clicked, this, &PreviewWindow::playCommand);
  connect(stop_, &QPushButton::clicked, this, &PreviewWindow::stopCommand);
  connect(back_, &QPushButton::clicked, this, &PreviewWindow::reject);
  connect(clock_, &QTimer::timeout, this, &PreviewWindow::tick);
  // The media layer learns a file's length (or that it cannot play it) a moment after
  // opening it: the total time and the failure are shown as soon as they are known.
  watch_ = new QTimer(this);
  watch_->setInterval(100);
  connect(watch_, &QTimer::timeout, this, [this] {
    if (playback_->lengthMs() > 0) total_->setText(previewClockText(playback_->lengthMs()));
    showFailure();
    if (playback_->lengthMs() > 0 || !playback_->error().isEmpty()) watch_->stop();
  });
}

PreviewWindow::~PreviewWindow() = default;

bool PreviewWindow::clockRunning() const { return clock_->isActive(); }

void PreviewWindow::chooseMusic(int row) {
  const Table& music = session_.project.ListView_daoru_yinyue;
  if (row < 0 || row >= music.count()) return;
  stopCommand();
  musicEcho_->setText(music.cell(row, music_col::file_name));
  musicPath_ = music.cell(row, music_col::path);
  reported_.clear();
  playback_->open(musicPath_);
  watch_->start();
  total_->setText(previewClockText(playback_->lengthMs()));
  showFailure();
}

void PreviewWindow::chooseLyric(int row) {
  const Table& lyrics = session_.project.ListView_daoru_LRC;
  if (row < 0 || row >= lyrics.count()) return;
  lyricEcho_->setText(lyrics.cell(row, lyric_col::file_name));
  try {
    preview_.choose(lyrics, row);
  } catch (const Error& e) {
    session_.questions.showMessage(this, e.message());
  }
  area_->update();
}

void PreviewWindow::playCommand() {
  if (kind_ == PreviewKind::Lyric && lyricEcho_->text().isEmpty()) {
    session_.questions.showMessage(this, QStringLiteral("没有选择歌词文件！"));
    return;
  }
  if (musicEcho_->text().isEmpty()) {
    session_.questions.showMessage(
        this, kind_ == PreviewKind::Music
                  ? QStringLiteral("没有选择音乐文件！")
                  : QStringLiteral("没有选择音乐文件！选择音乐文件后再进行歌词预览"));
    return;
  }
  if (!playback_->error().isEmpty()) {
    reported_.clear();
    showFailure();
    return;
  }
  // Play starts the song from its beginning, as the album does.
  playback_->stop();
  preview_.reset();
  playback_->play();
  clock_->start();
  tick();
}

void PreviewWindow::stopCommand() {
  clock_->stop();
  preview_.reset();
  current_->setText(QStringLiteral("00:00"));
  playback_->stop();
  area_->update();
}

void PreviewWindow::tick() {
  showFailure();
  if (!playback_->error().isEmpty()) {
    stopCommand();
    return;
  }
  const long long at = playback_->positionMs();
  total_->setText(previewClockText(playback_->lengthMs()));
  current_->setText(previewClockText(at));
  if (preview_.update(at)) area_->update();
  if (playback_->ended()) stopCommand();
}

void PreviewWindow::showFailure() {
  const QString why = playback_->error();
  if (why.isEmpty() || reported_ == musicPath_) return;
  reported_ = musicPath_;
  clock_->stop();
  session_.questions.showMessage(
      this, QStringLiteral("不能播放音乐文件 %1：%2").arg(musicPath_, why));
}

void PreviewWindow::reject() {
  stopCommand();
  QDialog::reject();
}

}  // namespace solvane::ui
