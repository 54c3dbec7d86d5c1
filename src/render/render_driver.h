#pragma once
// The render driver of the make-album window: plays the staged template instances one after
// another in the template player, then the closing movie, and turns every step into one
// 1920 × 1080 frame handed to the converter in memory. The converter asks for one frame step
// per album frame, so rendering and encoding run in lock step.
//
// Frame hand-off: the picture a frame step publishes is the NEXT frame of the album; the
// first frame is the black start picture that StartAlbum publishes.
#include <deque>
#include <functional>

#include <QImage>
#include <QString>
#include <QStringList>

namespace solvane {

struct Project;
class TemplatePlayer;
class Workspace;

inline constexpr int kFrameWidth = 1920;
inline constexpr int kFrameHeight = 1080;
// Frames of the closing movie at the end of an album that follows the photographs.
inline constexpr int kClosingFrames = 100;

// State fields of the make-album window. They keep their last values until the next album.
struct RenderState {
  int Edit_moban_zhizuo_num = -1;  // working-copy row of the movie playing; -1 before the first
  int Edit_leijiazhen_num = -1;    // frame of the current movie the next step seeks
  long long Edit_Num = 0;          // frames produced since the album started
  bool closingStarted = false;     // Edit_zuihoumoban_kaiguan: "tongguo" once the closing movie runs
  bool holdingLastPicture = false; // music rule without picture loop: the last movie has ended
  QString Edit_wancheng;           // the player's ready flag
  QString Edit_shijian = QStringLiteral("00:00");  // album clock
  QString currentMovie;            // full path of the movie in the player
};

// Where the frame overlay (lyrics, karaoke, text effects) plugs in. Every member may be
// empty. They run on the thread that renders, in the order the driver documents.
struct OverlayHooks {
  // Start of an album: clear the lyric label, the lyric clocks and the karaoke labels.
  std::function<void()> resetOverlays;
  // Called only when the text-effect table / picture-effect table has rows.
  std::function<void()> createTextEffectLabels;
  std::function<void()> createPicturePictures;
  std::function<void()> startLyrics;
  std::function<void()> startKaraoke;
  // Around every change of movie, so the next movie's opening picture stays uncovered.
  std::function<void()> hideOverlays;
  std::function<void()> showOverlays;
  // Paints the visible overlay elements over `frame`, which arrives holding the background
  // (the player's latest picture) as an implicitly shared copy. Open a QPainter on it only
  // when something is visible: painting detaches the copy, leaving the background untouched.
  std::function<void(QImage& frame)> composeOverBackground;
  // Advance the overlays for the next frame, after the album clock has been set.
  std::function<void(const RenderState&)> karaokeStep;
  std::function<void(const RenderState&)> lyricStep;
  std::function<void(const RenderState&)> textEffectStep;
};

class RenderDriver {
 public:
  using FramePublisher = std::function<void(const QImage& frame)>;

  // The project, workspace and player must outlive the driver. The driver installs its own
  // FSCommand handler on the player, and StartAlbum sets it to keep no earlier loads.
  RenderDriver(Project& project, const Workspace& workspace, TemplatePlayer& player);

  void setOverlayHooks(OverlayHooks hooks);
  void setFramePublisher(FramePublisher publisher);

  // Builds the instance table, its working copy, the frame count and the sound list,
  // publishes the black start picture, starts the overlays and the first movie. The caller
  // then runs the conversion, which calls FrameStep once per album frame.
  void StartAlbum();
  // Plays the next row of the working copy, or the closing movie.
  void StartNextMovie();
  // Produces one frame (seek, photograph, compose, publish) and advances the overlays.
  void FrameStep();

  // F: entries of the frame list (every one is "the current frame").
  long long frameCount() const { return frameCount_; }
  // ListBox_Audio: the music files in the order they sound.
  const QStringList& soundList() const { return soundList_; }
  const RenderState& state() const { return state_; }
  // The frame picture every entry of the frame list names ("smxcwjj\tp_load\tp_load_1.bmp");
  // frames are published under it, never written to disk.
  QString framePicturePath() const;
  // The latest photograph of the player (the background picture Image_load).
  const QImage& background() const { return background_; }

 private:
  void buildInstanceTable();
  void buildFrameAndSoundLists();
  void startMovie(const QString& path);
  void writeOpeningPicture(const QImage& picture);
  void publish(const QImage& frame);
  QImage& freeFrameBuffer();
  QString moviePath(int instance) const;
  QString closingMoviePath() const;

  Project& project_;
  const Workspace& workspace_;
  TemplatePlayer& player_;
  OverlayHooks hooks_;
  FramePublisher publisher_;
  RenderState state_;
  QImage background_;
  std::deque<QImage> frameBuffers_;  // deque: references stay valid as it grows
  QImage spareBuffer_;
  long long frameCount_ = 0;
  bool musicRule_ = false;  // the album follows the music (and there is music)
  QStringList soundList_;
};

}  // namespace solvane
