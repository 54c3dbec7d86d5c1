#include "lyrics/playback.h"

#include <algorithm>

namespace solvane {

void ScriptedPlayback::open(const QString& path) {
  path_ = path;
  position_ = 0;
  playing_ = false;
  ended_ = false;
  error_ = path == unplayable_ && !path.isEmpty() ? QStringLiteral("the file cannot be decoded")
                                                   : QString();
  if (lengthOf_ && error_.isEmpty()) length_ = lengthOf_(path);
}

void ScriptedPlayback::play() {
  if (path_.isEmpty() || !error_.isEmpty()) return;
  if (ended_ || position_ >= length_) position_ = 0;
  ended_ = false;
  playing_ = true;
}

void ScriptedPlayback::stop() {
  playing_ = false;
  ended_ = false;
  position_ = 0;
}

void ScriptedPlayback::seek(long long ms) { position_ = std::clamp(ms, 0LL, length_); }

void ScriptedPlayback::advance(long long ms) {
  if (!playing_) return;
  position_ = std::min(position_ + ms, length_);
  if (position_ >= length_) {
    playing_ = false;
    ended_ = true;
  }
}

}  // namespace solvane
