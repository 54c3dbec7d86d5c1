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

PictureScaler::PictureScaler(const VideoSettings& settings)
    : width_(settings.width), height_(settings.height),
      pixelFormat_(av_get_pix_fmt(settings.pixelFormat.c_str())) {}

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

av::FramePtr PictureScaler::scale(const QImage& picture) {
  if (picture.isNull()) throw Error(std::string("empty frame picture"));
  const QImage source = fitted(picture);
  if (!context_ || source.width() != sourceWidth_ || source.height() != sourceHeight_) {
    sourceWidth_ = source.width();
    sourceHeight_ = source.height();
    context_.reset(sws_getContext(sourceWidth_, sourceHeight_, AV_PIX_FMT_BGRA, width_, height_,
                                  static_cast<AVPixelFormat>(pixelFormat_),
                                  SWS_BICUBIC, nullptr, nullptr,
                                  nullptr));
    if (!context_) throw Error(QString("cannot scale %1 x %2 pictures").arg(sourceWidth_).arg(sourceHeight_));
  }
  av::FramePtr frame = av::makeFrame();
  frame->width = width_;
  frame->height = height_;
  frame->format = pixelFormat_;
  if (av_frame_get_buffer(frame.get(), 0) < 0) throw Error(std::string("out of memory (frame)"));
  const uint8_t* planes[1] = {source.constBits()};
  const int strides[1] = {static_cast<int>(source.bytesPerLine())};
  sws_scale(context_.get(), planes, strides, 0, sourceHeight_, frame->data, frame->linesize);
  return frame;
}

}  // namespace solvane
