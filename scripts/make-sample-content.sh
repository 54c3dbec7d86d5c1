#!/usr/bin/env bash
# Prepares the demo's sample content from Debian packages (nothing is committed as binary):
#   <photos>/NN_<name>.jpg   twelve photographs from mate-backgrounds, three turned into portraits
#   <songs>/sample.mp3       a 40-second excerpt of frozen-bubble's main theme
#   <songs>/sample.lrc       its lyric file (GBK, as the lyric import expects), two lines with
#                            an English translation under them
#   <songs>/sample-karaoke.lrc  karaoke lines for the same song as a word-timed LRC (GBK):
#                            a <mm:ss.xx> tag before every word, filled word by word
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
  # One line every five seconds over the excerpt; a translation shares its line's time.
  {
    printf '[ti:冰冻泡泡]\r\n[ar:Frozen Bubble]\r\n[al:Solvane 示例]\r\n'
    lines=(冰冻泡泡的旋律响起 彩色的泡泡飞上天 一颗一颗连成串 冰雪世界在闪光
           跟着节拍向前走 照片里的春夏秋冬 每一帧都是回忆 谢谢观看)
    translations=("The Frozen Bubble tune begins" "" "" "" "" "" "" "Thank you for watching")
    t=0
    for i in "${!lines[@]}"; do
      ((t < seconds)) || break
      printf '[%02d:%02d.00]%s\r\n' $((t / 60)) $((t % 60)) "${lines[$i]}"
      [[ -z "${translations[$i]}" ]] ||
        printf '[%02d:%02d.00]%s\r\n' $((t / 60)) $((t % 60)) "${translations[$i]}"
      t=$((t + 5))
    done
  } | iconv -f UTF-8 -t GBK >"$songs/sample.lrc.part"
  mv "$songs/sample.lrc.part" "$songs/sample.lrc"
fi

if [[ ! -s "$songs/sample-karaoke.lrc" ]]; then
  # Karaoke lines between the lyric lines, every word timed as lyric services write them,
  # with a closing tag for the last word. Lines take slots A (left) and B (right) in turn;
  # the B lines are short, so they end clear of the lyric line centred at the bottom.
  sed 's/$/\r/' <<'LRC' | iconv -f UTF-8 -t GBK >"$songs/sample-karaoke.lrc.part"
[ti:冰冻泡泡]
[ar:Frozen Bubble]
[00:02.000]<00:02.000>冰<00:02.350>冻<00:02.700>泡<00:03.000>泡<00:03.400>的<00:03.700>旋<00:04.100>律<00:04.800>
[00:06.000]<00:06.000>响<00:06.700>起<00:07.600>
[00:10.300]<00:10.300>彩<00:10.750>色<00:11.100>的<00:11.400>泡<00:11.900>泡<00:12.700>
[00:14.000]<00:14.000>飞<00:14.500>上<00:15.000>天<00:15.800>
[00:18.000]<00:18.000>Bubbles<00:18.800> in<00:19.100> a<00:19.300> row<00:20.400>
[00:22.000]<00:22.000>闪<00:22.800>光<00:23.800>
[00:26.000]<00:26.000>跟<00:26.400>着<00:26.800>节<00:27.200>拍<00:27.700>向<00:28.100>前<00:28.500>走<00:29.200>
[00:30.000]<00:30.000>回<00:30.800>忆<00:31.800>
[00:34.000]<00:34.000>谢<00:34.600>谢<00:35.200>观<00:35.800>看<00:36.800>
LRC
  mv "$songs/sample-karaoke.lrc.part" "$songs/sample-karaoke.lrc"
fi

echo "sample photographs: $photos ($(ls "$photos"/*.jpg | wc -l) files)"
echo "sample song:        $songs/sample.mp3, $songs/sample.lrc, $songs/sample-karaoke.lrc"
