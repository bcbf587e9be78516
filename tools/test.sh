#!/usr/bin/env bash
# Sets up, builds and runs every test: the native pixel build under the
# sanitizers, then the Win32 build under Wine on a private X display.
# While working on one area: LUMORA_BUILD=<folder> (default build/),
# LUMORA_TARGETS="t1 t2" builds only those targets, LUMORA_TESTS=<regex>
# runs only matching tests (a filter that matches none fails), LUMORA_NATIVE=0
# skips the native build. The 32-bit build is compiled, never run.
# Last, tools/package.sh builds the packages and the tests labelled "package"
# install them; LUMORA_PACKAGE=0 skips that, and so does a LUMORA_TARGETS
# without test_package.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" || exit 1
export LUMORA_BUILD="${LUMORA_BUILD:-$root/build}"
unset LUMORA_WINEPREFIX   # the tests' own prefix, never the run command's
source "$root/tools/wine-env.sh"
jobs=$(nproc)

native=${LUMORA_NATIVE:-1}
targets=()
for t in ${LUMORA_TARGETS:-}; do targets+=(--target "$t"); done
filter=()
[ -n "${LUMORA_TESTS:-}" ] && filter=(-R "$LUMORA_TESTS")

# GCC does not see a cast that changes only the calling convention: no cast
# may make a callback pointer.
callbacks='WNDPROC|DLGPROC|TIMERPROC|WNDENUMPROC|HOOKPROC|MONITORENUMPROC|BFFCALLBACK|LPOFNHOOKPROC|LPTHREAD_START_ROUTINE'
if grep -rnE "(_cast<|\()\s*($callbacks)\s*[>)]" --include='*.cpp' --include='*.h' \
     "$root"/{picture,settings,ui,album,slideshow,dialogs,app,tests,bench}; then
  echo "a cast makes a callback pointer (above): declare the function CALLBACK instead" >&2
  exit 1
fi

set -e
if [ "$native" = 1 ]; then
  cmake -S "$root" -B "$LUMORA_BUILD/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_SANITIZE=ON >/dev/null
  cmake --build "$LUMORA_BUILD/native" -j "$jobs" "${targets[@]}"
fi
# The 32-bit product and its tests must build; the tests run on the 64-bit
# build of the same sources, this machine's kernel cannot run 32-bit code.
cmake -S "$root" -B "$LUMORA_BUILD/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$LUMORA_BUILD/win32" -j "$jobs" "${targets[@]}"
cmake -S "$root" -B "$LUMORA_BUILD/win64" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$LUMORA_BUILD/win64" -j "$jobs" "${targets[@]}"
set +e

cleanup() {
  wineserver -k >/dev/null 2>&1
  [ -n "${LUMORA_XVFB_PID:-}" ] && kill "$LUMORA_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

lumora_start_xvfb || exit 1
lumora_test_prefix
wineserver -p >/dev/null 2>&1   # one persistent server for the whole run
# Wine's background services start with the first program and keep its output
# open; start them here, away from CTest's pipes.
lumora_wine cmd /c echo >/dev/null 2>&1 </dev/null

summary() { # ctest log -> "passed failed"
  sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1
}
native_rc=0
: >"$LUMORA_BUILD/native.log"
if [ "$native" = 1 ]; then
  ctest --test-dir "$LUMORA_BUILD/native" --output-on-failure -j "$jobs" "${filter[@]}" | tee "$LUMORA_BUILD/native.log"
  native_rc=${PIPESTATUS[0]}
fi
ctest --test-dir "$LUMORA_BUILD/win64" --output-on-failure -LE package "${filter[@]}" | tee "$LUMORA_BUILD/win64.log"
win64_rc=${PIPESTATUS[0]}

package_rc=0
: >"$LUMORA_BUILD/package.log"
if [ "${LUMORA_PACKAGE:-1}" = 1 ] && { [ -z "${LUMORA_TARGETS:-}" ] || [[ " $LUMORA_TARGETS " == *" test_package "* ]]; }; then
  if "$root/tools/package.sh"; then
    ctest --test-dir "$LUMORA_BUILD/win64" --output-on-failure -L package "${filter[@]}" | tee "$LUMORA_BUILD/package.log"
    package_rc=${PIPESTATUS[0]}
  else
    echo "test: tools/package.sh failed" | tee "$LUMORA_BUILD/package.log"
    package_rc=1
  fi
fi

read -r nf nt <<<"$(summary "$LUMORA_BUILD/native.log")"
read -r wf wt <<<"$(summary "$LUMORA_BUILD/win64.log")"
read -r pf pt <<<"$(summary "$LUMORA_BUILD/package.log")"
failed=$(( ${nf:-0} + ${wf:-0} + ${pf:-0} + package_rc * (${pt:-0} == 0) ))
total=$(( ${nt:-0} + ${wt:-0} + ${pt:-0} ))
echo "all: $(( total - failed )) passed, $failed failed"
if [ "$total" -eq 0 ]; then
  echo "no test matches LUMORA_TESTS='${LUMORA_TESTS:-}'" >&2
  exit 1
fi
[ "$native_rc" -eq 0 ] && [ "$win64_rc" -eq 0 ] && [ "$package_rc" -eq 0 ]
