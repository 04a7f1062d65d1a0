#!/usr/bin/env bash
# Redraws docs/screenshots/ (the main window's, the group picker's and the About box) from a generated archive under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target screenshots -j "$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/screenshots" docs/screenshots
