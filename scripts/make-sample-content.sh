#!/usr/bin/env bash
# Prepares the demo's sample content from Debian packages (nothing is committed as binary):
#   <photos>/NN_<name>.jpg   twelve photographs from mate-backgrounds, three turned into portraits
#   <songs>/sample.mp3       a 40-second excerpt of frozen-bubble's main theme
#   <songs>/sample.lrc       its lyric file (GBK, as the lyric import expects)
#   <songs>/sample.ksc       karaoke lines for the same song (GBK)
# Usage: make-sample-content.sh PHOTO_DIR SONG_DIR [SECONDS]
# The song folder is normally build/bin/yinyuegeci, where the import dialogs look for it.
# Re-running is cheap: files that exist are kept.
set -euo pipefail
photos="${1:?photo folder}"
songs="${2:?song folder}"
seconds="${3:-40}"

backgrounds=/usr/share/backgrounds/mate/nature
music=/usr/share/games/frozen-bubble/snd/frozen-mainzik-1p.ogg
for need in "$backgrounds/Aqua.jpg" "$music"; do
  if [[ ! -e "$need" ]]; then
    echo "make-sample-content: $need is missing (packages mate-backgrounds, frozen-bubble-data)" >&2
    exit 1
  fi
done
for tool in djpeg cjpeg jpegtran ffmpeg iconv; do
  command -v "$tool" >/dev/null || { echo "make-sample-content: $tool not found" >&2; exit 1; }
done

mkdir -p "$photos" "$songs"

# Album order; the names marked portrait are turned a quarter so the album has both kinds.
names=(Aqua Blinds Dune FreshFlower Garden GreenMeadow LadyBird RainDrops Storm TwoWings Wood
       YellowFlower)
portraits=" FreshFlower LadyBird Wood "
i=0
for name in "${names[@]}"; do
  i=$((i + 1))
  out="$photos/$(printf '%02d' "$i")_$name.jpg"
  [[ -s "$out" ]] && continue
  tmp="$out.part"
  if [[ "$portraits" == *" $name "* ]]; then
    jpegtran -rotate 90 -trim -copy none -outfile "$tmp" "$backgrounds/$name.jpg"
  else
    # Re-encoded so every sample is a plain baseline JPEG of moderate size.
    djpeg "$backgrounds/$name.jpg" | cjpeg -quality 90 -outfile "$tmp"
  fi
  mv "$tmp" "$out"
done

if [[ ! -s "$songs/sample.mp3" ]]; then
  ffmpeg -nostdin -loglevel error -y -i "$music" -t "$seconds" -af "afade=t=out:st=$((seconds - 3)):d=3" \
    -ac 2 -ar 44100 -c:a libmp3lame -b:a 160k "$songs/sample.mp3.part.mp3"
  mv "$songs/sample.mp3.part.mp3" "$songs/sample.mp3"
fi

if [[ ! -s "$songs/sample.lrc" ]]; then
  # One line every five seconds over the excerpt.
  {
    printf '[ti:冰冻泡泡]\r\n[ar:Frozen Bubble]\r\n[al:Solvane 示例]\r\n'
    lines=(冰冻泡泡的旋律响起 彩色的泡泡飞上天 一颗一颗连成串 冰雪世界在闪光
           跟着节拍向前走 照片里的春夏秋冬 每一帧都是回忆 谢谢观看)
    t=0
    for line in "${lines[@]}"; do
      ((t < seconds)) || break
      printf '[%02d:%02d.00]%s\r\n' $((t / 60)) $((t % 60)) "$line"
      t=$((t + 5))
    done
  } | iconv -f UTF-8 -t GBK >"$songs/sample.lrc.part"
  mv "$songs/sample.lrc.part" "$songs/sample.lrc"
fi

if [[ ! -s "$songs/sample.ksc" ]]; then
  # Karaoke lines between the lyric lines. Lines take slots A (left) and B (right) in turn;
  # the B lines are short, so they end clear of the lyric line centred at the bottom.
  {
    printf "karaoke.add('%s', '%s', '%s', '%s');\r\n" \
      00:02.000 00:05.000 冰冻泡泡的旋律 400,400,400,400,400,400,400 \
      00:06.000 00:08.000 响起 800,800 \
      00:10.000 00:13.000 彩色的泡泡 500,500,500,500,500 \
      00:14.000 00:16.000 飞上天 600,600,600 \
      00:18.000 00:21.000 一颗一颗连成串 400,400,400,400,400,400,400 \
      00:22.000 00:24.000 闪光 800,800 \
      00:26.000 00:29.000 跟着节拍向前走 400,400,400,400,400,400,400 \
      00:30.000 00:32.000 回忆 800,800 \
      00:34.000 00:37.000 谢谢观看 600,600,600,600
  } | iconv -f UTF-8 -t GBK >"$songs/sample.ksc.part"
  mv "$songs/sample.ksc.part" "$songs/sample.ksc"
fi

echo "sample photographs: $photos ($(ls "$photos"/*.jpg | wc -l) files)"
echo "sample song:        $songs/sample.mp3, $songs/sample.lrc, $songs/sample.ksc"
