#!/usr/bin/env bash
# Makes the pictures of docs/guide.md: starts the editor on a copy of the sample character
# under Xvfb with openbox at 1920 x 1080, drives it with xdotool and takes each picture
# with ImageMagick's import, reduced to a palette of colours, into docs/images/.
#   tools/guide_shots.sh [SAMPLE.cre]      (default: build/sample/sample.cre)
# Needs a release build (plkce, plkce-cli, sample_character) and Xvfb, openbox, xdotool,
# imagemagick and pngquant (scripts/setup.sh installs them). GUIDE_DISPLAY picks the X
# display (default :69). Rerun it whenever the windows change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sample=${1:-$root/build/sample/sample.cre}
display=${GUIDE_DISPLAY:-:69}
out=$root/docs/images
bin=$root/build/bin
[ -f "$sample" ] || { echo "no sample at $sample (scripts/build.sh release sample_character)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plkce-guide.XXXXXX")
pids=()
cleanup() {
  # The editor first, the X server last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    sleep 1
  done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
export DISPLAY=$display
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
# A home of its own: no stored layout, no recovery copy, no recent files.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache SDL_AUDIODRIVER=dummy
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$work/project"
project=$("$bin/plkce-cli" copy "$sample" "$work/project")

"$bin/plkce" "$project" --play >"$work/plkce.log" 2>&1 &
pids+=($!)
sleep 6

# The window of a title (the first one shown).
win() { xdotool search --onlyvisible --name "^$1\$" | head -1; }
# Clicks at a point of a window's client area.
click() { xdotool mousemove --window "$(win "$1")" "$2" "$3" click "${4:-1}"; sleep "${5:-0.6}"; }
# The outer frame of a window on the screen, for import's -crop.
frame_of() {
  local id=$1 x y w h l r t b
  read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF}
    END {print x, y, w, h}')
  read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))"
}
# Saves a picture of the screen (cropped to a window's frame when one is named by its
# title, or by its id as @ID) with at most 128 colours; `width` scales it down.
shot() {
  local name=$1 title=${2:-} width=${3:-} crop=() id
  if [ -n "$title" ]; then
    if [[ $title == @* ]]; then id=${title#@}; else id=$(win "$title"); fi
    xdotool windowraise "$id"
    sleep 0.5
    crop=(-crop "$(frame_of "$id")" +repage)
  fi
  import -window root -display "$display" "$work/raw.png"
  local resize=()
  [ -n "$width" ] && resize=(-resize "${width}x>")
  convert "$work/raw.png" "${crop[@]}" "${resize[@]}" "$work/cut.png"
  pngquant --force --quality=60-90 --speed 1 --output "$out/$name.png" 128 "$work/cut.png" ||
    convert "$work/cut.png" -colors 128 "PNG8:$out/$name.png"
  echo "docs/images/$name.png"
}

# The points below are client coordinates of the windows as the first start lays them out
# at 1920 x 1080 (the time sheet made wide enough to show its fields).
mkdir -p "$out"
shot overview "" 1280

shot palette "Resource Palette"

sheet=$(win TimeSheet)
xdotool windowsize "$sheet" 1250 560
xdotool windowmove "$sheet" 366 500
sleep 1
shot cut TimeSheet

# Fields and tween: unfold them, stop cut 1's playback, range mode, cells A1 to A12.
click TimeSheet 1170 44
click TimeSheet 1158 239
click TimeSheet 49 278
click TimeSheet 134 324
xdotool keydown shift
click TimeSheet 134 522
xdotool keyup shift
shot cell_fields TimeSheet

# Control frames: cut 2 talks, its control frames show their commands and messages.
click TimeSheet 216 16 1 1
click TimeSheet 34 324
xdotool key ctrl+Right Down Down Down
sleep 0.6
shot control_frames TimeSheet

# Simple playback of cut 1, then command playback of cut 2 with its message.
click TimeSheet 90 16 1 1
click TimeSheet 1158 239 1 1.5
shot playback_simple "PreView Window"
click TimeSheet 1158 239
click TimeSheet 216 16 1 1
click TimeSheet 1209 239 1 3
shot playback_command "PreView Window"
click TimeSheet 1158 239

shot messages "Message Browser"

# The profile browser starts hidden at 1920 x 1080: 表示 → プロフィール ブラウザ.
xdotool windowactivate --sync "$(win 'sample.cre - PLK-CE')"
xdotool key alt+v p
sleep 1
shot profile "Profile Browser"

# The AI tendency on the profile's page 麻雀.
click "Profile Browser" 125 22 1 1
shot tendency "Profile Browser"

# The character check: 表示 → キャラクターチェック runs it and lists what it finds.
frame="sample.cre - PLK-CE"
xdotool windowactivate --sync "$(win "$frame")"
xdotool key alt+v k
sleep 2
shot check "キャラクターチェック"

# The export: the toolbar's button asks where to write the .ce8 (the check window closed
# first).
click "キャラクターチェック" 667 396
xdotool windowactivate --sync "$(win "$frame")"
sleep 0.5
click "$frame" 131 34 1 3
shot export "名前を付けて保存"
xdotool key --window "$(win "名前を付けて保存")" Return
sleep 3
ls "$work/project"/*.ce8  # the export was written
