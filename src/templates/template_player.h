#pragma once
// The template player: loads one template movie (our own text format, docs/movie-format.md)
// with the pictures staged beside it, and paints any of its frames into a picture of the
// host's size. Hosts drive it like a movie control: set Movie, check the identity variable,
// seek with FrameNum, paint. Nothing plays by itself: a frame is a pure function of
// (movie, pictures, frame number, host size), so seeking a frame directly gives exactly the
// picture that stepping to it gives.
#include <functional>
#include <memory>

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace solvane {

class TemplatePlayer {
 public:
  // Movie variables the hosts use.
  static constexpr const char* kIdentityVariable = "l_x_z_f_c";
  static constexpr const char* kIdentityValue = "l_x_z_f_c_s_y_w_j";
  // "xc_alpha": how far the whole frame is faded to black, in percent ("0" = the movie as
  // authored, "100" = black). Values outside 0 ... 100 are clamped; text that is not a
  // number reads as 0. Hosts set it to "0" when they start a movie.
  static constexpr const char* kFadeVariable = "xc_alpha";
  // The command every movie issues once its pictures are loaded.
  static constexpr const char* kReadyCommand = "picture_0";

  using FSCommandHandler = std::function<void(const QString& command, const QString& args)>;
  // Told once per picture file that is missing or undecodable, with the file's full path
  // and the reason. The movie still plays; the picture's place stays empty.
  using PictureWarningHandler = std::function<void(const QString& path, const QString& reason)>;

  TemplatePlayer();
  ~TemplatePlayer();
  TemplatePlayer(const TemplatePlayer&) = delete;
  TemplatePlayer& operator=(const TemplatePlayer&) = delete;

  // Host size: 1920 x 1080 for albums, the preview area's size for previews. The movie is
  // authored on a 1920 x 1080 canvas and scaled to the host size. Default 1920 x 1080.
  void setSize(QSize size);
  QSize size() const;

  // The `Movie` property. Loads the movie file and its pictures ("picture_<k>.rar" in the
  // movie's folder, "pic/picture_0.rar" two levels above it), shows frame 0 and issues the
  // FSCommand "picture_0" before returning. Throws Error naming the file when the movie
  // cannot be read, does not parse, or names an unknown layer kind; the player then holds
  // no movie (TotalFrames() == 0, paint() gives black). Loading takes a while (pictures are
  // decoded and pre-scaled); the last few loads (setKeptLoads) are kept and reused while the
  // movie and picture files stay byte for byte the same.
  void setMovie(const QString& path);
  // How many of the latest loads are kept for reuse, the current one among them (default 3).
  // A host that plays every movie once, as an album does, keeps none: each load holds tens
  // of megabytes of prepared pictures, and the current one is let go before the next loads.
  void setKeptLoads(int count);
  QString Movie() const;

  // Shows frame `frame`: below 0 shows frame 0, past the end shows the last frame.
  // FrameNum() answers the frame shown.
  void setFrameNum(int frame);
  int FrameNum() const;
  int TotalFrames() const;
  // The player has no clock of its own, so there is nothing to stop; kept for hosts that
  // follow the movie-control protocol.
  void Stop();

  // Movie variables. GetVariable(kIdentityVariable) answers kIdentityValue once a movie is
  // loaded; an unknown variable reads as empty text.
  void SetVariable(const QString& name, const QString& value);
  QString GetVariable(const QString& name) const;
  // True when the loaded movie answers the identity variable as the hosts expect.
  bool identityOk() const;

  void setFSCommandHandler(FSCommandHandler handler);
  void setPictureWarningHandler(PictureWarningHandler handler);
  // Full paths of the picture files the current movie uses that were missing or undecodable.
  QStringList missingPictures() const;

  // Paints the current frame over the whole of `target`, which should have the host size
  // (other sizes are painted scaled). Format_RGB32 or Format_ARGB32_Premultiplied.
  void paint(QImage& target) const;
  // The current frame in a new Format_RGB32 picture of the host size.
  QImage grab() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace solvane
