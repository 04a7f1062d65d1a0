#!/usr/bin/env bash
# Builds and runs the libFuzzer targets of the readers (fuzz/) in a clang build of
# their own; the ordinary g++ build only replays the seed corpora as tests.
#   scripts/fuzz.sh build                    configure and build every target
#   scripts/fuzz.sh run <target> [seconds]   fuzz one target (default 60 s)
#   scripts/fuzz.sh all [seconds]            fuzz each target in turn
# Extra libFuzzer flags go after "--". New inputs collect in $FUZZ_DIR/corpus/<target>,
# crashes in $FUZZ_DIR/crashes/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
CXX_FUZZ=${CXX_FUZZ:-clang++-16}
FUZZ_DIR=${FUZZ_DIR:-build-fuzz}
TARGETS=(infofile groupfile photolink errorlog settings thumbnail)

if ! command -v "$CXX_FUZZ" >/dev/null; then
  echo "$CXX_FUZZ not found; the fuzzers need it (Debian 12: apt-get install clang-16 libclang-rt-16-dev)" >&2
  exit 1
fi

build() {
  cmake -S . -B "$FUZZ_DIR" -DCMAKE_CXX_COMPILER="$CXX_FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQM_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
  cmake --build "$FUZZ_DIR" -j "$(nproc)" --target "${TARGETS[@]/#/fuzz_}"
}

run() {
  local t=$1 secs=${2:-60}
  shift $(($# < 2 ? $# : 2))
  [ "${1:-}" = "--" ] && shift
  mkdir -p "$FUZZ_DIR/corpus/$t" "$FUZZ_DIR/crashes/$t"
  # The harnesses write a file per input: a memory-backed folder keeps that fast.
  [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
  QT_QPA_PLATFORM=offscreen "$FUZZ_DIR/fuzz/fuzz_$t" -max_total_time="$secs" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$FUZZ_DIR/crashes/$t/" "$@" "$FUZZ_DIR/corpus/$t" "fuzz/corpus/$t"
}

case "${1:-build}" in
  build) build ;;
  run) shift; [ $# -ge 1 ] || { echo "which target? ${TARGETS[*]}" >&2; exit 2; }; build; run "$@" ;;
  all)
    build
    status=0
    for t in "${TARGETS[@]}"; do run "$t" "${2:-60}" || status=1; done
    exit $status ;;
  *) sed -n '2,9p' "$0" >&2; exit 2 ;;
esac
