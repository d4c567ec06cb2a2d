#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes a picture of the start button's hint: starts the program on an X server
# of its own, lets the pointer rest on the start button and crops the window's
# top-right corner with the hint below the pointer.
# usage: tools/screenshot-hint.sh [PROGRAM] [OUTPUT.png]
set -euo pipefail

root_dir="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root_dir/build/src/app/surasura}")"
output="$(realpath -m "${2:-$root_dir/docs/hint-start-button.png}")"

tmp="$(mktemp -d)"
mkdir -m 700 "$tmp/runtime"
mkdir "$tmp/work"
xvfb_pid=""
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
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

# The pointer rests on the start button (607, 52, 166 x 38); the hint comes after half a second.
xdotool mousemove --window "$window" 690 71
sleep 1.2
import -window root -crop "340x90+$((X + 560))+$((Y + 40))" +repage "$output"
echo "screenshot: wrote $output"
