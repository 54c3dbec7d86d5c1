#include "render/picture_scaler.h"

#include <cmath>

#include <QPainter>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "model/error.h"

namespace solvane {
namespace {

// Full-size frames only change colour format: studio range, as the general scaler writes it,
// with each chroma sample the mean of its 2 x 2 pixels; about a third cheaper than running the
// general scaler at 1:1. Coefficients in 1/256 (luma 16 … 235, chroma 16 … 240).
struct Matrix {
  int yr, yg, yb;
  int ur, ug, ub;
  int vr, vg, vb;
};
constexpr Matrix kBt601{66, 129, 25, -38, -74, 112, 112, -94, -18};
constexpr Matrix kBt709{47, 157, 16, -26, -86, 112, 112, -102, -10};

void lumaRow(const uint8_t* __restrict bgra, uint8_t* __restrict y, int width, const Matrix& m) {
  for (int x = 0; x < width; ++x) {
    const int b = bgra[4 * x], g = bgra[4 * x + 1], r = bgra[4 * x + 2];
    y[x] = static_cast<uint8_t>((m.yr * r + m.yg * g + m.yb * b + 128 + (16 << 8)) >> 8);
  }
}

void chromaRow(const uint8_t* __restrict top, const uint8_t* __restrict bottom, uint8_t* __restrict u,
               uint8_t* __restrict v, int chromaWidth, const Matrix& m) {
  for (int x = 0; x < chromaWidth; ++x) {
    const int b = top[8 * x] + top[8 * x + 4] + bottom[8 * x] + bottom[8 * x + 4];
    const int g = top[8 * x + 1] + top[8 * x + 5] + bottom[8 * x + 1] + bottom[8 * x + 5];
    const int r = top[8 * x + 2] + top[8 * x + 6] + bottom[8 * x + 2] + bottom[8 * x + 6];
    u[x] = static_cast<uint8_t>((m.ur * r + m.ug * g + m.ub * b + 512 + (128 << 10)) >> 10);
    v[x] = static_cast<uint8_t>((m.vr * r + m.vg * g + m.vb * b + 512 + (128 << 10)) >> 10);
  }
}

// The luma and chroma loops are instantiated per matrix so that the constants fold in.
template <const Matrix& M>
void bgraToYuv420(const QImage& source, AVFrame* frame) {
  for (int row = 0; row < frame->height; row += 2) {
    const uint8_t* top = source.constScanLine(row);
    const uint8_t* bottom = source.constScanLine(row + 1);
    lumaRow(top, frame->data[0] + row * frame->linesize[0], frame->width, M);
    lumaRow(bottom, frame->data[0] + (row + 1) * frame->linesize[0], frame->width, M);
    chromaRow(top, bottom, frame->data[1] + (row / 2) * frame->linesize[1],
              frame->data[2] + (row / 2) * frame->linesize[2], frame->width / 2, M);
  }
}

bool usesBt709(ColourSystem colours) { return colours == ColourSystem::Bt709Tagged; }

}  // namespace

PictureScaler::PictureScaler(const VideoSettings& settings)
    : width_(settings.width), height_(settings.height),
      pixelFormat_(av_get_pix_fmt(settings.pixelFormat.c_str())), bt709_(usesBt709(settings.colours)) {}

QImage PictureScaler::fitted(const QImage& picture) const {
  QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                   ? picture
                   : picture.convertToFormat(QImage::Format_RGB32);
  const double sourceAspect = double(rgb.width()) / rgb.height();
  const double targetAspect = double(width_) / height_;
  if (std::abs(sourceAspect / targetAspect - 1.0) < 0.01) return rgb;
  // Fit the whole picture into a canvas of the output's shape; the scaler does the rest.
  const int canvasWidth = sourceAspect > targetAspect ? rgb.width() : int(std::lround(rgb.height() * targetAspect));
  const int canvasHeight = sourceAspect > targetAspect ? int(std::lround(rgb.width() / targetAspect)) : rgb.height();
  QImage canvas(canvasWidth, canvasHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  painter.drawImage((canvasWidth - rgb.width()) / 2, (canvasHeight - rgb.height()) / 2, rgb);
  return canvas;
}

av::FramePtr PictureScaler::allocateFrame() const {
  av::FramePtr frame = av::makeFrame();
  frame->width = width_;
  frame->height = height_;
  frame->format = pixelFormat_;
  if (av_frame_get_buffer(frame.get(), 0) < 0) throw Error(std::string("out of memory (frame)"));
  return frame;
}

av::FramePtr PictureScaler::scale(const QImage& picture) {
  if (picture.isNull()) throw Error(std::string("empty frame picture"));
  const QImage source = fitted(picture);
  av::FramePtr frame = allocateFrame();
  const bool sameSize = source.width() == width_ && source.height() == height_;
  if (sameSize && pixelFormat_ == AV_PIX_FMT_YUV420P && width_ % 2 == 0 && height_ % 2 == 0) {
    if (bt709_)
      bgraToYuv420<kBt709>(source, frame.get());
    else
      bgraToYuv420<kBt601>(source, frame.get());
    return frame;
  }
  if (!context_ || source.width() != sourceWidth_ || source.height() != sourceHeight_) {
    sourceWidth_ = source.width();
    sourceHeight_ = source.height();
    context_.reset(sws_getContext(sourceWidth_, sourceHeight_, AV_PIX_FMT_BGRA, width_, height_,
                                  static_cast<AVPixelFormat>(pixelFormat_),
                                  SWS_BICUBIC, nullptr, nullptr,
                                  nullptr));
    if (!context_) throw Error(QString("cannot scale %1 x %2 pictures").arg(sourceWidth_).arg(sourceHeight_));
    if (bt709_) {
      // The scaler's default matrix is BT.601; only the matrix changes, ranges stay as they are.
      int* inverse = nullptr;
      int* table = nullptr;
      int sourceRange = 0, range = 0, brightness = 0, contrast = 0, saturation = 0;
      sws_getColorspaceDetails(context_.get(), &inverse, &sourceRange, &table, &range, &brightness, &contrast,
                               &saturation);
      sws_setColorspaceDetails(context_.get(), inverse, sourceRange, sws_getCoefficients(SWS_CS_ITU709), range,
                               brightness, contrast, saturation);
    }
  }
  const uint8_t* planes[1] = {source.constBits()};
  const int strides[1] = {static_cast<int>(source.bytesPerLine())};
  sws_scale(context_.get(), planes, strides, 0, sourceHeight_, frame->data, frame->linesize);
  return frame;
}

}  // namespace solvane
