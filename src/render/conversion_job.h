#pragma once
// The conversion job of the make-album window: hands the frame list and the sound list to the
// converter with the preset and frame size of the output settings, keeps the progress list,
// and finishes the album (frame files removed, output folder opened when asked, window closed).
//
// The job is UI-free: the window gives it a ConversionHost through which it lets events run,
// moves the progress bars, runs the render driver's frame step and closes the window.
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include "model/workspace.h"
#include "render/converter.h"

namespace solvane {

// One row of the format table: the preset call and the frame-size call (absent = no call).
struct FormatChoice {
  std::optional<FormatPreset> format;
  TvStandard standard = TvStandard::Pal;
  std::optional<QSize> frameSize;
};

// Output kind ("VCD", "SVCD", "DVD", "AVI", "MP4", "XLTP"), television system ("PAL"/"NTSC") and
// picture quality ("yiban_huazhi"/"gaoqing_huazhi") to the calls the job makes.
FormatChoice formatFor(const QString& outputKind, const QString& tvSystem, const QString& quality);

// What an output command hands over when the album starts.
struct AlbumOrder {
  QStringList ListBox_Video;  // frame list: one picture path per frame
  QStringList ListBox_Audio;  // sound list: music files in album order
  QString Edit_VCDSVCDDVD_leixing;
  QString Edit_VCDSVCDDVD_zhishi;
  QString Edit_huanmian_zhiliang;
  QString Edit_tongbu_shezhi;
  QString edVideoOut;
  QString edAudioOut;
  // The size confirmed in the output-size window; when given it is the album's frame size,
  // otherwise the format table's size for the quality is used.
  std::optional<QSize> frameSize;
};

// The window's side of the job. Every member may be left empty.
struct ConversionHost {
  std::function<void()> processEvents;                       // let user-interface events run
  std::function<void()> frameStep;                           // the render driver's FrameStep
  std::function<void(const QImage&)> showFrame;              // preview picture Image1
  std::function<void()> stepBar1;                            // ProgressBar1 + 1 (one per frame)
  std::function<void(int value, int maximum)> setBar2;       // ProgressBar2
  std::function<void(bool busy)> busyCursor;
  std::function<void(bool enabled)> enableStop;              // "停止制作"
  std::function<void()> armFinishTimer;                      // Timer2 (1000 ms, one shot)
  std::function<void()> disarmFinishTimer;
  std::function<void(const QString& folder)> openFolder;     // platform file browser
  std::function<void()> closeWindow;
  std::function<void(const QString& line)> lineAdded;        // lstProgress grew (for scrolling)
};

class ConversionJob {
 public:
  static constexpr int kMaxProgressLines = 32000;

  ConversionJob(const Workspace& workspace, ConversionHost host,
                std::shared_ptr<FrameHandoff> handoff = FrameHandoff::shared());
  ~ConversionJob();

  // Runs the whole conversion; returns when it has ended or was stopped.
  void ConvertAlbum(const AlbumOrder& order);
  // The handler of Timer2: stops a running conversion, removes the frame files, opens the
  // output folder when asked and closes the window. Runs once per album.
  void FinishAlbum();
  // "停止制作": arms the finishing timer.
  void StopCommand();
  // "打开保存位置".
  void OpenOutputFolder();
  void AddProgressLine(const QString& text);

  // "完成后打开保存文件夹", cleared by every output command.
  bool CheckBox_daikai_wenjianjia = false;

  const QStringList& lstProgress() const { return lstProgress_; }
  bool isConverting() const { return converter_ && converter_->isConverting(); }
  // ProgressBar2 as the job last set it.
  int progressBar2() const { return bar2_; }

 private:
  void assignCallbacks(Converter& converter);
  void loadList(MediaList& list, const QStringList& entries, int kind);
  void videoFunction(const QImage& picture);
  void progressLine(int status, long long frame, long long sample, int percent);
  void setBar2(int value, int maximum);
  void processEvents() const;

  const Workspace& workspace_;
  ConversionHost host_;
  std::shared_ptr<FrameHandoff> handoff_;
  std::unique_ptr<Converter> converter_;
  MediaList frames_;
  MediaList sounds_;
  QStringList lstProgress_;
  QString edVideoOut_;
  long long totalFrames_ = 0;
  long long totalSamples_ = 0;
  int bar2_ = 0;
  int bar2Max_ = 100;
  QString lastReportedError_;
  bool finished_ = false;  // FinishAlbum ran (or is running) for this album
};

}  // namespace solvane
