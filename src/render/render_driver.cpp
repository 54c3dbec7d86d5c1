#include "render/render_driver.h"

#include <algorithm>

#include <QBuffer>
#include <QImageWriter>

#include "effects/album_settings.h"
#include "model/columns.h"
#include "model/error.h"
#include "model/file_io.h"
#include "model/project.h"
#include "model/workspace.h"
#include "model/frame_clock.h"
#include "templates/template_player.h"

namespace solvane {
namespace {

const QString kReadyWord = QStringLiteral("picture_0_wancheng");
const QString kOpeningPicture = QStringLiteral("smxcwjj\\tp_wjj\\pic\\picture_0.rar");
const QString kInstanceFolder = QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_");
const QString kClosingMovie = QStringLiteral("smxcwjj\\tp_wjj\\tp_wjj\\tp_wjj_zuihou\\w_j_zuihou");

// Numbers in cells are the system's own writing; anything else counts as nothing.
long long cellNumber(const QString& text) {
  bool ok = false;
  const long long value = text.trimmed().toLongLong(&ok);
  return ok ? value : 0;
}

QByteArray encodeJpeg(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setQuality(90);
  if (!writer.write(picture))
    throw Error(QStringLiteral("cannot encode the opening picture: %1").arg(writer.errorString()));
  return bytes;
}

QImage blackCanvas() {
  QImage black(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
  black.fill(Qt::black);
  return black;
}

void run(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

RenderDriver::RenderDriver(Project& project, const Workspace& workspace, TemplatePlayer& player)
    : project_(project), workspace_(workspace), player_(player) {
  player_.setFSCommandHandler([this](const QString& command, const QString&) {
    if (command == QLatin1String(TemplatePlayer::kReadyCommand)) state_.Edit_wancheng = kReadyWord;
  });
}

void RenderDriver::setOverlayHooks(OverlayHooks hooks) { hooks_ = std::move(hooks); }

void RenderDriver::setFramePublisher(FramePublisher publisher) {
  publisher_ = std::move(publisher);
}

void RenderDriver::StartAlbum() {
  player_.setSize(QSize(kFrameWidth, kFrameHeight));
  // Every movie plays once (a looped one opens on a new picture), so earlier loads are
  // never reused; keeping them would only hold their pictures.
  player_.setKeptLoads(0);
  state_ = RenderState{};
  run(hooks_.resetOverlays);

  // The black start picture is the album's first frame and the first movie's opening picture.
  background_ = blackCanvas();
  publish(background_);
  writeOpeningPicture(background_);

  buildInstanceTable();
  buildFrameAndSoundLists();

  if (!project_.ListView_Label.empty()) run(hooks_.createTextEffectLabels);
  if (!project_.ListView_Image.empty()) run(hooks_.createPicturePictures);
  run(hooks_.startLyrics);
  run(hooks_.startKaraoke);

  StartNextMovie();
}

// One row per instance 1 … N; the template cells come from the instance's photographs (they
// all carry the same ones). Photographs of any other instance number are left out.
void RenderDriver::buildInstanceTable() {
  Table& instances = project_.ListView_moban_shiyong_shuliang;
  instances.clear();
  const long long n = std::max(0LL, cellNumber(project_.Edit_mobanleijia_sum));
  for (long long i = 1; i <= n; ++i) {
    const QString number = QString::number(i);
    instances.append({number, number, "0", "0", "0", "0", "0", "0", "0"});
  }
  const Table& photos = project_.ListView_daoruxiangpian;
  for (int p = 0; p < photos.count(); ++p) {
    const long long t = cellNumber(photos.cell(p, photo_col::template_folder));
    if (t < 1 || t > n) continue;
    const int row = static_cast<int>(t - 1);
    instances.setCell(row, instance_col::template_no, photos.cell(p, photo_col::template_no));
    instances.setCell(row, instance_col::template_photo_count,
                      photos.cell(p, photo_col::template_photo_count));
    instances.setCell(row, instance_col::template_path, photos.cell(p, photo_col::template_path));
    instances.setCell(row, instance_col::tpl_orientation,
                      photos.cell(p, photo_col::tpl_orientation));
    instances.setCell(row, instance_col::tpl_jpg_name, photos.cell(p, photo_col::tpl_jpg_name));
    instances.setCell(row, instance_col::tpl_frame_count,
                      photos.cell(p, photo_col::tpl_frame_count));
    instances.setCell(row, instance_col::unpacked_path, moviePath(row + 1));
  }
  // An instance without photographs has no movie to play; stop before anything is encoded.
  for (int row = 0; row < instances.count(); ++row)
    if (instances.cell(row, instance_col::unpacked_path) == QLatin1String("0"))
      throw Error(QStringLiteral("Template instance %1 has no photographs; re-import the "
                                 "photographs and try again.")
                      .arg(row + 1));
}

// Photograph rule: every movie once, then 100 frames of the closing movie; the sound is cut
// at the last picture. With the music loop the songs repeat until they cover the pictures.
// Music rule: the album lasts exactly as long as the songs, played once each.
void RenderDriver::buildFrameAndSoundLists() {
  Table& copy = project_.ListView_moban_shiyong_shuliang_2;
  copy.clear();
  long long pictureFrames = 0;
  const Table& instances = project_.ListView_moban_shiyong_shuliang;
  for (int r = 0; r < instances.count(); ++r) {
    QStringList row = instances.row(r);
    row[0] = QString::number(r + 1);
    copy.append(row);
    pictureFrames += std::max(0LL, cellNumber(row[instance_col::tpl_frame_count]));
  }

  const Table& music = project_.ListView_daoru_yinyue;
  long long musicFrames = 0;
  QStringList songs;
  for (int r = 0; r < music.count(); ++r) {
    songs << music.cell(r, music_col::path);
    musicFrames += std::max(0LL, cellNumber(music.cell(r, music_col::frames_needed)));
  }

  musicRule_ = followsMusic(project_) && !songs.isEmpty();
  soundList_ = songs;
  if (musicRule_) {
    if (musicFrames <= 0)
      throw Error(QStringLiteral("The music is too short to make an album that follows it "
                                 "(under one second)."));
    frameCount_ = musicFrames;
    return;
  }
  frameCount_ = pictureFrames + kClosingFrames;
  if (project_.album_loops.music_loop && musicFrames > 0) {
    for (long long covered = musicFrames; covered < frameCount_; covered += musicFrames)
      soundList_ += songs;
  }
}

void RenderDriver::StartNextMovie() {
  run(hooks_.hideOverlays);
  const Table& copy = project_.ListView_moban_shiyong_shuliang_2;
  int m = state_.Edit_moban_zhizuo_num + 1;
  QString movie;
  if (m < copy.count()) {
    movie = copy.cell(m, instance_col::unpacked_path);
  } else if (!musicRule_) {
    // Every instance has played: the closing movie opens on the last uncovered picture.
    writeOpeningPicture(background_);
    state_.closingStarted = true;
    m = -1;
    movie = closingMoviePath();
  } else if (project_.album_loops.picture_loop && copy.count() > 0) {
    m = 0;
    movie = copy.cell(0, instance_col::unpacked_path);
  } else {
    // The last picture stays until the music ends.
    state_.Edit_moban_zhizuo_num = m;
    state_.holdingLastPicture = true;
    run(hooks_.showOverlays);
    return;
  }
  state_.Edit_moban_zhizuo_num = m;
  startMovie(movie);
  state_.Edit_leijiazhen_num = -1;
  run(hooks_.showOverlays);
}

// The movie protocol: load, fade off, identity check, run to the end and back, stop, and
// wait for the movie's ready command. Our player issues it while loading, so a movie that
// has not issued it by now never will.
void RenderDriver::startMovie(const QString& path) {
  state_.Edit_wancheng.clear();
  player_.setMovie(path);
  state_.currentMovie = path;
  player_.SetVariable(QString::fromLatin1(TemplatePlayer::kFadeVariable), QStringLiteral("0"));
  if (player_.GetVariable(QString::fromLatin1(TemplatePlayer::kIdentityVariable)) !=
      QLatin1String(TemplatePlayer::kIdentityValue))
    throw Error(QStringLiteral("%1: not a template movie of this program").arg(path));
  player_.setFrameNum(player_.TotalFrames());
  player_.setFrameNum(0);
  player_.Stop();
  if (state_.Edit_wancheng != kReadyWord)
    throw Error(QStringLiteral("%1: the movie never reported that its pictures are loaded")
                    .arg(path));
}

void RenderDriver::FrameStep() {
  // Holding the last picture needs no new photograph: the player has nothing else to show.
  if (!state_.holdingLastPicture) {
    player_.setFrameNum(state_.Edit_leijiazhen_num);
    QImage& picture = freeFrameBuffer();
    player_.paint(picture);
    background_ = picture;
  }
  QImage frame = background_;
  if (hooks_.composeOverBackground) hooks_.composeOverBackground(frame);
  publish(frame);

  ++state_.Edit_leijiazhen_num;
  ++state_.Edit_Num;
  state_.Edit_shijian = FrameClockText(state_.Edit_Num);
  if (hooks_.karaokeStep) hooks_.karaokeStep(state_);
  if (hooks_.lyricStep) hooks_.lyricStep(state_);
  if (hooks_.textEffectStep) hooks_.textEffectStep(state_);

  // A movie of T frames has now been photographed after seeks to -1, 0, …, T - 2. A movie
  // that reports no frames at all ends at once instead of holding the album forever.
  const bool movieEnded = state_.Edit_leijiazhen_num + 1 >= player_.TotalFrames();
  if (movieEnded && !state_.closingStarted && !state_.holdingLastPicture) {
    run(hooks_.hideOverlays);
    writeOpeningPicture(background_);
    run(hooks_.showOverlays);
    StartNextMovie();
  }
}

// Frames are large (8 MB); a fresh one per frame costs the kernel a page clearing each time.
// A buffer is free again once neither the converter nor the background picture holds it.
QImage& RenderDriver::freeFrameBuffer() {
  for (QImage& buffer : frameBuffers_)
    if (buffer.isDetached()) return buffer;
  constexpr size_t kMaxBuffers = 8;  // a few in the converter's queue, one as the background
  if (frameBuffers_.size() < kMaxBuffers) {
    frameBuffers_.emplace_back(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    return frameBuffers_.back();
  }
  spareBuffer_ = QImage(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
  return spareBuffer_;
}

void RenderDriver::writeOpeningPicture(const QImage& picture) {
  const QString path = workspace_.WorkPath(kOpeningPicture);
  EnsureFolder(path.section(QLatin1Char('/'), 0, -2));
  writeWholeFile(path, encodeJpeg(picture));
}

void RenderDriver::publish(const QImage& frame) {
  if (publisher_) publisher_(frame);
}

QString RenderDriver::framePicturePath() const {
  return workspace_.WorkPath(QStringLiteral("smxcwjj\\tp_load\\tp_load_1") + Project::Edit_kuozhanming_7);
}

QString RenderDriver::moviePath(int instance) const {
  const QString n = QString::number(instance);
  return workspace_.WorkPath(kInstanceFolder + n + QStringLiteral("\\w_j_") + n +
                             Project::Edit_kuozhanming_1);
}

QString RenderDriver::closingMoviePath() const {
  return workspace_.WorkPath(kClosingMovie + Project::Edit_kuozhanming_1);
}

}  // namespace solvane
