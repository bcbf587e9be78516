#!/usr/bin/env bash
# Builds Lumora and starts it under Wine, acting as the installer would: the
# nature photos of the Debian package mate-backgrounds become "InstallPath",
# so a first run with empty Pictures folders fills its album from them.
# With DISPLAY set the program runs on that display until it is closed;
# without one it runs on a private Xvfb, a screenshot is written to
# build/screenshot.png after about 10 seconds, and everything is stopped.
#
# Wine runs the 64-bit build: this machine's kernel cannot run 32-bit code.
# The 32-bit build (the product for Windows) is built as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
export LUMORA_BUILD="${LUMORA_BUILD:-$root/build}"
# A prefix of its own: the tests may run meanwhile in build/wineprefix.
LUMORA_WINEPREFIX="$LUMORA_BUILD/wineprefix-run"
source "$root/tools/wine-env.sh"
jobs=$(nproc)

cmake -S "$root" -B "$LUMORA_BUILD/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$LUMORA_BUILD/win32" -j "$jobs" --target lumora
cmake -S "$root" -B "$LUMORA_BUILD/win64" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$LUMORA_BUILD/win64" -j "$jobs" --target lumora
exe="$LUMORA_BUILD/win64/app/lumora.exe"

private_display=0
if [ -z "${DISPLAY:-}" ]; then
  lumora_start_xvfb
  private_display=1
fi
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${LUMORA_XVFB_PID:-}" ] && kill "$LUMORA_XVFB_PID" 2>/dev/null || true
}
[ "$private_display" = 1 ] && trap cleanup EXIT
lumora_wine_prefix

photos=$(find /usr/share/backgrounds/mate -mindepth 1 -maxdepth 1 -type d -iname '*nature*' 2>/dev/null | head -1)
if [ -n "$photos" ]; then
  # Wine shows the Unix root as drive Z:.
  windows_path="Z:${photos//\//\\}"
  lumora_wine reg add 'HKCU\Software\Arvendal\Lumora\Options' /v InstallPath /t REG_SZ \
    /d "$windows_path" /f >/dev/null 2>&1
  echo "run: InstallPath = $windows_path"
fi

if [ "$private_display" = 0 ]; then
  echo "run: starting Lumora on display $DISPLAY"
  lumora_wine "$exe"
  exit 0
fi
echo "run: starting Lumora on the private display $DISPLAY"
lumora_wine "$exe" &
sleep 10
import -window root -display "$DISPLAY" "$LUMORA_BUILD/screenshot.png"
echo "run: screenshot written to $LUMORA_BUILD/screenshot.png"
