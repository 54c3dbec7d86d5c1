#pragma once
// The settings that shape an album: the album-length rule with its two loop options, the
// television system and the picture quality, as the settings windows change them. The main
// window's summary texts are built here too, so every front end shows the same words.
#include <QStringList>

#include "model/album_choices.h"
#include "model/project.h"

namespace solvane {

struct Project;

// --- Album length ("相册时长") --------------------------------------------------------------

// ResetAlbumLengthWithoutMusic (model/project.h) puts the rule back to the photographs
// once the project has no music.
// "以相片时间长度为准": the photograph rule; the picture loop has nothing to fill, so it goes off.
void ChoosePhotoLength(Project& project);
// "以音乐时间长度为准".
void ChooseMusicLength(Project& project);
bool followsMusic(const Project& project);

// --- Other settings ("其它设置") --------------------------------------------------------------

// "PAL制式" / "NTSC制式". Throws Error for any other word.
void ChooseTvSystem(Project& project, const QString& system);
// "一般画质" (yiban_huazhi) / "高清画质" (gaoqing_huazhi). Throws Error for any other word.
void ChooseQuality(Project& project, const QString& quality);

// --- Summary ------------------------------------------------------------------------------

// The settings summary of the main window, one text per line: photo, music, lyric,
// text-effect and picture-effect counts, quality, TV system and album length.
QStringList settingsSummary(const Project& project);

}  // namespace solvane
