#include "templates/template_player.h"

#include <algorithm>
#include <map>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/error.h"
#include "templates/movie_model.h"
#include "templates/movie_renderer.h"

namespace solvane {

namespace {

QByteArray readMovieFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(QStringLiteral("%1: the movie file cannot be opened (%2)")
                    .arg(QDir::toNativeSeparators(path), file.errorString()));
  return file.readAll();
}

// Picture k of a movie: slots beside it, the opening picture in "pic" two levels up.
QString picturePath(const QString& moviePath, int k) {
  const QDir folder = QFileInfo(moviePath).absoluteDir();
  if (k > 0) return folder.filePath(QStringLiteral("picture_%1.rar").arg(k));
  QDir up = folder;
  up.cdUp();
  up.cdUp();
  return up.filePath(QStringLiteral("pic/picture_0.rar"));
}

}  // namespace

struct TemplatePlayer::State {
  QSize size{1920, 1080};
  QString moviePath;
  std::unique_ptr<MovieRenderer> renderer;
  std::vector<QImage> pictures;
  int frame = 0;
  std::map<QString, QString> variables;
  QStringList missing;
  FSCommandHandler onCommand;
  PictureWarningHandler onPictureWarning;

  void rebuildRenderer() {
    if (renderer) renderer = std::make_unique<MovieRenderer>(renderer->movie(), pictures, size);
  }

  QImage loadPicture(const QString& path) {
    QFile file(path);
    QString reason;
    QImage image;
    if (!file.exists()) {
      reason = QStringLiteral("the picture file is missing");
    } else if (!file.open(QIODevice::ReadOnly)) {
      reason = QStringLiteral("the picture file cannot be opened (%1)").arg(file.errorString());
    } else {
      // Staged pictures are JPEG data under a ".rar" name, so the format is given.
      image = QImage::fromData(file.readAll(), "JPEG");
      if (image.isNull()) reason = QStringLiteral("the picture file is not a readable JPEG");
    }
    if (!reason.isEmpty()) {
      missing << path;
      if (onPictureWarning) onPictureWarning(path, reason);
    }
    return image;
  }
};

TemplatePlayer::TemplatePlayer() : state_(std::make_unique<State>()) {}
TemplatePlayer::~TemplatePlayer() = default;

void TemplatePlayer::setSize(QSize size) {
  size = size.expandedTo(QSize(16, 9));
  if (size == state_->size) return;
  state_->size = size;
  state_->rebuildRenderer();
}

QSize TemplatePlayer::size() const { return state_->size; }

void TemplatePlayer::setMovie(const QString& path) {
  State& s = *state_;
  s.renderer.reset();
  s.pictures.clear();
  s.missing.clear();
  s.frame = 0;
  s.moviePath = path;
  solvane::Movie movie = parse_movie(readMovieFile(path), QDir::toNativeSeparators(path));

  const std::vector<int> slots = movie.slots();
  const int highest = slots.empty() ? 0 : slots.back();
  s.pictures.assign(size_t(highest + 1), QImage());
  if (movie.usesOpeningPicture()) s.pictures[0] = s.loadPicture(picturePath(path, 0));
  for (int k : slots) s.pictures[size_t(k)] = s.loadPicture(picturePath(path, k));

  s.renderer = std::make_unique<MovieRenderer>(std::move(movie), s.pictures, s.size);
  if (s.onCommand) s.onCommand(QString::fromLatin1(kReadyCommand), QString());
}

QString TemplatePlayer::Movie() const { return state_->moviePath; }

void TemplatePlayer::setFrameNum(int frame) {
  state_->frame = std::clamp(frame, 0, std::max(0, TotalFrames() - 1));
}

int TemplatePlayer::FrameNum() const { return state_->frame; }

int TemplatePlayer::TotalFrames() const {
  return state_->renderer ? state_->renderer->movie().frames : 0;
}

void TemplatePlayer::Stop() {}

void TemplatePlayer::SetVariable(const QString& name, const QString& value) {
  state_->variables[name] = value;
}

QString TemplatePlayer::GetVariable(const QString& name) const {
  if (name == QLatin1String(kIdentityVariable))
    return state_->renderer ? QString::fromLatin1(kIdentityValue) : QString();
  const auto it = state_->variables.find(name);
  return it == state_->variables.end() ? QString() : it->second;
}

bool TemplatePlayer::identityOk() const {
  return GetVariable(QString::fromLatin1(kIdentityVariable)) == QLatin1String(kIdentityValue);
}

void TemplatePlayer::setFSCommandHandler(FSCommandHandler handler) {
  state_->onCommand = std::move(handler);
}

void TemplatePlayer::setPictureWarningHandler(PictureWarningHandler handler) {
  state_->onPictureWarning = std::move(handler);
}

QStringList TemplatePlayer::missingPictures() const { return state_->missing; }

void TemplatePlayer::paint(QImage& target) const {
  const State& s = *state_;
  if (target.isNull()) return;
  if (!s.renderer) {
    target.fill(Qt::black);
    return;
  }
  bool ok = false;
  const double fade =
      std::clamp(GetVariable(QString::fromLatin1(kFadeVariable)).trimmed().toDouble(&ok), 0.0,
                 100.0) / 100.0;
  if (target.size() == s.size) {
    s.renderer->render(s.frame, ok ? fade : 0.0, target);
    return;
  }
  QImage frame(s.size, QImage::Format_RGB32);
  s.renderer->render(s.frame, ok ? fade : 0.0, frame);
  target = frame.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
               .convertToFormat(target.format());
}

QImage TemplatePlayer::grab() const {
  QImage frame(state_->size, QImage::Format_RGB32);
  paint(frame);
  return frame;
}

}  // namespace solvane
