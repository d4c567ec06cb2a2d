#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark and collects the figures (`make bench`).
#   bench/run-bench.sh BUILD_DIR [REPETITIONS]
# Prints each benchmark's table, then every "BENCH ..." line once more at the
# end; keeps all of it in BUILD_DIR/bench-results/results.txt with the chart
# pictures of each size (images/) and the plot of paint time (chart-paint.png).
# Benchmarks never fail on a time: only a benchmark that cannot run fails this.
set -euo pipefail

build=$(cd "${1:-build-bench}" && pwd)
reps=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
bin=$build/bench
out=$build/bench-results
rm -rf "$out"
mkdir -p "$out/images" "$out/history" "$out/startup"
results=$out/results.txt
: > "$results"

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$out/xdg-runtime}
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

run() {
  echo "== $*" | tee -a "$results"
  "$@" 2>>"$out/stderr.txt" | tee -a "$results"
  echo | tee -a "$results"
}

{
  echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), $(nproc) cores," \
       "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo), $(uname -sr)"
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee -a "$results"

run "$bin/drill_bench"
(cd "$out/history" && run "$bin/history_bench" "$reps")
QT_QPA_PLATFORM=offscreen run "$bin/chart_bench" --reps "$reps" --out "$out/images"
run xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/startup_bench" "$bin/startup_probe" "$bin/empty_window" \
  "$out/startup" 10
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$results"

before=$here/results-before.txt
QT_QPA_PLATFORM=offscreen "$bin/bench_plot" "$out/chart-paint.png" "$results" "$before" || \
  echo "bench: the plot could not be drawn" >&2
echo "plot: $out/chart-paint.png, pictures: $out/images/"
echo
grep '^BENCH ' "$results"
