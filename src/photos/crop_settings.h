#pragma once
// How photographs are cropped for template slots that have no fixed size (0 × 0). The
// settings window "其它设置" holds the user's choice; every run starts from these values.

namespace solvane {

struct CropSettings {
  enum class Landscape {
    quanping,  // suiRadioButton_hengzhaopian_quanping "横照片剪裁成全屏效果"
    moren,     // suiRadioButton_hengzhaopian_moren "横照片剪裁成模板特效默认效果"
  };
  enum class Portrait {
    jubufangda,  // suiRadioButton_shuzhaopian_jubufangda "竖照片剪裁成局部放大效果"
    moren,       // suiRadioButton_shuzhaopian_moren "竖照片使用模板特效默认效果"
  };
  Landscape landscape = Landscape::quanping;
  Portrait portrait = Portrait::jubufangda;
};

}  // namespace solvane
