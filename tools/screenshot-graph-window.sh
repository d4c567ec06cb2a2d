#!/usr/bin/env bash
# Takes a picture of the result graph window: starts the program under Xvfb in a
# scratch directory with a history of 30 drills, presses the score chart button
# and crops the graph window out of the screen.
# Usage: tools/screenshot-graph-window.sh [BINARY] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=$(realpath "${1:-build/src/app/surasura}")
output=$(realpath -m "${2:-docs/graph-window.png}")

if [ -z "${SURASURA_IN_XVFB:-}" ]; then
  export SURASURA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$binary" "$output"
fi

work=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work" "$runtime"' EXIT
cd "$work"
python3 - <<'PY'
lines = []
for i in range(30):
    minutes, seconds = divmod(150 + 4 * i + (i * 37) % 23, 60)
    percent = min(100, 60 + (i * 13) % 41)
    text = "所要時間 %02d分%02d秒 正答率%3d%%  2024/03/%02d 09:05" % (minutes, seconds, percent, 1 + i % 28)
    lines.append(text.encode("cp932") + b"\r\n")
open("HIST_ZV.DAT", "wb").write(b"".join(lines))
PY
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
xdotool mousemove --window "$window" 523 543 click 1   # the score chart button
graph=""
for _ in $(seq 1 100); do
  graph=$(xdotool search --onlyvisible --name "結果グラフ" 2>/dev/null | head -1 || true)
  [ -n "$graph" ] && break
  sleep 0.1
done
[ -n "$graph" ] || { echo "the graph window did not appear" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$graph")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
