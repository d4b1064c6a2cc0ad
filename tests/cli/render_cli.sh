#!/bin/sh
# orvane render end to end: a sculpt map in, a PNG preview out; usage errors exit 2.
set -u
orvane=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir" || exit 1
fail() { echo "FAIL: $*"; exit 1; }
# OpenGL needs a display (scripts/test provides one through xvfb-run).
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }

"$orvane" new --type torus --aspect 64x16 -o "$dir/torus.tga" || fail "new"
"$orvane" render "$dir/torus.tga" -o "$dir/torus.png" --size 120x80 --view-level 2 --turn 15 || fail "render"
head -c 8 "$dir/torus.png" | od -An -c | grep -q "P   N   G" || fail "no PNG written"

"$orvane" render "$dir/torus.tga" -o "$dir/bad.png" --size 0x5 2>/dev/null
[ $? -eq 2 ] || fail "a zero size is a usage error"
"$orvane" render "$dir/torus.tga" -o "$dir/bad.tga" 2>/dev/null
[ $? -eq 2 ] || fail "a non-PNG output is a usage error"
"$orvane" render "$dir/missing.tga" -o "$dir/missing.png" 2>"$dir/err.txt"
[ $? -eq 1 ] || fail "a missing input is a file error"
grep -q "^orvane: error: .*missing.tga" "$dir/err.txt" || fail "the error line names the file"
[ ! -e "$dir/missing.png" ] || fail "nothing is written on failure"
echo "render: ok"
