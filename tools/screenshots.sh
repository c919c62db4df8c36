#!/usr/bin/env bash
# Writes the README's pictures of the game, each cropped to the window's
# drawing area:
#   docs/title.png  the title screen the program opens on
#   docs/play.png   the board in play, after the start key and two moves
# It runs the game under a private Xvfb (no window manager, so the window is
# exactly its drawing area) and cleans everything up when done.
#
# Usage: tools/screenshots.sh [game executable] [output directory]
#        (defaults: build/snoutsum and docs/)
# Needs: Xvfb, xdotool, ImageMagick's import (tools/install-deps.sh).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/snoutsum}
out=${2:-$root/docs}

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done
[[ -x $game ]] || { echo "screenshots: no game at $game (build it first: make build)" >&2; exit 1; }
mkdir -p "$out"

tmp=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  local pid
  for pid in $game_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Runs a command again every 0.1 s until it succeeds, for at most $1 seconds.
retry() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  until "$@"; do
    ((--tries > 0)) || return 1
    sleep 0.1
  done
}

# The server picks a free display and writes its number once it accepts
# connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
retry 15 test -s "$tmp/display" || { echo "screenshots: Xvfb did not start:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n1 "$tmp/display")"
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

mkdir -m 700 "$tmp/runtime"
XDG_RUNTIME_DIR=$tmp/runtime "$game" 2>"$tmp/game.log" &
game_pid=$!

game_failed() {
  echo "screenshots: $1:" >&2
  cat "$tmp/game.log" >&2
  exit 1
}
find_window() {
  kill -0 "$game_pid" 2>/dev/null || game_failed "the game ended at start-up"
  window=$(xdotool search --onlyvisible --name '^Snoutsum' 2>/dev/null | head -n1) && [[ -n $window ]]
}
retry 15 find_window || game_failed "the game window did not appear"


geometry=$(xdotool getwindowgeometry --shell "$window")
x=$(sed -n 's/^X=//p' <<<"$geometry")
y=$(sed -n 's/^Y=//p' <<<"$geometry")
width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")

# The drawing area of the screen, as displayed, into a PNG without time
# stamps, so that an unchanged picture gives an unchanged file.
shoot() {
  import -window root -crop "${width}x${height}+${x}+${y}" +repage \
    -define png:exclude-chunk=date,time,tIME "png24:$1"
}

# Two equal pictures in a row: the window has finished drawing.
settled() {
  shoot "$tmp/a.png" && sleep 0.2 && shoot "$tmp/b.png" && cmp -s "$tmp/a.png" "$tmp/b.png"
}
retry 10 settled || { echo "screenshots: the title screen never settled" >&2; exit 1; }
cp "$tmp/b.png" "$out/title.png"

# Any key starts play; then the cursor goes one column right and one row up.
xdotool windowfocus --sync "$window"
xdotool key --delay 100 space Right Up
# Let the pig climb a little way up the pole first.
sleep 3
shoot "$out/play.png"

echo "screenshots: wrote $out/title.png and $out/play.png (${width}x${height})"
