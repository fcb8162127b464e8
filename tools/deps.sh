#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Usage: tools/deps.sh build|test
set -euo pipefail
# The Windows fonts of the windows are drawn with their metric-compatible kin
# (Liberation Sans for Arial, and so on).
pkgs=(cmake g++ make qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation)
if [ "${1:-build}" = test ]; then
  pkgs+=(googletest libgtest-dev libbenchmark-dev libxcb1-dev)
  # Real-window checks: a private X server, a window manager for the checks
  # that stack or maximise windows, input and screenshots.
  pkgs+=(xvfb xauth openbox xdotool imagemagick x11-utils python3-tk)
  # Fuzz targets: clang with its libFuzzer and sanitizer runtimes.
  pkgs+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
