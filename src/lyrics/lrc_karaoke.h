#pragma once
// A word-timed LRC file as the karaoke of its song: every line that carries word tags
// becomes a karaoke line whose units are its words, timed so that the frame-by-frame fill
// reaches each word on the frame of its word tag.
#include <vector>

#include "lyrics/ksc_reader.h"
#include "lyrics/lrc_reader.h"

namespace solvane {

// The karaoke lines of the word-timed rows of `lrc`, in time order (rows of the same time
// give one line). Each line starts at its first word; when that is not on a whole second,
// a first unit of no text fills nothing up to it, because a wipe starts on the whole
// second. Unit durations are whole frames, so the rounding of one word does not add up
// along the line. The last word ends at a closing word tag, else at the next timed line,
// but after at most two seconds. Lines without word tags give nothing.
std::vector<KscLine> karaokeLinesFromLrc(const LrcLyrics& lrc);

}  // namespace solvane
