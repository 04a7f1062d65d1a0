#!/usr/bin/env bash
# Runs every benchmark program of the build on the offscreen platform.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
for b in "$build"/bench/bench_* "$build"/bench/*_bench; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.5 || exit 1
done
