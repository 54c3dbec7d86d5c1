// Stops and failures end cleanly: a clear error text, and nothing under the album's name.
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "converter_test_album.h"
#include "model/error.h"
#include "render/converter.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

// Names in `dir` other than the inputs the test made itself.
std::vector<std::string> leftovers(const std::filesystem::path& dir, const std::vector<std::string>& inputs = {}) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && std::find(inputs.begin(), inputs.end(), name) == inputs.end()) names.push_back(name);
  }
  return names;
}

// One output of each writer: MPEG, AVI and MP4 containers, picture files.
struct OutputCase {
  const char* name;
  std::optional<FormatPreset> preset;
  const char* output;
};

std::string outputCaseName(const testing::TestParamInfo<OutputCase>& info) { return info.param.name; }

class ConverterStop : public testing::TestWithParam<OutputCase> {};

TEST_P(ConverterStop, AbortMidwayEndsWithinOneFrameAndLeavesNoAlbum) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "out");
  test::makeToneMp3(dir / "song.mp3", 2.0, 44100, 2);
  test::AlbumPlan plan;
  plan.preset = GetParam().preset;
  plan.pictures = 40;
  plan.songs = {dir / "song.mp3"};
  plan.width = 0;
  plan.onFrame = [](Converter& c, int i) {
    if (i == 8) c.abort();
  };
  const test::AlbumResult result = test::convertAlbum(plan, dir / "out" / GetParam().output, dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kAborted);
  EXPECT_NE(result.errorText.indexOf("removed"), -1) << result.errorText.toStdString();
  EXPECT_EQ(result.videoFunctionCalls, 9);
  EXPECT_TRUE(result.reportedErrors.empty());  // a stop is not an error to report
  EXPECT_EQ(leftovers(dir / "out"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConverterStop,
                         testing::Values(OutputCase{"Dvd", FormatPreset::Dvd, "album.mpg"},
                                         OutputCase{"Avi", std::nullopt, "album.avi"},
                                         OutputCase{"Mp4", std::nullopt, "album.mp4"},
                                         OutputCase{"Pictures", std::nullopt, "01.JPG"}),
                         outputCaseName);

TEST(ConverterFailure, UndecodableSongIsReportedByNameAndNothingIsWritten) {
  ScratchDir dir;
  test::writeFile(dir / "bad.mp3", "this is no song at all, just text pretending to be one");
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.pictures = 5;
  plan.songs = {dir / "bad.mp3"};
  const test::AlbumResult result = test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kSound);
  EXPECT_EQ(result.reportedErrors, std::vector<int>{mcl_error::kSound});
  EXPECT_NE(result.errorText.indexOf("bad.mp3"), -1) << result.errorText.toStdString();
  EXPECT_EQ(leftovers(dir.path(), {"bad.mp3"}), std::vector<std::string>{});
}

TEST(ConverterFailure, UndecodableSongIsLeftOutWhenTheHostChoosesToGoOn) {
  ScratchDir dir;
  test::writeFile(dir / "bad.mp3", "not a song");
  test::makeToneMp3(dir / "good.mp3", 0.4, 44100, 2);
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Vcd;
  plan.pictures = 25;
  plan.songs = {dir / "bad.mp3", dir / "good.mp3"};
  plan.errorAction = mcl_action::kContinue;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp");
  EXPECT_TRUE(result.ok) << result.errorText.toStdString();
  EXPECT_EQ(result.reportedErrors, std::vector<int>{mcl_error::kSound});
  EXPECT_NEAR(test::readMedia(dir / "album.mpg").audio.samples / 44100.0, 1.0, 0.1);
}

TEST(ConverterFailure, UnwritableFolderIsReportedWithThePath) {
  ScratchDir dir;
  test::writeFile(dir / "plain-file", "x");
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Svcd;
  plan.pictures = 5;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "plain-file" / "album.mpg", dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kOutput);
  EXPECT_EQ(result.reportedErrors, std::vector<int>{mcl_error::kOutput});
  EXPECT_NE(result.errorText.indexOf("album.mpg"), -1) << result.errorText.toStdString();
  EXPECT_EQ(leftovers(dir.path(), {"plain-file"}), std::vector<std::string>{});
}

TEST(ConverterFailure, UnreadablePictureFileStopsWithItsName) {
  ScratchDir dir;
  test::writeFile(dir / "broken.jpg", "\xff\xd8 broken");
  Converter converter;
  std::vector<int> errors;
  converter.assignError([&](int code, int& action) {
    errors.push_back(code);
    action = mcl_action::kStop;
  });
  converter.assignVideoSource([&](VideoSource& s, int i) {
    if (i < 3) s.setFile(QString::fromStdString((dir / "broken.jpg").string())); else s.finished();
  });
  converter.setVideoFileName(QString::fromStdString((dir / "a.avi").string()));
  EXPECT_FALSE(converter.convert());
  EXPECT_EQ(errors, std::vector<int>{mcl_error::kPicture});
  EXPECT_NE(converter.getErrorStr().indexOf("broken.jpg"), -1);
  EXPECT_FALSE(std::filesystem::exists(dir / "a.avi"));
}

TEST(ConverterFailure, UnknownOutputEndingIsRefusedBeforeAnythingIsRead) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.pictures = 3;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "album.xyz", dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kSettings);
  EXPECT_NE(result.errorText.indexOf(".xyz"), -1);
  EXPECT_EQ(result.videoFunctionCalls, 0);
}

TEST(ConverterFailure, ExceptionFromTheFrameStepEndsTheConversionWithoutAnAlbum) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.pictures = 40;
  plan.onFrame = [](Converter&, int i) {
    if (i == 6) throw Error(std::string("the template player stopped"));
  };
  EXPECT_THROW(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp"), Error);
  EXPECT_EQ(leftovers(dir.path()), std::vector<std::string>{});
}

TEST(ConverterFailure, NothingToConvertIsAnErrorWithoutOutput) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.pictures = 0;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kSettings);
  EXPECT_FALSE(std::filesystem::exists(dir / "album.mpg"));
}

// A file size limit makes every write past it fail, as a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

class ConverterFullDisk : public testing::TestWithParam<OutputCase> {};

TEST_P(ConverterFullDisk, WriteFailureIsReportedAndThePartialAlbumRemoved) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "out");
  test::AlbumPlan plan;
  plan.preset = GetParam().preset;
  plan.pictures = 40;
  plan.width = 0;
  test::AlbumResult result;
  {
    FileSizeLimit limit(40 * 1024);
    result = test::convertAlbum(plan, dir / "out" / GetParam().output, dir / "frame.bmp");
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kOutput);
  EXPECT_EQ(result.reportedErrors, std::vector<int>{mcl_error::kOutput});
  EXPECT_NE(result.errorText.indexOf("File too large"), -1) << result.errorText.toStdString();
  EXPECT_EQ(leftovers(dir / "out"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConverterFullDisk,
                         testing::Values(OutputCase{"Dvd", FormatPreset::Dvd, "album.mpg"},
                                         OutputCase{"Avi", std::nullopt, "album.avi"},
                                         OutputCase{"Pictures", std::nullopt, "01.BMP"}),
                         outputCaseName);

// An MP4 album is complete only once its index has been written and moved before the media
// data; a disk that fills up just then must not leave the album looking finished.
TEST(ConverterFullDisk, Mp4WhoseIndexNoLongerFitsIsReportedAndRemoved) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "probe");
  std::filesystem::create_directory(dir / "out");
  test::AlbumPlan plan;
  plan.pictures = 40;
  plan.width = 0;
  ASSERT_TRUE(test::convertAlbum(plan, dir / "probe" / "album.mp4", dir / "frame.bmp").ok);
  const auto complete = std::filesystem::file_size(dir / "probe" / "album.mp4");
  test::AlbumResult result;
  {
    FileSizeLimit limit(complete - 64);
    result = test::convertAlbum(plan, dir / "out" / "album.mp4", dir / "frame.bmp");
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kOutput);
  EXPECT_EQ(result.reportedErrors, std::vector<int>{mcl_error::kOutput});
  EXPECT_NE(result.errorText.indexOf("File too large"), -1) << result.errorText.toStdString();
  EXPECT_EQ(leftovers(dir / "out"), std::vector<std::string>{});
}

// A real full file system, where the test may mount one (root in a container or VM).
TEST(ConverterFullDisk, FullFileSystemIsReportedAndThePartialAlbumRemoved) {
  ScratchDir dir;
  const auto mountPoint = dir / "tiny";
  std::filesystem::create_directory(mountPoint);
  if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a small tmpfs here";
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.pictures = 40;
  plan.width = 0;
  const test::AlbumResult result = test::convertAlbum(plan, mountPoint / "album.mpg", dir / "frame.bmp");
  const std::vector<std::string> left = leftovers(mountPoint);
  umount(mountPoint.c_str());
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, mcl_error::kOutput);
  EXPECT_NE(result.errorText.indexOf("No space left on device"), -1) << result.errorText.toStdString();
  EXPECT_EQ(left, std::vector<std::string>{});
}

}  // namespace
}  // namespace solvane
