#!/usr/bin/env bash
# Takes a picture of the main window in the middle of a drill: starts the
# program under Xvfb in a scratch directory, starts a drill with Enter, answers
# a few questions, and crops the window out of the screen.
# Usage: tools/screenshot-main-window.sh [BINARY] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=$(realpath "${1:-build/src/app/surasura}")
output=$(realpath -m "${2:-docs/main-window-drill.png}")

if [ -z "${SURASURA_IN_XVFB:-}" ]; then
  export SURASURA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$binary" "$output"
fi

work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work" "$runtime"' EXIT
cd "$work"
XDG_RUNTIME_DIR=$runtime "$binary" &
pid=$!

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool key Return          # the start button has the focus
sleep 0.3
for answer in 12 7 "" 9 15 3 ""; do
  [ -n "$answer" ] && xdotool type --delay 60 "$answer"
  xdotool key Return
  sleep 0.25
done
xdotool type --delay 60 "1"
sleep 1.2                   # let the clock tick
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
