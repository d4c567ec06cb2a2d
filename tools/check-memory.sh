#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the headless tests (platform, drill engine, history, chart, reliability,
# and the fuzz targets' replays) under valgrind memcheck. Fails on any memory
# error and on any definitely lost block.
#
# usage: check-memory.sh BUILD_DIR
set -uo pipefail

build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
logs=$build/memcheck
mkdir -p "$logs"

valgrind_args=(--tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite
               --errors-for-leak-kinds=definite --quiet)

# name, then the command line
runs=(
  "platform_tests|$build/tests/platform/platform_tests"
  "drill_tests|$build/tests/drill/drill_tests"
  "history_tests|$build/tests/history/history_tests"
  "chart_tests|$build/tests/chart/chart_tests"
  # The kill test forks hundreds of children and the million-line history takes
  # minutes under valgrind; both run under the sanitizers instead.
  "reliability_tests|$build/tests/reliability/reliability_tests --gtest_filter=-KillTest.*:BadHistory.AMillionLines"
)
mapfile -t fuzz_targets < <(grep -E '^[a-z0-9_]+$' "$root/fuzz/targets.txt")
for target in "${fuzz_targets[@]}"; do
  runs+=("fuzz_$target|$build/fuzz/fuzz_$target $root/fuzz/corpus/$target $root/fuzz/regressions/$target")
done

failed=()
for run in "${runs[@]}"; do
  name=${run%%|*}
  command=${run#*|}
  log=$logs/$name.log
  printf 'memcheck %-20s ' "$name"
  # shellcheck disable=SC2086  # the command line is split into its words on purpose
  if valgrind "${valgrind_args[@]}" --log-file="$log" $command >"$logs/$name.out" 2>&1; then
    echo "clean"
  else
    echo "FAILED (valgrind's report: $log, the test's output: $logs/$name.out)"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "memory errors or definite leaks in: ${failed[*]}"
  exit 1
fi
