#!/usr/bin/env bash
# Renders the main window in the middle of a drill, and the start button's hint,
# on an X server of its own: docs/main-window.png and docs/hint.png.
# usage: tools/screenshot-main.sh [PROGRAM] [OUTPUT_DIR]
set -euo pipefail

root_dir="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root_dir/build/src/app/surasura}")"
out_dir="$(realpath -m "${2:-$root_dir/docs}")"
mkdir -p "$out_dir"

tmp="$(mktemp -d)"
mkdir -m 700 "$tmp/runtime"
mkdir "$tmp/work"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

(cd "$tmp/work" && exec "$program") >"$tmp/program.log" 2>&1 &
program_pid=$!
window=""
for _ in $(seq 200); do
  window="$(xdotool search --all --onlyvisible --pid "$program_pid" --name 'すらすら' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "screenshot: the main window did not appear" >&2; cat "$tmp/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y, WIDTH, HEIGHT

# A drill under way: a dozen answers, some of them right by chance, then the clock runs on a little.
xdotool key Return
for answer in 12 7 0 15 3 21 9 11 4 18 6 13; do
  xdotool type --delay 40 "$answer"
  xdotool key Return
  sleep 0.15
done
xdotool type --delay 40 "1"
sleep 2.2
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out_dir/main-window.png"

# The start button's hint: it shows during a drill too, once the pointer rests on the button.
xdotool mousemove --window "$window" 690 71
sleep 0.3
xdotool mousemove --window "$window" 692 72
sleep 1.2
import -window root -crop "420x140+$((X + 520))+$((Y + 30))" +repage "$out_dir/hint.png"
echo "screenshot: wrote $out_dir/main-window.png and $out_dir/hint.png"
