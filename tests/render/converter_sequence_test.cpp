// Picture sequences, the MPEG stream flavours, pictures read from disk and the sound track.
#include <gtest/gtest.h>

#include "converter_test_album.h"
#include "render/converter.h"
#include "support/fixtures.h"
#include "support/media_fixtures.h"

namespace solvane {
namespace {

using test::ScratchDir;

std::vector<std::string> folderNames(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct SequenceCase {
  const char* ending;
  const char* codec;
  int tolerance;
};

class PictureSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(PictureSequence, WritesNumberedPicturesOfEveryFrameAtTheirOwnSize) {
  const SequenceCase& c = GetParam();
  ScratchDir dir;
  std::filesystem::create_directory(dir / "album");
  test::AlbumPlan plan;
  plan.width = 0;  // no frame size call: the pictures keep their size
  plan.pictures = 4;
  test::writeFile(dir / "song.mp3", "not even a song");
  plan.songs = {dir / "song.mp3"};  // a sequence has no sound: the song is not read at all
  const std::string ending = c.ending;
  const test::AlbumResult result = test::convertAlbum(plan, dir / "album" / ("01." + ending), dir / "frame.bmp");
  ASSERT_TRUE(result.ok) << result.errorText.toStdString();

  const std::vector<std::string> expected = {"01." + ending, "02." + ending, "03." + ending, "04." + ending};
  EXPECT_EQ(folderNames(dir / "album"), expected);
  for (int k = 0; k < 4; ++k) {
    const test::MediaFacts facts = test::readMedia(dir / "album" / expected[k], {0});
    EXPECT_EQ(facts.video.codec, c.codec);
    EXPECT_EQ(facts.video.width, test::kPictureWidth);
    EXPECT_EQ(facts.video.height, test::kPictureHeight);
    ASSERT_EQ(facts.pictures.size(), 1u);
    EXPECT_LE(test::colourDistance(facts.pictures[0].pixel(100, 100), test::pictureColour(k)), c.tolerance);
  }
}

const SequenceCase kSequences[] = {
    {"JPG", "mjpeg", 6}, {"BMP", "bmp", 0}, {"TGA", "targa", 0}, {"PCX", "pcx", 0}};
INSTANTIATE_TEST_SUITE_P(EveryFormat, PictureSequence, testing::ValuesIn(kSequences),
                         [](const auto& info) { return std::string(info.param.ending); });

// The luminance table a quality-90 JPEG carries, in the zigzag order of the file.
TEST(PictureSequence, JpegPicturesUseTheQuality90Tables) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.width = 0;
  plan.pictures = 1;
  ASSERT_TRUE(test::convertAlbum(plan, dir / "01.JPG", dir / "frame.bmp").ok);
  const QByteArray bytes = test::readFile(dir / "01.JPG");
  const qsizetype dqt = bytes.indexOf(QByteArray("\xff\xdb", 2));
  ASSERT_GE(dqt, 0);
  const auto entry = [&](int zigzag) { return static_cast<unsigned char>(bytes[dqt + 5 + zigzag]); };
  // Standard luminance entries 11, 12, 14 (zigzag 1, 2, 3) and 99 (zigzag 63) at quality 90.
  EXPECT_EQ(entry(1), 2);
  EXPECT_EQ(entry(2), 2);
  EXPECT_EQ(entry(3), 3);
  EXPECT_EQ(entry(63), 20);
}

TEST(PictureSequence, NumbersGrowPastTheFirstFilesDigits) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.width = 0;
  plan.pictures = 3;
  ASSERT_TRUE(test::convertAlbum(plan, dir / "98.BMP", dir / "frame.bmp").ok);
  EXPECT_EQ(folderNames(dir.path()), (std::vector<std::string>{"100.BMP", "98.BMP", "99.BMP"}));
}

// The first pack header tells MPEG-1 system streams (0010 marker) from MPEG-2 program streams
// (01 marker); DVD streams also carry navigation packs (private stream 2).
struct FlavourCase {
  FormatPreset preset;
  bool mpeg2;
  bool navigation;
};

class MpegFlavour : public testing::TestWithParam<FlavourCase> {};

TEST_P(MpegFlavour, PackHeadersAndNavigationPacksMatchTheKind) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.preset = GetParam().preset;
  plan.pictures = 10;
  ASSERT_TRUE(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp").ok);
  const QByteArray bytes = test::readFile(dir / "album.mpg");
  ASSERT_TRUE(bytes.startsWith(QByteArray("\x00\x00\x01\xba", 4)));
  const auto marker = static_cast<unsigned char>(bytes[4]);
  EXPECT_EQ((marker & 0xC0) == 0x40, GetParam().mpeg2);
  EXPECT_EQ(bytes.contains(QByteArray("\x00\x00\x01\xbf", 4)), GetParam().navigation);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MpegFlavour,
                         testing::Values(FlavourCase{FormatPreset::Vcd, false, false},
                                         FlavourCase{FormatPreset::Svcd, true, false},
                                         FlavourCase{FormatPreset::Dvd, true, true}));

TEST(ConverterPictures, PlainListOfPictureFilesOnDiskBecomesAVideo) {
  ScratchDir dir;
  const char* formats[] = {"JPG", "PNG", "BMP"};
  Converter converter;
  FrameList frames;
  for (int k = 0; k < 3; ++k) {
    const auto file = dir / ("photo" + std::to_string(k) + "." + formats[k]);
    ASSERT_TRUE(test::albumPicture(k, 640, 360).save(QString::fromStdString(file.string()), formats[k], 95));
    frames.add(QString::fromStdString(file.string()), kListPicture);
  }
  EXPECT_EQ(frames.getFrameCount(), 3);
  std::vector<int> order;
  converter.assignVideoSource([&](VideoSource& s, int i) {
    order.push_back(i);
    if (auto name = frames.getName(i)) s.setFile(*name); else s.finished();
  });
  std::vector<QRgb> seen;
  converter.assignVideoFunc([&](int, const QImage& picture) { seen.push_back(picture.pixel(10, 10)); });
  converter.setVideoFormat(320, 180, 32);
  const QString out = QString::fromStdString((dir / "photos.avi").string());
  converter.setVideoFileName(out);
  ASSERT_TRUE(converter.convert()) << converter.getErrorStr().toStdString();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  ASSERT_EQ(seen.size(), 3u);

  const test::MediaFacts facts = test::readMedia(dir / "photos.avi", {0, 1, 2});
  EXPECT_EQ(facts.video.frames, 3);
  ASSERT_EQ(facts.pictures.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_LE(test::colourDistance(facts.pictures[k].pixel(160, 90), test::pictureColour(k)), 12) << k;
  }
}

TEST(ConverterPictures, PictureOfAnotherShapeIsFittedWithBlackBars) {
  ScratchDir dir;
  const auto file = dir / "portrait.png";
  ASSERT_TRUE(test::albumPicture(3, 200, 400).save(QString::fromStdString(file.string())));
  Converter converter;
  converter.assignVideoSource([&](VideoSource& s, int i) {
    if (i == 0) s.setFile(QString::fromStdString(file.string())); else s.finished();
  });
  converter.setVideoFormat(320, 180, 32);
  converter.setVideoFileName(QString::fromStdString((dir / "a.avi").string()));
  ASSERT_TRUE(converter.convert()) << converter.getErrorStr().toStdString();
  const test::MediaFacts facts = test::readMedia(dir / "a.avi", {0});
  ASSERT_EQ(facts.pictures.size(), 1u);
  EXPECT_LE(test::colourDistance(facts.pictures[0].pixel(20, 90), qRgb(0, 0, 0)), 12);
  EXPECT_LE(test::colourDistance(facts.pictures[0].pixel(160, 90), test::pictureColour(3)), 12);
}

// --- Sound track -------------------------------------------------------------------------------

TEST(ConverterSound, SongsOfDifferentRatesAndChannelsAreJoinedWithoutGaps) {
  ScratchDir dir;
  test::makeToneWav(dir / "mono.wav", 0.6, 22050, 1);
  test::makeToneMp3(dir / "stereo.mp3", 0.6, 48000, 2);
  test::makeToneWav(dir / "again.wav", 0.5, 32000, 2);
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.pictures = 10;  // 0.4 s of pictures, the songs play on
  plan.truncate = false;
  plan.songs = {dir / "mono.wav", dir / "stereo.mp3", dir / "again.wav"};
  ASSERT_TRUE(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp").ok);
  const test::MediaFacts facts = test::readMedia(dir / "album.mpg");
  EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, 1.7, 0.06);
}

TEST(ConverterSound, SilenceFillsWhenTheSongsAreShorterThanThePictures) {
  ScratchDir dir;
  test::makeToneMp3(dir / "short.mp3", 0.5, 44100, 1);
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Vcd;
  plan.pictures = 50;
  plan.songs = {dir / "short.mp3"};
  ASSERT_TRUE(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp").ok);
  const test::MediaFacts facts = test::readMedia(dir / "album.mpg");
  EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, 2.0, 0.1);
  EXPECT_NEAR(facts.video.seconds(), 2.0, 0.04);
}

TEST(ConverterSound, SongsWithoutPicturesPlayOverBlack) {
  ScratchDir dir;
  test::makeToneMp3(dir / "song.mp3", 0.8, 44100, 2);
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Svcd;
  plan.pictures = 0;
  plan.songs = {dir / "song.mp3"};
  ASSERT_TRUE(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp").ok);
  const test::MediaFacts facts = test::readMedia(dir / "album.mpg", {5});
  EXPECT_NEAR(double(facts.audio.samples) / facts.audio.sampleRate, 0.8, 0.1);
  EXPECT_NEAR(facts.video.seconds(), 0.8, 0.1);
  ASSERT_EQ(facts.pictures.size(), 1u);
  EXPECT_LE(test::colourDistance(facts.pictures[0].pixel(100, 100), qRgb(0, 0, 0)), 8);
}

TEST(ConverterSound, SampleCountOfTheSoundListAddsTheSongs) {
  ScratchDir dir;
  test::makeToneWav(dir / "a.wav", 1.0, 22050, 1);
  test::makeToneWav(dir / "b.wav", 0.5, 48000, 2);
  SoundList sounds;
  EXPECT_TRUE(sounds.add(QString::fromStdString((dir / "a.wav").string()), kListSound));
  EXPECT_TRUE(sounds.add(QString::fromStdString((dir / "b.wav").string()), kListSound));
  EXPECT_FALSE(sounds.add("x", 3));
  EXPECT_EQ(sounds.getSampleCount(), 22050 + 24000);
  EXPECT_EQ(sounds.getFrameCount(), 0);
}

TEST(ConverterTiming, NtscWithoutKeepDurationGivesOneFramePerPicture) {
  ScratchDir dir;
  test::AlbumPlan plan;
  plan.preset = FormatPreset::Dvd;
  plan.standard = TvStandard::Ntsc;
  plan.keepDuration = false;
  plan.pictures = 30;
  ASSERT_TRUE(test::convertAlbum(plan, dir / "album.mpg", dir / "frame.bmp").ok);
  EXPECT_EQ(test::readMedia(dir / "album.mpg").video.frames, 30);
}

TEST(ConverterTiming, TimeTextIsHoursMinutesSeconds) {
  EXPECT_EQ(Converter::makeTimeStr(0), "00:00:00");
  EXPECT_EQ(Converter::makeTimeStr(3'723'999), "01:02:03");
}

}  // namespace
}  // namespace solvane
