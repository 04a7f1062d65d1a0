#!/usr/bin/env bash
# Replays every fuzz corpus (fuzz/corpus/<target>) through the readers built with
# AddressSanitizer and UndefinedBehaviorSanitizer (g++), in a build folder of its
# own, so a read of memory that was never set or a wild index fails instead of
# passing silently as it may in the ordinary build. Called by .ci/run.
#   scripts/sanitized-replay.sh            build the replay programs and run them
# ASAN_DIR overrides the build folder (build-asan), JOBS the parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
ASAN_DIR=${ASAN_DIR:-build-asan}
JOBS=${JOBS:-$(nproc)}
TARGETS=(infofile groupfile photolink errorlog settings thumbnail wmf)

cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WARNINGS_AS_ERRORS=ON \
  -DQM_SANITIZE=address,undefined -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
cmake --build "$ASAN_DIR" -j "$JOBS" --target "${TARGETS[@]/#/replay_}"

# The replay's own memory bound counts what the sanitizer holds too: a smaller
# quarantine of freed blocks keeps that close to what the readers take.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=64:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# use_tls=0: the leak checker of g++ 12 misreads glibc 2.36's table of dynamically
# loaded thread-local storage (Qt's image plugins have some) and crashes at exit.
export LSAN_OPTIONS=${LSAN_OPTIONS:-use_tls=0:suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0}
cd "$ASAN_DIR"
QT_QPA_PLATFORM=offscreen ctest -R '^Fuzz\.' --output-on-failure -j "$JOBS"
