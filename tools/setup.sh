#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine; quick when all is there.
set -euo pipefail

# Wine runs the 64-bit build of the program: the 32-bit one is built as the
# product but needs a kernel with 32-bit support to run under Wine.
# Xorg with the dummy driver gives the two-monitor tests their desktop.
packages=(cmake g++ make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb x11-utils
          xdotool imagemagick googletest libgtest-dev libbenchmark-dev python3-pil libpixman-1-dev
          xserver-xorg-core xserver-xorg-video-dummy)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${missing[@]}"
fi
