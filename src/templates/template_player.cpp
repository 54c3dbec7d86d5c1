#include "templates/template_player.h"

#include <algorithm>
#include <deque>
#include <map>

#include <QCryptographicHash>
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
  // One byte past the limit is enough for parse_movie to refuse the file by its size.
  return file.read(std::min(file.size(), kMaxMovieBytes) + 1);
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

struct PictureFile {
  QString path;
  QByteArray bytes;
  QString problem;  // empty when the picture is usable
};

PictureFile readPicture(const QString& path) {
  PictureFile f{path, {}, {}};
  QFile file(path);
  if (!file.exists())
    f.problem = QStringLiteral("the picture file is missing");
  else if (!file.open(QIODevice::ReadOnly))
    f.problem = QStringLiteral("the picture file cannot be opened (%1)").arg(file.errorString());
  else
    f.bytes = file.readAll();
  return f;
}

QImage decodePicture(PictureFile& f) {
  if (!f.problem.isEmpty()) return {};
  // Staged pictures are JPEG data under a ".rar" name, so the name says nothing; other
  // picture data (a bitmap not yet converted) is recognised by its content.
  QImage image = QImage::fromData(f.bytes, "JPEG");
  if (image.isNull()) image = QImage::fromData(f.bytes);
  if (image.isNull()) f.problem = QStringLiteral("the picture file is not a readable picture");
  return image;
}

// One prepared movie. Hosts load the same movies again and again (every movie start
// pre-loads the first and the closing movie), and preparing one takes a while, so the last
// few are kept and reused while their files are byte for byte the same.
struct Prepared {
  QByteArray fingerprint;  // of the movie text and every picture file
  QSize size;
  std::vector<QImage> pictures;
  std::vector<PictureFile> problems;
  std::shared_ptr<const MovieRenderer> renderer;
};

constexpr size_t kDefaultKeptLoads = 3;

}  // namespace

struct TemplatePlayer::State {
  QSize size{1920, 1080};
  QString moviePath;
  std::shared_ptr<const Prepared> current;
  std::deque<std::shared_ptr<const Prepared>> kept;  // most recent first, current included
  size_t keptLoads = kDefaultKeptLoads;
  int frame = 0;
  std::map<QString, QString> variables;
  QStringList missing;
  FSCommandHandler onCommand;
  PictureWarningHandler onPictureWarning;

  const MovieRenderer* renderer() const { return current ? current->renderer.get() : nullptr; }

  std::shared_ptr<const Prepared> find(const QByteArray& fingerprint) const {
    for (const auto& p : kept)
      if (p->fingerprint == fingerprint && p->size == size) return p;
    return nullptr;
  }

  void keep(std::shared_ptr<const Prepared> p) {
    std::erase(kept, p);
    kept.push_front(std::move(p));
    trim();
  }

  void trim() {
    if (kept.size() > keptLoads) kept.resize(keptLoads);
  }

  std::shared_ptr<const Prepared> prepare(solvane::Movie movie, std::vector<QImage> pictures,
                                          QByteArray fingerprint,
                                          std::vector<PictureFile> problems) const {
    auto p = std::make_shared<Prepared>();
    p->fingerprint = std::move(fingerprint);
    p->size = size;
    p->problems = std::move(problems);
    p->renderer = std::make_shared<MovieRenderer>(std::move(movie), pictures, size);
    p->pictures = std::move(pictures);
    return p;
  }
};

TemplatePlayer::TemplatePlayer() : state_(std::make_unique<State>()) {}
TemplatePlayer::~TemplatePlayer() = default;

void TemplatePlayer::setSize(QSize size) {
  State& s = *state_;
  size = size.expandedTo(QSize(16, 9));
  if (size == s.size) return;
  s.size = size;
  if (!s.current) return;
  auto same = s.find(s.current->fingerprint);
  if (!same)
    same = s.prepare(s.current->renderer->movie(), s.current->pictures, s.current->fingerprint,
                     s.current->problems);
  s.current = same;
  s.keep(same);
}

QSize TemplatePlayer::size() const { return state_->size; }

void TemplatePlayer::setKeptLoads(int count) {
  state_->keptLoads = size_t(std::max(0, count));
  state_->trim();
}

void TemplatePlayer::setMovie(const QString& path) {
  State& s = *state_;
  s.current.reset();
  s.missing.clear();
  s.frame = 0;
  s.moviePath = path;
  const QByteArray text = readMovieFile(path);
  solvane::Movie movie = parse_movie(text, QDir::toNativeSeparators(path));

  std::vector<int> used = movie.slots();
  if (movie.usesOpeningPicture()) used.insert(used.begin(), 0);
  QCryptographicHash hash(QCryptographicHash::Sha1);
  hash.addData(text);
  std::vector<PictureFile> files;
  for (int k : used) {
    files.push_back(readPicture(picturePath(path, k)));
    hash.addData(files.back().path.toUtf8());
    hash.addData(files.back().problem.isEmpty() ? files.back().bytes : QByteArray("-"));
  }
  const QByteArray fingerprint = hash.result();

  s.current = s.find(fingerprint);
  if (!s.current) {
    std::vector<QImage> pictures(size_t(used.empty() ? 1 : used.back() + 1));
    std::vector<PictureFile> problems;
    for (size_t i = 0; i < used.size(); ++i) {
      pictures[size_t(used[i])] = decodePicture(files[i]);
      if (!files[i].problem.isEmpty()) problems.push_back({files[i].path, {}, files[i].problem});
    }
    s.current = s.prepare(std::move(movie), std::move(pictures), fingerprint, std::move(problems));
  }
  s.keep(s.current);
  for (const PictureFile& f : s.current->problems) {
    s.missing << f.path;
    if (s.onPictureWarning) s.onPictureWarning(f.path, f.problem);
  }
  if (s.onCommand) s.onCommand(QString::fromLatin1(kReadyCommand), QString());
}

QString TemplatePlayer::Movie() const { return state_->moviePath; }

void TemplatePlayer::setFrameNum(int frame) {
  state_->frame = std::clamp(frame, 0, std::max(0, TotalFrames() - 1));
}

int TemplatePlayer::FrameNum() const { return state_->frame; }

int TemplatePlayer::TotalFrames() const {
  return state_->renderer() ? state_->renderer()->movie().frames : 0;
}

void TemplatePlayer::Stop() {}

void TemplatePlayer::SetVariable(const QString& name, const QString& value) {
  state_->variables[name] = value;
}

QString TemplatePlayer::GetVariable(const QString& name) const {
  if (name == QLatin1String(kIdentityVariable))
    return state_->renderer() ? QString::fromLatin1(kIdentityValue) : QString();
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
  const MovieRenderer* renderer = state_->renderer();
  if (target.isNull()) return;
  if (!renderer) {
    target.fill(Qt::black);
    return;
  }
  bool ok = false;
  const double fade =
      std::clamp(GetVariable(QString::fromLatin1(kFadeVariable)).trimmed().toDouble(&ok), 0.0,
                 100.0) / 100.0;
  const int frameNo = state_->frame;
  if (target.size() == state_->size) {
    renderer->render(frameNo, ok ? fade : 0.0, target);
    return;
  }
  QImage frame(state_->size, QImage::Format_RGB32);
  renderer->render(frameNo, ok ? fade : 0.0, frame);
  target = frame.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
               .convertToFormat(target.format());
}

QImage TemplatePlayer::grab() const {
  QImage frame(state_->size, QImage::Format_RGB32);
  paint(frame);
  return frame;
}

}  // namespace solvane
