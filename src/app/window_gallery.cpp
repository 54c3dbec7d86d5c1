// window_gallery OUTDIR [PHOTO_DIR [SONG_DIR]]: opens every window of the desktop program at
// its real size with sample content and writes one PNG per window, named after its title
// ("Solvane2017.png", "添加相片.png", …; a second state gets a suffix: "Solvane2017-列表.png").
// Progress windows are taken part-way. PHOTO_DIR defaults to out/sample/photos and SONG_DIR to
// the yinyuegeci folder beside the program (scripts/make-sample-content.sh makes both).
#include <cstdio>
#include <deque>
#include <functional>
#include <optional>

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPainter>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

extern "C" {
#include <libavutil/log.h>
}

#include "lyrics/music_length.h"
#include "model/error.h"
#include "lyrics/playback.h"
#include "model/columns.h"
#include "model/fonts.h"
#include "model/project.h"
#include "model/workspace.h"
#include "lyrics/binding.h"
#include "ui/lyrics/karaoke_window.h"
#include "ui/lyrics/preview_window.h"
#include "ui/effects/text_effect_window.h"
#include "photos/photo_editing.h"
#include "ui/lyrics/media_pane_commands.h"
#include "ui/main/main_window.h"
#include "ui/main/tip_controller.h"
#include "ui/main/startup_window.h"
#include "ui/photos/delete_photo_windows.h"
#include "ui/render/photo_preview_window.h"
#include "ui/render/make_album_window.h"
#include "ui/shared/message_window.h"
#include "ui/shared/confirm_window.h"
#include "ui/shared/progress_window.h"
#include "ui/shared/session.h"
#include "ui/shared/user_questions.h"

using namespace solvane;

namespace {

// Writes the pictures and answers every question the way the walk through the windows needs.
class Gallery : public ui::UserQuestions, public QObject {
 public:
  explicit Gallery(QString outDir) : out_(std::move(outDir)) { qApp->installEventFilter(this); }

  // The suffix the next picture of a window with this title gets ("列表" → "-列表").
  void suffixNext(const QString& title, const QString& suffix) { suffixes_[title] = suffix; }
  void save(QWidget& window) {
    QString name = window.windowTitle();
    if (suffixes_.contains(name)) name += QLatin1Char('-') + suffixes_.take(name);
    saveAs(window, name);
  }
  // A window whose title changes with its use is named after the window itself.
  void saveAs(QWidget& window, const QString& name) {
    const QString file = QDir(out_).filePath(name + QStringLiteral(".png"));
    window.grab().save(file);
    std::printf("%s\n", qPrintable(file));
  }

  // --- UserQuestions ---
  std::deque<QStringList> files;
  std::deque<std::optional<QString>> saveNames;
  std::deque<std::function<int(QDialog&)>> windows;

  QStringList chooseFiles(QWidget*, const ui::FileQuestion&) override {
    if (files.empty()) return {};
    QStringList next = files.front();
    files.pop_front();
    return next;
  }
  std::optional<QString> chooseSaveName(QWidget*, const ui::FileQuestion&) override {
    if (saveNames.empty()) return std::nullopt;
    std::optional<QString> next = saveNames.front();
    saveNames.pop_front();
    return next;
  }
  void showMessage(QWidget* parent, const QString& text) override {
    ui::MessageWindow window(text, parent);
    shoot(window);
  }
  bool confirm(QWidget* parent, const QString& title, const QString& text) override {
    ui::ConfirmWindow window(title, text, parent);
    shoot(window);
    return true;
  }
  int showWindow(QDialog& window) override {
    if (windows.empty()) {
      shoot(window);
      return QDialog::Accepted;
    }
    auto handler = windows.front();
    windows.pop_front();
    window.show();
    QApplication::processEvents();
    return handler(window);
  }

  // Shows a window, lets it lay itself out and takes its picture.
  void shoot(QWidget& window) {
    window.show();
    QApplication::processEvents();
    save(window);
    window.hide();
  }

 protected:
  // Windows that run a job are taken once their bar is a third of the way (or when they close
  // before that).
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* window = qobject_cast<QDialog*>(object);
    if (!window || (event->type() != QEvent::Show && event->type() != QEvent::Hide)) return false;
    QProgressBar* bar = nullptr;
    if (auto* progress = qobject_cast<ui::ProgressWindow*>(window)) bar = progress->bar();
    if (auto* album = qobject_cast<ui::MakeAlbumWindow*>(window)) bar = album->framesBar();
    if (!bar) return false;
    if (event->type() == QEvent::Show) {
      taken_.remove(window);
      auto* poll = new QTimer(window);
      QPointer<QDialog> guard(window);
      connect(poll, &QTimer::timeout, window, [this, guard, bar, poll] {
        if (!guard || taken_.contains(guard)) return;
        if (bar->maximum() > 1 && bar->value() * 3 >= bar->maximum()) {
          taken_.insert(guard);
          save(*guard);
          poll->stop();
        }
      });
      poll->start(20);
    } else if (!taken_.contains(window)) {
      taken_.insert(window);
      save(*window);
    }
    return false;
  }

 private:
  QString out_;
  QHash<QString, QString> suffixes_;
  QSet<QDialog*> taken_;
};

// Lets the event loop run for `ms` (timers, animations).
void wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The main window with its general tip drawn where it stands on the screen.
void saveWithTip(ui::MainWindow& window, const QString& file) {
  QPixmap picture = window.grab();
  ui::TipWindow* tip = window.tips()->generalTip();
  QPainter painter(&picture);
  painter.drawPixmap(tip->pos() - window.pos(), tip->grab());
  painter.end();
  picture.save(file);
  std::printf("%s\n", qPrintable(file));
}

// Lets events run until `ready` holds or ten seconds have passed.
void waitFor(const std::function<bool()>& ready) {
  QElapsedTimer clock;
  clock.start();
  while (!ready() && clock.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The three "删除相片" windows, for a photograph that shares its template when there is one.
void shootDeleteWindows(Gallery& gallery, const Project& project) {
  const Table& photos = project.ListView_daoruxiangpian;
  int shared = 0;
  for (int i = 0; i < photos.count(); ++i)
    if (photos.cell(i, photo_col::template_photo_count).toInt() > 1) {
      shared = i;
      break;
    }
  ui::DeleteConfirmWindow confirm(false);
  gallery.shoot(confirm);
  ui::ReplacementChoiceWindow choice(shared);
  gallery.suffixNext(choice.windowTitle(), QStringLiteral("2"));
  gallery.shoot(choice);
  ui::ManualReplacementWindow manual(project, replacementCandidates(project, shared));
  gallery.suffixNext(manual.windowTitle(), QStringLiteral("3"));
  gallery.shoot(manual);
}

// The preview of the first photograph, taken in the middle of its movie.
void shootPreview(Gallery& gallery, ui::Session& session, QWidget& parent) {
  gallery.suffixNext(QStringLiteral("添加相片"), QStringLiteral("预览"));
  ui::PhotoPreviewWindow preview(session, 0, &parent);
  preview.show();
  const std::size_t middle =
      std::size_t(session.project.ListView_daoruxiangpian.cell(0, photo_col::tpl_frame_count).toInt() / 2 + 1);
  waitFor([&] { return preview.shown().size() >= middle; });
  gallery.save(preview);
  preview.leave();
}

QStringList filesIn(const QString& folder, const QString& pattern) {
  QStringList found;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({pattern}, QDir::Files, QDir::Name)) found << dir.filePath(name);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Usage: window_gallery OUTDIR [PHOTO_DIR [SONG_DIR]]\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  loadFontAliases();
  av_log_set_level(AV_LOG_ERROR);
  // Qt Multimedia's GStreamer backend plays without a sound device; the others may not.
  qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  const QString photos =
      QDir(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("out/sample/photos")).absolutePath();
  const QString songs = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                 : QDir(executableFolder()).filePath(QStringLiteral("yinyuegeci"));
  QDir().mkpath(out);
  QTemporaryDir work;

  Gallery gallery(out);
  ui::Session session(Workspace(work.path(), executableFolder()), gallery);
  session.drawSeed = 2017;
  session.openFolder = [](const QString&) {};

  ui::StartupWindow startup(session);
  startup.exec();
  if (startup.outcome() != ui::ProgressWindow::Outcome::Succeeded) {
    std::fprintf(stderr, "window_gallery: %s\n", qPrintable(startup.failure()));
    return 1;
  }

  ui::MainWindow window(session);
  window.resize(1083, 678);  // the start layout of a 1366 × 768 screen
  window.show();
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("空"));
  gallery.save(window);

  // The photographs, the song and its lyrics, through the commands.
  gallery.files.push_back(filesIn(photos, QStringLiteral("*.jpg")));
  window.addPhotosCommand();
  gallery.files.push_back(filesIn(songs, QStringLiteral("*.mp3")));
  window.addMusicCommand();
  gallery.files.push_back(filesIn(songs, QStringLiteral("*.lrc")));
  window.addLyricsCommand();

  window.showPane(ui::PaneKind::Photos);
  QApplication::processEvents();
  gallery.save(window);
  window.setListMode(ui::PaneKind::Photos);
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("列表"));
  gallery.save(window);
  window.setIconMode(ui::PaneKind::Music);
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("音乐"));
  gallery.save(window);
  window.setListMode(ui::PaneKind::Lyrics);
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("歌词列表"));
  gallery.save(window);
  window.setListMode(ui::PaneKind::Music);
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("音乐列表"));
  gallery.save(window);
  window.setIconMode(ui::PaneKind::Lyrics);
  QApplication::processEvents();
  gallery.suffixNext(QStringLiteral("Solvane2017"), QStringLiteral("歌词"));
  gallery.save(window);

  // The binding, lyric settings and delete windows of the two panes, for the first row of
  // each; the windows that would change the project are cancelled.
  const auto shootAndCancel = [&](const QString& name) {
    gallery.windows.push_back([&gallery, name](QDialog& w) {
      gallery.saveAs(w, name.isEmpty() ? w.windowTitle() : name);
      w.reject();
      return int(QDialog::Rejected);
    });
  };
  ui::MediaPaneCommands* media = window.mediaCommands();
  session.project.Edit_xiangpian_down_id = QStringLiteral("0");
  media->bindingCommand(solvane::Pane::Music, BindingCommand::Bind);
  shootAndCancel(QStringLiteral("绑定或解绑"));
  media->bindingCommand(solvane::Pane::Music, BindingCommand::AutoBind);
  shootAndCancel({});
  media->deleteCommand(solvane::Pane::Music, false);
  session.project.Edit_xiangpian_down_id = QStringLiteral("0");
  media->lyricSettingsCommand();
  session.project.Edit_xiangpian_down_id = QStringLiteral("0");
  shootAndCancel({});
  media->deleteCommand(solvane::Pane::Lyric, false);
  window.setIconMode(ui::PaneKind::Photos);

  // The previews and the karaoke window mid-song, on a scripted clock: the picture is
  // taken at the first second that shows a lyric line (or the middle of a karaoke fill).
  ScriptedPlayback* clock = nullptr;
  session.makePlayback = [&clock] {
    auto player = std::make_unique<ScriptedPlayback>(240'000);
    player->setLengthOf([](const QString& path) {
      try {
        return measureMusicLengthMs(path);
      } catch (const Error&) {
        return 240'000LL;
      }
    });
    clock = player.get();
    return player;
  };
  const auto preview = [&](QDialog& d) {
    auto& w = dynamic_cast<ui::PreviewWindow&>(d);
    w.musicList()->setCurrentRow(0);
    w.lyricList()->setCurrentRow(0);
    w.playButton()->click();
    for (int s = 0; s < 120 && (s < 5 || w.lyric().label().text().isEmpty()); ++s) {
      clock->advance(1'000);
      w.tick();
    }
    clock->advance(400);
    w.tick();
    QApplication::processEvents();
    gallery.save(w);
    w.stopCommand();
    return int(QDialog::Rejected);
  };
  gallery.windows.push_back(preview);
  window.musicPreviewCommand();
  gallery.windows.push_back(preview);
  window.lyricPreviewCommand();

  gallery.windows.push_back([&](QDialog& d) {
    auto& w = dynamic_cast<ui::KaraokeWindow&>(d);
    gallery.files.push_back(filesIn(songs, QStringLiteral("*.ksc")));
    w.importCommand();
    if (w.lyricList()->rowCount() > 0) {
      w.chooseLyric(0);
      w.musicList()->setCurrentRow(0);
      w.playCommand();
      const auto& fill = w.preview().label(KaraokeLabelId::A2);
      for (int ms = 0; ms < 120'000 && !(fill.visible() && fill.size().width() > 60); ms += 40) {
        clock->advance(40);
        w.tick();
      }
      w.pauseCommand();
    }
    QApplication::processEvents();
    gallery.save(w);
    gallery.windows.push_back([&](QDialog& style) {
      gallery.suffixNext(QStringLiteral("卡拉OK设置"), QStringLiteral("歌词样式"));
      QApplication::processEvents();
      gallery.save(style);
      return int(QDialog::Rejected);
    });
    if (w.lyricList()->rowCount() > 0) w.styleCommand();
    return int(QDialog::Rejected);
  });
  window.karaokeCommand();
  // The photo editing windows and the single-photograph preview.
  shootDeleteWindows(gallery, session.project);
  shootPreview(gallery, session, window);

  // The settings windows (shot as they open, then confirmed).
  window.albumLengthCommand();
  window.otherSettingsCommand();

  // Three captions, the preview of all of them two seconds in.
  gallery.windows.push_back([&](QDialog& w) {
    auto& effects = static_cast<ui::TextEffectWindow&>(w);
    const struct {
      const char* text;
      int second, entry, size;
      const char* colour;
    } captions[] = {{"生日快乐", 0, 2, 30, "clYellow"}, {"Happy Birthday", 0, 1, 24, "clWhite"},
                    {"岁岁平安", 1, 11, 28, "clAqua"}};
    for (const auto& c : captions) {
      effects.textField()->setText(QString::fromUtf8(c.text));
      effects.secondChooser()->setCurrentIndex(c.second);
      effects.effectChooser()->setCurrentIndex(c.entry - 1);
      effects.sizeChooser()->setCurrentText(QString::number(c.size));
      effects.colourChooser()->setCurrentText(QString::fromLatin1(c.colour));
      effects.addEffect();
    }
    effects.textField()->setText(QStringLiteral("此处输入文字"));
    effects.allPreview();
    effects.runDueFrames(130);
    QApplication::processEvents();
    gallery.save(w);
    w.reject();
    return int(QDialog::Rejected);
  });
  window.textEffectsCommand();

  // The three layouts as a 1366 × 768 screen gets them.
  const QRect screen(0, 0, 1366, 768);
  const struct {
    WindowLayout layout;
    const char* name;
  } layouts[] = {{WindowLayout::Start, "启动窗体"}, {WindowLayout::Fitted, "窗体放大"},
                 {WindowLayout::Full, "全屏"}};
  for (const auto& l : layouts) {
    window.applyLayout(l.layout, screen);
    QApplication::processEvents();
    gallery.suffixNext(QStringLiteral("Solvane2017"), QString::fromUtf8(l.name));
    gallery.save(window);
  }
  window.applyLayout(WindowLayout::Start, screen);
  QApplication::processEvents();

  // A command's tip, two seconds after the pointer came to rest on it.
  QPushButton* effectsButton = window.command(QStringLiteral("文字特效"));
  QCursor::setPos(effectsButton->mapToGlobal(effectsButton->rect().center()));
  window.tips()->showTip(effectsButton->toolTip());
  wait(2000 + ui::TipWindow::kFadeMs + 300);
  saveWithTip(window, QDir(out).filePath(QStringLiteral("Solvane2017-提示.png")));
  window.tips()->hideTip();

  // The image-sequence size window with its format choice; closing it ends the command.
  gallery.suffixNext(QStringLiteral("输出相册尺寸"), QStringLiteral("序列图"));
  gallery.windows.push_back([&](QDialog& w) {
    gallery.save(w);
    w.reject();
    return int(QDialog::Rejected);
  });
  window.outputCommand(QStringLiteral("XLTP"));

  // A DVD album at the normal quality, taken part-way; the message says where it went.
  session.project.Edit_huanmian_zhiliang = QStringLiteral("yiban_huazhi");
  gallery.saveNames.push_back(work.path() + QStringLiteral("/相册"));
  window.outputCommand(QStringLiteral("DVD"));
  return 0;
}
