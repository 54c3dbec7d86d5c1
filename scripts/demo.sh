#!/usr/bin/env bash
# Makes a real album from the sample content: twelve photographs from mate-backgrounds (three
# turned into portraits), a song excerpt from frozen-bubble with its LRC lyrics (two lines
# with a translation), karaoke lines from a word-timed LRC filled word by word, and two
# moving captions, written to out/demo.mpg as a DVD (PAL, high quality). Prints the
# album's length and how fast it was made.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
cli="$build/bin/solvane-cli"
"$cli" --help >/dev/null
"$cli" catalog | sed -n "1,2p"

songs="$build/bin/yinyuegeci"
scripts/make-sample-content.sh out/sample/photos "$songs"

mkdir -p out
"$cli" album -o out/demo.mpg --overwrite --kind DVD --tv PAL --quality high --loop-music \
  --music "$songs/sample.mp3" --lyrics "$songs/sample.lrc" \
  --karaoke "$songs/sample-karaoke.lrc" --lyric-type both \
  --text "00:01|19|Solvane 相册示例|20|clYellow" --text "00:08|1|冰冻泡泡|16" \
  out/sample/photos

if command -v ffprobe >/dev/null; then
  length=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 out/demo.mpg)
  printf 'out/demo.mpg: %.1f seconds, %s bytes\n' "$length" "$(stat -c %s out/demo.mpg)"
fi
