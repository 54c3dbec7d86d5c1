// The photo rendering service: DCT-scaled decoding, resampling, orientation, colour models
// and the errors of unusable files.
#include <turbojpeg.h>

#include <gtest/gtest.h>

#include "model/error.h"
#include "photo_fixtures.h"
#include "photos/jpeg_decoder.h"
#include "photos/photo_renderer.h"
#include "support/fixtures.h"

namespace solvane {
namespace {

using test::jpegBytes;
using test::near;
using test::quadrantPicture;

const QColor kRed = Qt::red, kGreen = Qt::green, kBlue = Qt::blue, kYellow = Qt::yellow;

struct CornerCase {
  int orientation;
  QSize upright;
  QColor topLeft, topRight, bottomLeft, bottomRight;
};

class OrientationTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(OrientationTest, PictureComesOutUpright) {
  const CornerCase c = GetParam();
  const QByteArray bytes = jpegBytes(quadrantPicture(64, 48), c.orientation);
  EXPECT_EQ(readJpegHeader(bytes, "o.jpg").upright(), c.upright);
  const QImage img = DecodedPhoto(bytes, c.upright, "o.jpg").draw(c.upright);
  ASSERT_EQ(img.size(), c.upright);
  const int r = img.width() - 4, b = img.height() - 4;
  EXPECT_TRUE(near(img.pixelColor(3, 3), c.topLeft));
  EXPECT_TRUE(near(img.pixelColor(r, 3), c.topRight));
  EXPECT_TRUE(near(img.pixelColor(3, b), c.bottomLeft));
  EXPECT_TRUE(near(img.pixelColor(r, b), c.bottomRight));
}

INSTANTIATE_TEST_SUITE_P(
    EveryExifOrientation, OrientationTest,
    ::testing::Values(CornerCase{0, {64, 48}, kRed, kGreen, kBlue, kYellow},
                      CornerCase{1, {64, 48}, kRed, kGreen, kBlue, kYellow},
                      CornerCase{2, {64, 48}, kGreen, kRed, kYellow, kBlue},
                      CornerCase{3, {64, 48}, kYellow, kBlue, kGreen, kRed},
                      CornerCase{4, {64, 48}, kBlue, kYellow, kRed, kGreen},
                      CornerCase{5, {48, 64}, kRed, kBlue, kGreen, kYellow},
                      CornerCase{6, {48, 64}, kBlue, kRed, kYellow, kGreen},
                      CornerCase{7, {48, 64}, kYellow, kGreen, kBlue, kRed},
                      CornerCase{8, {48, 64}, kGreen, kYellow, kRed, kBlue}));

TEST(JpegDecoding, UsesTheSmallestDctScaleThatCoversTheRequest) {
  const QByteArray bytes = jpegBytes(quadrantPicture(800, 600));
  EXPECT_EQ(decodeJpeg(bytes, {100, 75}, "a.jpg").picture.size(), QSize(100, 75));
  EXPECT_EQ(decodeJpeg(bytes, {101, 75}, "a.jpg").picture.size(), QSize(200, 150));
  EXPECT_EQ(decodeJpeg(bytes, {500, 10}, "a.jpg").picture.size(), QSize(500, 375));
  EXPECT_EQ(decodeJpeg(bytes, {2000, 2000}, "a.jpg").picture.size(), QSize(800, 600));
  // A phone portrait is asked for upright: 75 wide covers the stored height.
  const QByteArray turned = jpegBytes(quadrantPicture(800, 600), 6);
  EXPECT_EQ(decodeJpeg(turned, {75, 101}, "t.jpg").picture.size(), QSize(200, 150));
}

TEST(JpegDecoding, ShrinksByAveragingNotBySkippingPixels) {
  QImage checker(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) checker.setPixel(x, y, (x + y) % 2 ? 0xffffffff : 0xff000000);
  const QImage small = resampleExactly(checker, {16, 16});
  for (QPoint p : {QPoint(2, 2), QPoint(8, 9), QPoint(13, 5)})
    EXPECT_NEAR(qGray(small.pixel(p)), 128, 20) << p.x() << "," << p.y();
}

TEST(JpegDecoding, GreyscaleComesOutAsColourPicture) {
  QImage grey(40, 30, QImage::Format_Grayscale8);
  grey.fill(200);
  tjhandle h = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  ASSERT_EQ(tjCompress2(h, grey.constBits(), 40, static_cast<int>(grey.bytesPerLine()), 30,
                        TJPF_GRAY, &out, &size, TJSAMP_GRAY, 90, 0), 0);
  const QByteArray bytes(reinterpret_cast<char*>(out), static_cast<qsizetype>(size));
  tjFree(out);
  tjDestroy(h);
  const QImage img = decodeJpeg(bytes, {}, "g.jpg").picture;
  EXPECT_EQ(img.format(), QImage::Format_RGB32);
  EXPECT_TRUE(near(img.pixelColor(20, 15), QColor(200, 200, 200), 4));
}

TEST(JpegDecoding, CmykComesOutAsRgb) {
  // Adobe-style inverted inks for red: cyan 0, magenta and yellow full, black 0.
  std::vector<unsigned char> cmyk(32 * 16 * 4);
  for (std::size_t i = 0; i < cmyk.size(); i += 4) {
    cmyk[i] = 255;
    cmyk[i + 1] = 0;
    cmyk[i + 2] = 0;
    cmyk[i + 3] = 255;
  }
  tjhandle h = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  ASSERT_EQ(tjCompress2(h, cmyk.data(), 32, 32 * 4, 16, TJPF_CMYK, &out, &size, TJSAMP_444, 95,
                        0), 0);
  const QByteArray bytes(reinterpret_cast<char*>(out), static_cast<qsizetype>(size));
  tjFree(out);
  tjDestroy(h);
  const QImage img = decodeJpeg(bytes, {}, "c.jpg").picture;
  EXPECT_TRUE(near(img.pixelColor(10, 8), kRed, 12)) << img.pixelColor(10, 8).name().toStdString();
}

TEST(JpegDecoding, TruncatedPhotographDecodesThePartThatIsPresent) {
  const QByteArray whole = jpegBytes(quadrantPicture(256, 256));
  const DecodedJpeg most = decodeJpeg(whole.left(whole.size() * 85 / 100), {}, "cut.jpg");
  EXPECT_GE(most.share, kMinUsableShare);
  EXPECT_LT(most.share, 1.0);
  EXPECT_TRUE(near(most.picture.pixelColor(10, 10), kRed));
  EXPECT_TRUE(near(most.picture.pixelColor(10, 160), kBlue));
  EXPECT_FALSE(endsWithEndOfImage(whole.left(whole.size() - 10)));
  EXPECT_TRUE(endsWithEndOfImage(whole));

  // A progressive file whose first full scan is present shows the whole picture.
  const QByteArray progressive = jpegBytes(quadrantPicture(256, 256), 0, true);
  const DecodedJpeg coarse =
      decodeJpeg(progressive.left(progressive.size() * 70 / 100), {}, "p.jpg");
  EXPECT_TRUE(near(coarse.picture.pixelColor(200, 200), kYellow));
}

struct BadBytes {
  const char* label;
  QByteArray bytes;
  const char* reason;
};

QByteArray withFrameSize(QByteArray jpeg, int width, int height) {
  const int sof = static_cast<int>(jpeg.indexOf(QByteArray("\xFF\xC0", 2)));
  jpeg[sof + 5] = char(height >> 8);
  jpeg[sof + 6] = char(height & 0xFF);
  jpeg[sof + 7] = char(width >> 8);
  jpeg[sof + 8] = char(width & 0xFF);
  return jpeg;
}

// Busy content, so that picture data, not the tables, make up most of the file.
QByteArray noisyJpeg() {
  QImage img(256, 256, QImage::Format_RGB32);
  unsigned state = 12345;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) img.setPixel(x, y, 0xff000000 | (state = state * 1103515245 + 12345) >> 8);
  return jpegBytes(img);
}

TEST(JpegDecoding, UnusableDataIsRefusedWithAReason) {
  const QByteArray good = noisyJpeg();
  const std::vector<BadBytes> cases = {
      {"empty", QByteArray(), "the file is empty"},
      {"png", QByteArray("\x89PNG\r\n\x1a\n", 8), "not a JPEG file (starts with 89 50 4E 47)"},
      {"mostly missing", good.left(good.size() / 5), "only"},
      {"header only", good.left(400), "cut short"},
      {"huge", withFrameSize(good, 12000, 9000), "12000 × 9000 pixels, more than 100 megapixels"},
  };
  for (const BadBytes& c : cases) {
    try {
      decodeJpeg(c.bytes, {}, "bad.jpg");
      ADD_FAILURE() << c.label << " decoded";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().startsWith("bad.jpg: ")) << e.what();
      EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason))) << c.label << ": " << e.what();
    }
  }
}

TEST(PhotoRendering, FitsTheBoxKeepingProportions) {
  test::ScratchDir dir;
  const QString path = test::writeJpeg(dir / "wide.jpg", 400, 300);
  EXPECT_EQ(renderPhotoFitting(path, {100, 100}).size(), QSize(100, 75));
  EXPECT_EQ(renderPhotoExact(path, {90, 20}).size(), QSize(90, 20));
  const QString portrait = test::writeJpeg(dir / "phone.jpg", 400, 300, 6);
  EXPECT_EQ(photoUprightSize(portrait), QSize(300, 400));
  EXPECT_EQ(renderPhotoFitting(portrait, {100, 100}).size(), QSize(75, 100));
  EXPECT_THROW(renderPhotoFitting(dir.qpath() + "/missing.jpg", {10, 10}), Error);
  EXPECT_THROW(renderPhotoFitting(dir.qpath(), {10, 10}), Error);
}

}  // namespace
}  // namespace solvane
