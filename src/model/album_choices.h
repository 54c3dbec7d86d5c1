#pragma once
// The values the settings windows choose and the project keeps: how photographs are
// cropped, the album-length loop options, and the output-size window with its size list
// and image-sequence format. Plain values, so every layer above the project can hold them.
#include <vector>

#include <QString>
#include <QStringList>

namespace solvane {

// The two crop radio groups of the other-settings window; each group has exactly one choice
// on, so each is held as one value named after its radio button's suffix.
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

// The radio buttons' captions.
QString cropCaption(CropSettings::Landscape choice);
QString cropCaption(CropSettings::Portrait choice);
bool sameCrops(const CropSettings& a, const CropSettings& b);

// The album-length window's two independent check boxes.
struct LoopOptions {
  bool music_loop = false;    // "以音乐循环播放补充帧频"
  bool picture_loop = false;  // "以画面循环播放补充帧频"
};

// The output-size window ("输出相册尺寸").
struct OutputSize {
  int width = 0;
  int height = 0;
  // width + " × " + height, as the size choice shows it.
  QString text() const;
  friend bool operator==(const OutputSize&, const OutputSize&) = default;
};

// The size entries offered for an output kind ("VCD", "SVCD", "DVD", "AVI", "MP4", "XLTP"), in
// list order. Throws Error for an unknown kind.
const std::vector<OutputSize>& outputSizes(const QString& kind);
// The frame size the picture quality ("yiban_huazhi" / "gaoqing_huazhi") gives a kind: VCD
// always 1280 × 720, image sequences always 1920 × 1080, the others 1280 × 720 for the normal
// and 1920 × 1080 for the high quality.
OutputSize qualityFrameSize(const QString& kind, const QString& quality);
// The entry preselected for a kind: the quality's frame size, so an album made without
// touching the size list comes out at the size its quality promises. Without a quality the
// high one is meant (VCD's fifth entry, the last for the other kinds).
int defaultOutputSizeIndex(const QString& kind, const QString& quality = {});

// The image-sequence picture formats, "JPG" first (the preset).
const QStringList& imageSequenceFormats();

// State of the output-size window for the album being prepared.
struct OutputSizeWindow {
  QString kind;                // output kind the window was prepared for
  QString quality;             // picture quality the default entry follows
  int selected = -1;           // index of the chosen size entry
  QString current_size_text;   // "当前输出相册尺寸：" field
  QString type_field;          // "输出电子相册类型：" field: the kind, or the picture format
  QString format = QStringLiteral("JPG");  // image-sequence format choice
  QString Edit_chicun_width;
  QString Edit_chicun_height;
  QString Edit_quxiao;         // "quxiao" once the window was closed instead of confirmed

  // Fills the window for `kind` and selects its default entry (the output commands' step 3).
  void prepare(const QString& kind, const QString& quality = {});
  // Choosing a size entry; for an image sequence this resets the format to "JPG".
  void chooseSize(int index);
  // "默认".
  void chooseDefault();
  // Choosing one of imageSequenceFormats(); throws Error for any other text.
  void chooseFormat(const QString& format);
  // The close glyph: the output command stops.
  void close();
  bool cancelled() const;
  OutputSize size() const;
  // 730 wide with the format choice for image sequences, otherwise 660; always 290 high.
  int windowWidth() const;
  bool formatChoiceVisible() const;
};

}  // namespace solvane
