#include "render/conversion_job.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/sentinels.h"

namespace solvane {
namespace {

// The frame files of the render driver, removed when an album finishes.
const char* const kFrameFiles[] = {
    "smxcwjj\\tp_load\\tp_load_1.bmp",
    "smxcwjj\\tp_load\\tp_load_1_2_1.bmp",
    "smxcwjj\\tp_load\\tp_load_1_2_1.jpg",
    "smxcwjj\\tp_wjj\\pic\\picture_0.rar",
};

}  // namespace

FormatChoice formatFor(const QString& outputKind, const QString& tvSystem, const QString& quality) {
  FormatChoice choice;
  choice.standard = tvSystem == word::NTSC ? TvStandard::Ntsc : TvStandard::Pal;
  const QSize hd(1920, 1080);
  const QSize sd(1280, 720);
  const bool high = quality == word::gaoqing_huazhi;
  const bool normal = quality == word::yiban_huazhi;
  if (outputKind == "VCD") {
    choice.format = FormatPreset::Vcd;
    if (high || normal) choice.frameSize = sd;
  } else if (outputKind == "SVCD" || outputKind == "DVD") {
    choice.format = outputKind == "DVD" ? FormatPreset::Dvd : FormatPreset::Svcd;
    if (normal) choice.frameSize = sd;
    if (high) choice.frameSize = hd;
  } else if (outputKind == "AVI" || outputKind == word::MP4) {
    if (normal) choice.frameSize = sd;
    if (high) choice.frameSize = hd;
  } else if (outputKind == "XLTP") {
    if (high) choice.frameSize = hd;
  }
  return choice;
}

ConversionJob::ConversionJob(const Workspace& workspace, ConversionHost host, std::shared_ptr<FrameHandoff> handoff)
    : workspace_(workspace), host_(std::move(host)), handoff_(std::move(handoff)) {}

ConversionJob::~ConversionJob() = default;

void ConversionJob::processEvents() const {
  if (host_.processEvents) host_.processEvents();
}

void ConversionJob::setBar2(int value, int maximum) {
  bar2_ = value;
  bar2Max_ = maximum;
  if (host_.setBar2) host_.setBar2(value, maximum);
}

void ConversionJob::AddProgressLine(const QString& text) {
  if (lstProgress_.size() > kMaxProgressLines - 1) lstProgress_.removeFirst();
  lstProgress_.append(text);
  if (host_.lineAdded) host_.lineAdded(text);
  processEvents();
}

void ConversionJob::loadList(MediaList& list, const QStringList& entries, int kind) {
  setBar2(0, static_cast<int>(entries.size()));
  for (const QString& entry : entries) {
    list.add(entry, kind, 0, 0);
    processEvents();
    setBar2(bar2_ + 1, bar2Max_);
  }
}

void ConversionJob::assignCallbacks(Converter& converter) {
  converter.assignVideoSource([this](VideoSource& source, int index) {
    if (std::optional<QString> name = frames_.getName(index)) source.setFile(*name); else source.finished();
  });
  converter.assignVideoFunc([this](int, const QImage& picture) { videoFunction(picture); });
  converter.assignAudioSource([this](AudioSource& source, int index) {
    if (std::optional<QString> name = sounds_.getName(index)) source.setFile(*name); else source.finished();
  });
  converter.assignAudioFunc([] {});
  converter.assignProgress(
      [this](int status, long long frame, long long sample, int percent) { progressLine(status, frame, sample, percent); });
  converter.assignError([this](int, int& action) {
    action = mcl_action::kStop;
    lastReportedError_ = converter_->getErrorStr();
    AddProgressLine(lastReportedError_);
  });
}

void ConversionJob::videoFunction(const QImage& picture) {
  if (host_.frameStep) host_.frameStep();
  if (host_.stepBar1) host_.stepBar1();
  processEvents();
  if (bar2_ == 100) setBar2(0, 100);
  setBar2(bar2_ + 1, 100);
  if (host_.showFrame) host_.showFrame(picture);
}

void ConversionJob::progressLine(int status, long long frame, long long sample, int percent) {
  switch (status) {
    case mcl_status::kElapsed:
      AddProgressLine("Processing time: " + Converter::makeTimeStr(converter_->getElapsedTime()));
      break;
    case mcl_status::kPreparing:
      AddProgressLine("Preparing conversion...");
      break;
    case mcl_status::kReducing:
      AddProgressLine("Reducing colors, done frames: " + QString::number(frame));
      break;
    case mcl_status::kFrame:
      AddProgressLine("Frame: " + QString::number(frame) + ", Sample: " + QString::number(sample) + ", Time Left: " +
                      Converter::makeTimeStr(converter_->getRemainingTime(totalFrames_, totalSamples_)));
      break;
    case mcl_status::kMultiplex:
      AddProgressLine("Multiplexing done: " + QString::number(percent) + "%");
      break;
    default:
      AddProgressLine("Unrecognized status code");
      break;
  }
}

void ConversionJob::ConvertAlbum(const AlbumOrder& order) {
  // 1. A new album: a fresh progress list and a finishing still to come.
  lstProgress_.clear();
  finished_ = false;
  lastReportedError_.clear();
  edVideoOut_ = order.edVideoOut;
  // 2. The converter, its callbacks and the two lists.
  converter_ = std::make_unique<Converter>();
  converter_->setFrameHandoff(handoff_);
  assignCallbacks(*converter_);
  frames_.clear();
  sounds_.clear();
  if (host_.busyCursor) host_.busyCursor(true);
  // 3-4. Load the lists.
  loadList(frames_, order.ListBox_Video, kListPicture);
  loadList(sounds_, order.ListBox_Audio, kListSound);
  // 5. Totals.
  totalFrames_ = frames_.getFrameCount();
  totalSamples_ = sounds_.getSampleCount();
  AddProgressLine("Total frames:  " + QString::number(totalFrames_));
  AddProgressLine("Total samples: " + QString::number(totalSamples_));
  // 6-9. Preset, duration, truncation and frame size from the output settings.
  const FormatChoice choice =
      formatFor(order.Edit_VCDSVCDDVD_leixing, order.Edit_VCDSVCDDVD_zhishi, order.Edit_huanmian_zhiliang);
  if (choice.format) converter_->setFormatPreset(*choice.format, choice.standard);
  converter_->setKeepDuration(true);
  if (order.Edit_tongbu_shezhi == word::sui_zhaopian_tongbu) converter_->setTruncateAudioToVideo(true);
  const std::optional<QSize> frameSize = order.frameSize ? order.frameSize : choice.frameSize;
  if (frameSize) converter_->setVideoFormat(frameSize->width(), frameSize->height(), 32);
  // 10-11.
  setBar2(0, 100);
  if (host_.enableStop) host_.enableStop(true);
  converter_->setVideoFileName(order.edVideoOut);
  converter_->setAudioFileName(order.edAudioOut);
  if (host_.busyCursor) host_.busyCursor(false);
  // 12. Convert.
  if (totalFrames_ > 0 || totalSamples_ > 0) {
    AddProgressLine("Starting conversion...");
    // A stop that came through while the line above let events run has already finished the
    // album and closed the window: converting now would write an album nobody asked for.
    if (!finished_) converter_->convert();
    // An error already logged through the error callback is not logged twice.
    if (converter_->getError() != mcl_error::kNone && converter_->getErrorStr() != lastReportedError_) {
      AddProgressLine(converter_->getErrorStr());
    }
    AddProgressLine("Conversion ended.");
    // After "停止制作" the finishing is already under way and is not armed again.
    if (!finished_ && host_.armFinishTimer) host_.armFinishTimer();
  } else {
    AddProgressLine("Nothing to convert.");
  }
  // 13. Release the lists and the converter.
  frames_.clear();
  sounds_.clear();
  converter_.reset();
}

void ConversionJob::StopCommand() {
  if (host_.armFinishTimer) host_.armFinishTimer();
}

void ConversionJob::OpenOutputFolder() {
  if (host_.openFolder) host_.openFolder(QFileInfo(edVideoOut_).absolutePath());
}

void ConversionJob::FinishAlbum() {
  if (host_.disarmFinishTimer) host_.disarmFinishTimer();
  if (finished_) return;
  finished_ = true;
  if (converter_ && converter_->isConverting()) converter_->abort();
  for (const char* relative : kFrameFiles) {
    const QString path = workspace_.WorkPath(QString::fromLatin1(relative));
    if (handoff_) handoff_->withdraw(path);
    QFile::remove(path);
  }
  if (CheckBox_daikai_wenjianjia) OpenOutputFolder();
  if (host_.closeWindow) host_.closeWindow();
}

}  // namespace solvane
