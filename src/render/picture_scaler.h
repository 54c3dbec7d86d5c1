#pragma once
// Turns a frame picture into the encoder's frame: the output size, the encoder's pixel format,
// scaled with a bicubic filter, in the colour matrix the settings name. A picture of another
// shape is fitted inside with black bars.
#include <QImage>

#include "render/av_ptr.h"
#include "render/output_profile.h"

namespace solvane {

class PictureScaler {
 public:
  explicit PictureScaler(const VideoSettings& settings);

  av::FramePtr scale(const QImage& picture);

 private:
  QImage fitted(const QImage& picture) const;
  av::FramePtr allocateFrame() const;

  int width_;
  int height_;
  int pixelFormat_;
  av::SwsPtr context_;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  bool bt709_ = false;  // the BT.709 matrix instead of BT.601
};

}  // namespace solvane
