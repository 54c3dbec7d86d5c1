// Full-size frames take a direct colour conversion; it must agree with the general scaler.
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include "render/picture_scaler.h"

namespace solvane {
namespace {

QImage gradient(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) * 255 / (width + height)));
  }
  return picture;
}

int largestDifference(const AVFrame* a, const AVFrame* b, int plane, int width, int height) {
  int largest = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int d = a->data[plane][y * a->linesize[plane] + x] - b->data[plane][y * b->linesize[plane] + x];
      largest = std::max(largest, std::abs(d));
    }
  }
  return largest;
}

TEST(PictureScaler, FullSizeConversionAgreesWithTheGeneralScaler) {
  const int width = 256;
  const int height = 144;
  VideoSettings settings;
  settings.width = width;
  settings.height = height;
  settings.pixelFormat = "yuv420p";
  const QImage picture = gradient(width, height);
  PictureScaler scaler(settings);
  av::FramePtr ours = scaler.scale(picture);

  av::FramePtr reference = av::makeFrame();
  reference->width = width;
  reference->height = height;
  reference->format = AV_PIX_FMT_YUV420P;
  ASSERT_EQ(av_frame_get_buffer(reference.get(), 0), 0);
  SwsContext* sws = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P,
                                   SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
  const uint8_t* planes[1] = {picture.constBits()};
  const int strides[1] = {static_cast<int>(picture.bytesPerLine())};
  sws_scale(sws, planes, strides, 0, height, reference->data, reference->linesize);
  sws_freeContext(sws);

  EXPECT_LE(largestDifference(ours.get(), reference.get(), 0, width, height), 1);
  // Chroma is a 2 x 2 mean here and a filtered sample there: close on smooth pictures.
  EXPECT_LE(largestDifference(ours.get(), reference.get(), 1, width / 2, height / 2), 3);
  EXPECT_LE(largestDifference(ours.get(), reference.get(), 2, width / 2, height / 2), 3);
}

}  // namespace
}  // namespace solvane
