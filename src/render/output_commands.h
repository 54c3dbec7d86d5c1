#pragma once
// The six output commands (VCD, SVCD, DVD, AVI and MP4 albums and numbered image sequences)
// without windows: the checks, the output-size confirmation, the output path and name, and the
// lyric-type choice. The windows and the command line supply the interactive steps.
#include <functional>
#include <optional>

#include <QSize>
#include <QString>

namespace solvane {

struct OutputSizeWindow;
struct Project;

inline const QString kNoPhotosMessage = QStringLiteral("没有添加相片文件！");
inline const QString kNameExistsMessage = QStringLiteral("输入的文件名存在, 请更换保存的文件名！");

// One row of the command table.
struct OutputCommand {
  QString caption;  // button caption
  QString kind;     // word written to Edit_VCDSVCDDVD_leixing
  QString ending;   // ".mpg", ".avi" or ".mp4"; empty for the image sequence
  QString tip;      // hover tip
  QString filter;   // the save dialog's filter; empty for the image sequence (see saveFilter)
};

// The command of an output kind ("VCD", "SVCD", "DVD", "AVI", "MP4", "XLTP"); throws Error
// for any other text.
const OutputCommand& outputCommand(const QString& kind);
// The save dialog's filter; `format` is the image-sequence picture format.
QString saveFilter(const QString& kind, const QString& format);

// Where the album is written. The video and the sound output (edVideoOut, edAudioOut) are
// the same path.
struct OutputTarget {
  QString path;
  QString name;  // output-name field of the make-album window (suiEdit_baocunwenjianming)
  QSize frameSize;  // the size confirmed in the output-size window: the album's frame size
};

// The steps only a front end can do. Every member may be empty: an empty confirmSize accepts
// the preselected size and format, an empty chooseLyricType keeps the current choice.
struct OutputInteraction {
  // Shows the prepared output-size window modally; closing it calls OutputSizeWindow::close.
  std::function<void(OutputSizeWindow&)> confirmSize;
  // The save dialog with an empty name and `filter`: the name as typed, or nothing when
  // cancelled.
  std::function<std::optional<QString>(const QString& filter)> askSaveName;
  // The lyric-type choice window ("歌词类型选择").
  std::function<void()> chooseLyricType;
  std::function<void(const QString& message)> showMessage;
};

// Runs an output command up to the point where the album is made: returns the target, or
// nothing when the command stopped (no photographs, size window closed, save dialog
// cancelled, image-sequence name taken). Leaves Edit_VCDSVCDDVD_leixing set to `kind`
// whenever the photographs are there. An image-sequence folder is created here.
std::optional<OutputTarget> PrepareOutput(Project& project, const QString& kind,
                                          const OutputInteraction& interaction);

// The album file for the name the user typed: the ending is added unless the name already
// ends with it in any letter case ("album.MPG" stays as it is).
QString albumOutputPath(const QString& typed, const QString& ending);
// The image sequence's first picture inside folder `folder`: folder + "/01." + format.
QString imageSequenceOutputPath(const QString& folder, const QString& format);
// The output-name field: the file-name part of `path` without its ending.
QString outputNameOf(const QString& path);
// The lyric-type choice is asked when there is music and at least one karaoke row.
bool needsLyricTypeChoice(const Project& project);

}  // namespace solvane
