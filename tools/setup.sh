#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine; quick when all is there.
set -euo pipefail

# Wine runs the 64-bit build of the program: the 32-bit one is built as the
# product but needs a kernel with 32-bit support to run under Wine.
# Xorg with the dummy driver gives the two-monitor tests their desktop.
packages=(cmake g++ make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb x11-utils
          xdotool imagemagick googletest libgtest-dev libbenchmark-dev python3-pil libpixman-1-dev
          nsis p7zip-full xserver-xorg-core xserver-xorg-video-dummy ccache)
# Sample photos for the installers and tools/run.sh; everything works without them.
optional=(mate-backgrounds)

missing() {
  local p
  for p in "$@"; do dpkg -s "$p" >/dev/null 2>&1 || echo "$p"; done
}
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
install() {
  echo "setup: installing $*"
  $sudo_cmd apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "$@"
}

mapfile -t needed < <(missing "${packages[@]}")
[ ${#needed[@]} -eq 0 ] || install "${needed[@]}"
mapfile -t wanted < <(missing "${optional[@]}")
if [ ${#wanted[@]} -gt 0 ]; then
  install "${wanted[@]}" || echo "setup: ${wanted[*]} could not be installed; going on without" >&2
fi
