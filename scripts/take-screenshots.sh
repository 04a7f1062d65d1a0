#!/usr/bin/env bash
# Redraws every picture in docs/screenshots/ from a generated archive under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target screenshots -j "$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/screenshots" docs/screenshots
