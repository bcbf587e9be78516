# Sourced by the scripts: private Wine prefixes in the build folder, quiet and
# without the Mono/Gecko installers. The tests use build/wineprefix; a script
# may set LUMORA_WINEPREFIX to another one (the run command does), so that a
# running program and a test run never share a registry or a Wine server.
: "${LUMORA_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${LUMORA_WINEPREFIX:-$LUMORA_BUILD/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# The 64-bit loader directly: the wine front script would prefer a 32-bit one.
lumora_wine() {
  if [ -x /usr/lib/wine/wine64 ]; then /usr/lib/wine/wine64 "$@"; else wine "$@"; fi
}

# Creates the prefix on first use (about 20 s) and waits until it is ready.
lumora_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    lumora_wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# The tests' X server runs no window manager: Wine would wait two seconds for
# one each time a managed window hides. Unmanaged windows do not wait.
lumora_test_prefix() {
  lumora_wine_prefix
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    lumora_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Starts a private X server when none is given; sets DISPLAY and LUMORA_XVFB_PID.
lumora_start_xvfb() {
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    LUMORA_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$LUMORA_XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}
