#!/usr/bin/env bash
# Builds both programs in Release and writes the release packages into
# build/package/: LumoraSetup-<version>-x64.exe and -x86.exe (one NSIS script,
# packaging/lumora.nsi, for each program) and Lumora-<version>-portable.zip.
# The version is the one of the version resource, res/version.h. The
# installers carry the nature photos of the Debian package mate-backgrounds as
# samples; without that package they are built without samples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
build="${LUMORA_BUILD:-$root/build}"
out="$build/package"
jobs=$(nproc)

version_part() {
  sed -n "s/^#define LUMORA_VERSION_$1 \([0-9][0-9]*\)\$/\1/p" "$root/res/version.h"
}
short_version="$(version_part MAJOR).$(version_part MINOR).$(version_part PATCH)"
version="$short_version.$(version_part BUILD)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: no version in res/version.h" >&2; exit 1; }

for arch in i686:win32 x86_64:win64; do
  cmake -S "$root" -B "$build/${arch#*:}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-${arch%:*}.cmake" >/dev/null
  cmake --build "$build/${arch#*:}" -j "$jobs" --target lumora
done

stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage/Samples"
# Text files with Windows line ends, for every Windows editor.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
crlf "$root/packaging/License.txt" "$stage/License.txt"

# The sample photos, with their authors and licence beside them; the include
# file lists them for the installer and the uninstaller.
photos=/usr/share/backgrounds/mate/nature
samples_nsh="$stage/samples.nsh"
mapfile -t samples < <(find "$photos" -maxdepth 1 -type f -iname '*.jpg' -printf '%f\n' 2>/dev/null | sort)
if [ ${#samples[@]} -gt 0 ] && [ -f /usr/share/doc/mate-backgrounds/copyright ]; then
  cp "${samples[@]/#/$photos/}" "$stage/Samples/"
  crlf /usr/share/doc/mate-backgrounds/copyright "$stage/Samples/copyright.txt"
  crlf /usr/share/common-licenses/GPL-2 "$stage/Samples/GPL-2.txt"
  samples+=(copyright.txt GPL-2.txt)
  {
    echo '!define SAMPLES'
    echo '!macro INSTALL_SAMPLES'
    echo '  SetOutPath "$INSTDIR\Samples"'
    for f in "${samples[@]}"; do echo "  File \"$stage/Samples/${f//\$/\$\$}\""; done
    echo '!macroend'
    echo '!macro REMOVE_SAMPLES'
    for f in "${samples[@]}"; do echo "  Delete \"\$INSTDIR\\Samples\\${f//\$/\$\$}\""; done
    echo '  RMDir "$INSTDIR\Samples"'
    echo '!macroend'
  } >"$samples_nsh"
  echo "package: ${#samples[@]} sample files from $photos"
else
  printf '!macro INSTALL_SAMPLES\n!macroend\n!macro REMOVE_SAMPLES\n!macroend\n' >"$samples_nsh"
  echo "package: mate-backgrounds is not installed: the installers are built without sample photos" >&2
fi

for arch in x64:win64 x86:win32; do
  name="LumoraSetup-$short_version-${arch%:*}.exe"
  makensis -V2 -NOCD -DARCH="${arch%:*}" -DVERSION="$version" -DSHORT_VERSION="$short_version" \
           -DPROGRAM="$build/${arch#*:}/app/lumora.exe" -DSTAGE="$stage" \
           -DICON="$root/res/art/frame.ico" -DOUTFILE="$out/$name" "$root/packaging/lumora.nsi"
done

# The portable zip: one folder with both programs and the texts.
portable="$stage/Lumora-$short_version"
mkdir -p "$portable/x64" "$portable/x86"
cp "$build/win64/app/lumora.exe" "$portable/x64/"
cp "$build/win32/app/lumora.exe" "$portable/x86/"
cp "$stage/License.txt" "$portable/"
crlf "$root/packaging/ReadMe.txt" "$portable/ReadMe.txt"
zip="$out/Lumora-$short_version-portable.zip"
rm -f "$zip"
(cd "$stage" && 7z a -tzip -mx=9 "$zip" "Lumora-$short_version" >/dev/null)

echo "package: written to $out"
ls -l "$out"/LumoraSetup-"$short_version"-*.exe "$zip"
