#!/usr/bin/env bash
# Installs the Debian packages Quillmont needs to build, run and test, only when some are missing.
set -euo pipefail
pkgs=(g++ cmake make qt6-base-dev qt6-multimedia-dev libfluidsynth-dev libjpeg62-turbo-dev libgtest-dev libbenchmark-dev
      gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav fluid-soundfont-gm
      fonts-dejavu-core fonts-liberation2 xvfb xauth libvips-tools ffmpeg ninja-build
      # WMF pictures: libwmf refuses every file, even one without text, without
      # these fonts, which it only recommends.
      libwmf-dev fonts-urw-base35
      # The window-manager tests: a real window manager, and keys sent to the X server.
      openbox xdotool)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
