#!/usr/bin/env bash
# Runs each pixtool command on small generated files and checks the bytes.
set -u
tool=$1
fail() { echo "FAIL: $*"; exit 1; }
raw() { printf "$1"; }   # printf escapes -> file

# 2x1: opaque (10,20,30,255) and half-transparent (200,100,50,128)
raw '\x02\0\0\0\x01\0\0\0\x0a\x14\x1e\xff\xc8\x64\x32\x80' > a.raw
# 1x1 white opaque
raw '\x01\0\0\0\x01\0\0\0\xff\xff\xff\xff' > w.raw

"$tool" premultiply a.raw p.raw || fail "premultiply exit"
[ "$(od -An -tx1 -v p.raw | tr -d ' \n')" = "02000000010000000a141eff643219""80" ] || fail "premultiply bytes"

"$tool" draw a.raw w.raw 1 0 d.raw || fail "draw exit"
[ "$(od -An -tx1 -v d.raw | tr -d ' \n')" = "02000000010000000a141effffffffff" ] || fail "draw bytes"
"$tool" draw a.raw w.raw 5 5 d2.raw || fail "draw outside exit"
cmp -s a.raw d2.raw || fail "draw outside changed pixels"

"$tool" resample a.raw r.raw 4 3 || fail "resample exit"
[ "$(stat -c %s r.raw)" = $((8 + 4 * 3 * 4)) ] || fail "resample size"

# bad input: missing file, short header, truncated pixels, absurd size, bad numbers
raw '\x02\0\0' > short.raw
raw '\x02\0\0\0\x01\0\0\0\x0a\x14' > trunc.raw
raw '\xff\xff\xff\x7f\xff\xff\xff\x7f' > huge.raw
for args in "premultiply missing.raw o.raw" "premultiply short.raw o.raw" "premultiply trunc.raw o.raw" \
            "premultiply huge.raw o.raw" "resample a.raw o.raw 0 3" "resample a.raw o.raw x 3" \
            "draw a.raw w.raw 1 zz o.raw" "resample a.raw" "frobnicate"; do
  "$tool" $args 2>/dev/null && fail "accepted: $args"
done
echo "pixtool: all checks passed"
