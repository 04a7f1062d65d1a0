#!/usr/bin/env bash
# Runs a test program on an X display of its own (Xvfb) managed by openbox, as a
# user's desktop would manage the program's windows. Exits 77 (skipped) only when
# Xvfb cannot start; a missing window manager is a failure.
set -u
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

wait_for() {  # pid that must stay alive, then a command that tells when it is ready
  local pid=$1
  shift
  for _ in $(seq 100); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

if ! command -v Xvfb >/dev/null; then
  echo "Skipped: Xvfb is not installed"
  exit 77
fi
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
if ! wait_for "${pids[0]}" test -s "$work/display"; then
  echo "Skipped: Xvfb could not start: $(tail -n 3 "$work/xvfb.log")"
  exit 77
fi
export DISPLAY=":$(cat "$work/display")"

if ! command -v openbox >/dev/null; then
  echo "openbox is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
openbox --sm-disable --startup "touch $work/managed" >"$work/openbox.log" 2>&1 &
pids+=($!)
if ! wait_for "${pids[1]}" test -e "$work/managed"; then
  echo "openbox did not start: $(tail -n 3 "$work/openbox.log")" >&2
  exit 1
fi

QT_QPA_PLATFORM=xcb "$@"
