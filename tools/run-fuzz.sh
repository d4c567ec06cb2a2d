#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target of the fuzz build for a bounded time, starting from the
# seed corpus kept in fuzz/corpus/<target>. New inputs the fuzzer finds go to
# <build>/corpus/<target>, never into the repository; an input that breaks a
# property is kept as <build>/artifacts/<target>-crash-... and the run fails.
# Once the fault is fixed, copy that input to fuzz/regressions/<target>/ so that
# the ordinary tests replay it.
#
# usage: run-fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
# (no TARGET: every target of fuzz/targets.txt)
set -uo pipefail

build=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(grep -E '^[a-z0-9_]+$' "$root/fuzz/targets.txt")
fi

failed=()
for target in "${targets[@]}"; do
  program=$build/fuzz/fuzz_$target
  corpus=$build/corpus/$target
  artifacts=$build/artifacts
  mkdir -p "$corpus" "$artifacts"
  log=$build/fuzz-$target.log
  echo "fuzz $target: ${seconds} s"
  # -timeout: an input that takes this long counts as a hang, a fault of its own.
  if "$program" "$corpus" "$root/fuzz/corpus/$target" -max_total_time="$seconds" -timeout=20 \
       -rss_limit_mb=4096 -artifact_prefix="$artifacts/$target-" -print_final_stats=1 >"$log" 2>&1; then
    grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$log" | sed "s/^/  /"
  else
    echo "fuzz $target FAILED; the log is $log, the input in $artifacts/:"
    grep -E "property failed|runtime error|ERROR: |SUMMARY" "$log" | head -n 5 | sed "s/^/  /"
    ls -t "$artifacts" | grep "^$target-" | head -n 1 | sed "s/^/  /"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
