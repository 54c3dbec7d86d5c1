// The conversion job: format table, progress list, finishing and the stop command.
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "converter_test_album.h"
#include "model/sentinels.h"
#include "render/conversion_job.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

struct TableCase {
  const char* kind;
  const char* tv;
  const char* quality;
  std::optional<FormatPreset> format;
  TvStandard standard;
  std::optional<QSize> size;
};

class FormatTable : public testing::TestWithParam<TableCase> {};

TEST_P(FormatTable, GivesThePresetAndFrameSizeCalls) {
  const TableCase& c = GetParam();
  const FormatChoice choice = formatFor(c.kind, c.tv, c.quality);
  EXPECT_EQ(choice.format, c.format);
  if (c.format) {
    EXPECT_EQ(choice.standard, c.standard);
  }
  EXPECT_EQ(choice.frameSize, c.size);
}

const QSize kHd(1920, 1080);
const QSize kSd(1280, 720);
const TableCase kTable[] = {
    {"DVD", "NTSC", "gaoqing_huazhi", FormatPreset::Dvd, TvStandard::Ntsc, kHd},
    {"DVD", "PAL", "yiban_huazhi", FormatPreset::Dvd, TvStandard::Pal, kSd},
    {"VCD", "PAL", "gaoqing_huazhi", FormatPreset::Vcd, TvStandard::Pal, kSd},
    {"VCD", "NTSC", "yiban_huazhi", FormatPreset::Vcd, TvStandard::Ntsc, kSd},
    {"SVCD", "NTSC", "gaoqing_huazhi", FormatPreset::Svcd, TvStandard::Ntsc, kHd},
    {"SVCD", "PAL", "yiban_huazhi", FormatPreset::Svcd, TvStandard::Pal, kSd},
    {"AVI", "NTSC", "gaoqing_huazhi", std::nullopt, TvStandard::Pal, kHd},
    {"AVI", "PAL", "yiban_huazhi", std::nullopt, TvStandard::Pal, kSd},
    {"MP4", "NTSC", "gaoqing_huazhi", std::nullopt, TvStandard::Pal, kHd},
    {"MP4", "PAL", "yiban_huazhi", std::nullopt, TvStandard::Pal, kSd},
    {"XLTP", "PAL", "gaoqing_huazhi", std::nullopt, TvStandard::Pal, kHd},
    {"XLTP", "PAL", "yiban_huazhi", std::nullopt, TvStandard::Pal, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Rows, FormatTable, testing::ValuesIn(kTable));

// A stand-in make-album window: counts what the job asks of it and fires the finishing timer
// when events run, as the window's event loop would.
struct FakeWindow {
  ConversionJob* job = nullptr;
  bool timerArmed = false;
  int arms = 0;
  int closes = 0;
  std::vector<QString> openedFolders;
  int frameSteps = 0;
  std::function<void(int)> onFrameStep;

  ConversionHost host() {
    ConversionHost h;
    h.processEvents = [this] {
      if (timerArmed) job->FinishAlbum();
    };
    h.armFinishTimer = [this] {
      timerArmed = true;
      ++arms;
    };
    h.disarmFinishTimer = [this] { timerArmed = false; };
    h.closeWindow = [this] { ++closes; };
    h.openFolder = [this](const QString& folder) { openedFolders.push_back(folder); };
    h.frameStep = [this] {
      if (onFrameStep) onFrameStep(frameSteps);
      ++frameSteps;
    };
    return h;
  }
};

class ConversionJobTest : public testing::Test {
 protected:
  ConversionJobTest() : workspace_(dir_.qpath(), dir_.qpath()) {}

  AlbumOrder order(int frames, const char* kind = "VCD") {
    AlbumOrder o;
    const QString frame = QString::fromStdString((dir_ / "frame.bmp").string());
    handoff_->publish(frame, test::albumPicture(0, 64, 36));
    for (int i = 0; i < frames; ++i) o.ListBox_Video << frame;
    o.Edit_VCDSVCDDVD_leixing = kind;
    o.Edit_VCDSVCDDVD_zhishi = QString(word::PAL);
    o.Edit_huanmian_zhiliang = QString(word::yiban_huazhi);
    o.Edit_tongbu_shezhi = QString(word::sui_zhaopian_tongbu);
    o.edVideoOut = o.edAudioOut = QString::fromStdString((dir_ / "album.mpg").string());
    return o;
  }

  ScratchDir dir_;
  Workspace workspace_;
  std::shared_ptr<FrameHandoff> handoff_ = std::make_shared<FrameHandoff>();
  FakeWindow window_;
};

TEST_F(ConversionJobTest, FinishedAlbumLogsItsLinesAndArmsTheFinishingOnce) {
  ConversionJob job(workspace_, window_.host(), handoff_);
  window_.job = &job;
  test::makeToneWav(dir_ / "song.wav", 0.5, 8000, 1);
  AlbumOrder o = order(26);
  o.ListBox_Audio << QString::fromStdString((dir_ / "song.wav").string());
  job.ConvertAlbum(o);

  const QStringList& lines = job.lstProgress();
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines[0], "Total frames:  26");
  EXPECT_EQ(lines[1], "Total samples: 4000");
  EXPECT_EQ(lines[2], "Starting conversion...");
  EXPECT_EQ(lines[3], "Preparing conversion...");
  const QStringList counts = lines.filter(QRegularExpression("^Frame: \\d+, Sample: \\d+, Time Left: \\d\\d:\\d\\d:\\d\\d$"));
  EXPECT_EQ(counts.size(), 1) << lines.join("\n").toStdString();
  EXPECT_TRUE(lines.contains("Multiplexing done: 100%"));
  EXPECT_TRUE(lines[lines.size() - 2].startsWith("Processing time: 00:00:")) << lines[lines.size() - 2].toStdString();
  EXPECT_EQ(lines.last(), "Conversion ended.");
  EXPECT_EQ(window_.frameSteps, 26);
  EXPECT_EQ(window_.arms, 1);
  const test::MediaFacts facts = test::readMedia(dir_ / "album.mpg");
  EXPECT_EQ(facts.video.width, 1280);
  EXPECT_EQ(facts.video.height, 720);
}

TEST_F(ConversionJobTest, EmptyListsConvertNothingAndWaitForTheStopCommand) {
  ConversionJob job(workspace_, window_.host(), handoff_);
  window_.job = &job;
  job.ConvertAlbum(order(0));
  EXPECT_EQ(job.lstProgress(), (QStringList{"Total frames:  0", "Total samples: 0", "Nothing to convert."}));
  EXPECT_EQ(window_.arms, 0);
  EXPECT_EQ(window_.closes, 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "album.mpg"));
}

TEST_F(ConversionJobTest, StopAbortsTheConversionAndFinishesOnceWithTheFolderOpened) {
  ConversionJob job(workspace_, window_.host(), handoff_);
  window_.job = &job;
  job.CheckBox_daikai_wenjianjia = true;
  window_.onFrameStep = [&](int step) {
    if (step == 3) job.StopCommand();
  };
  test::writeFile(dir_ / "smxcwjj" / "tp_load" / "tp_load_1.bmp", "frame");
  test::writeFile(dir_ / "smxcwjj" / "tp_wjj" / "pic" / "picture_0.rar", "jpeg");
  job.ConvertAlbum(order(200));

  EXPECT_LE(window_.frameSteps, 5);  // the stop takes effect within a frame
  EXPECT_EQ(window_.arms, 1);        // only the stop armed the finishing
  EXPECT_EQ(window_.closes, 1);
  ASSERT_EQ(window_.openedFolders.size(), 1u);
  EXPECT_EQ(window_.openedFolders[0], dir_.qpath());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "album.mpg"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "album.mpg.part"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "smxcwjj" / "tp_load" / "tp_load_1.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "smxcwjj" / "tp_wjj" / "pic" / "picture_0.rar"));
  EXPECT_EQ(job.lstProgress().last(), "Conversion ended.");
  EXPECT_NE(job.lstProgress()[job.lstProgress().size() - 2].indexOf("removed"), -1);
  job.FinishAlbum();  // a late timer does nothing more
  EXPECT_EQ(window_.closes, 1);
}

TEST_F(ConversionJobTest, StopBeforeTheConversionStartsWritesNothing) {
  ConversionHost host = window_.host();
  ConversionJob* jobPointer = nullptr;
  host.lineAdded = [&](const QString& line) {
    if (line == "Starting conversion...") jobPointer->StopCommand();
  };
  ConversionJob job(workspace_, host, handoff_);
  jobPointer = &job;
  window_.job = &job;
  job.ConvertAlbum(order(10));
  EXPECT_EQ(window_.frameSteps, 0);
  EXPECT_EQ(window_.closes, 1);
  EXPECT_EQ(window_.arms, 1);
  EXPECT_EQ(job.lstProgress().last(), "Conversion ended.");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "album.mpg"));
}

TEST_F(ConversionJobTest, ErrorIsLoggedOnceAndTheAlbumStillFinishes) {
  ConversionJob job(workspace_, window_.host(), handoff_);
  window_.job = &job;
  test::writeFile(dir_ / "broken.mp3", "no sound here");
  AlbumOrder o = order(5, "DVD");
  o.ListBox_Audio << QString::fromStdString((dir_ / "broken.mp3").string());
  job.ConvertAlbum(o);
  const QStringList errors = job.lstProgress().filter("broken.mp3");
  EXPECT_EQ(errors.size(), 1) << job.lstProgress().join("\n").toStdString();
  EXPECT_EQ(job.lstProgress().last(), "Conversion ended.");
  EXPECT_EQ(window_.arms, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "album.mpg"));
}

TEST_F(ConversionJobTest, ProgressListKeepsTheLast32000Lines) {
  ConversionJob job(workspace_, window_.host(), handoff_);
  for (int i = 0; i < 32005; ++i) job.AddProgressLine(QString::number(i));
  EXPECT_EQ(job.lstProgress().size(), 32000);
  EXPECT_EQ(job.lstProgress().first(), "5");
  EXPECT_EQ(job.lstProgress().last(), "32004");
}

}  // namespace
}  // namespace solvane
