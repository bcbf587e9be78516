#!/usr/bin/env bash
# Lists the x86 installer and the portable zip (neither can run here) and
# checks that they hold the programs of this build and the texts.
#   contents.sh <package folder> <version x.y.z> <32-bit lumora.exe> <64-bit lumora.exe>
set -uo pipefail
out=$1 version=$2 program32=$3 program64=$4
setup="$out/LumoraSetup-$version-x86.exe"
zip="$out/Lumora-$version-portable.zip"
failed=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
listed() { grep -qE "(^| )$2\$" <<<"$1"; }

echo "== $setup"
setup_list=$(7z l -ba "$setup") || { echo "FAILED: cannot list $setup"; exit 1; }
echo "$setup_list"
for f in lumora.exe.new uninstall.exe.new License.txt Samples/copyright.txt Samples/GPL-2.txt; do
  check "installer holds $f" listed "$setup_list" "$f"
done
check "installer holds sample photos" grep -qE 'Samples/[^/]+\.jpg$' <<<"$setup_list"
check "installer carries the 32-bit program" cmp -s <(7z e -so "$setup" lumora.exe.new) "$program32"

echo "== $zip"
zip_list=$(unzip -l "$zip") || { echo "FAILED: cannot list $zip"; exit 1; }
echo "$zip_list"
root="Lumora-$version"
for f in "$root/x64/lumora.exe" "$root/x86/lumora.exe" "$root/License.txt" "$root/ReadMe.txt"; do
  check "zip holds $f" listed "$zip_list" "$f"
done
check "zip carries the 32-bit program" cmp -s <(unzip -p "$zip" "$root/x86/lumora.exe") "$program32"
check "zip carries the 64-bit program" cmp -s <(unzip -p "$zip" "$root/x64/lumora.exe") "$program64"
check "zip has no installer" test -z "$(grep -iE 'setup|uninstall' <<<"$zip_list")"
exit $failed
