#!/bin/sh
# orvane convert to and from LATHE text: a 32x32 profile survives the trip; other sizes are refused.
set -u
orvane=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

"$orvane" new --type sphere --aspect 32x32 -o "$dir/ball.tga" || fail "new"
"$orvane" convert "$dir/ball.tga" "$dir/ball.txt" || fail "to text"
head -n 1 "$dir/ball.txt" | grep -q "^--LATHE DATA V3" || fail "no LATHE marker"
"$orvane" convert "$dir/ball.txt" "$dir/back.tga" || fail "from text"
"$orvane" info "$dir/back.tga" | grep -q "^type: SPHERE" || fail "not a sphere"
"$orvane" convert "$dir/back.tga" "$dir/back.txt" || fail "to text again"
cmp -s "$dir/ball.txt" "$dir/back.txt" || fail "the profile did not come back unchanged"

"$orvane" new --type sphere --aspect 64x16 -o "$dir/wide.tga" || fail "new wide"
"$orvane" convert "$dir/wide.tga" "$dir/wide.txt" 2>"$dir/err.txt"
[ $? -eq 1 ] || fail "64x16 to text must fail"
grep -q "You can export only 32x32." "$dir/err.txt" || fail "the reason is named"
[ ! -e "$dir/wide.txt" ] || fail "nothing is written"
printf 'hello\r\n' > "$dir/note.txt"
"$orvane" convert "$dir/note.txt" "$dir/note.tga" 2>/dev/null
[ $? -eq 1 ] || fail "a text file without a marker is refused"
echo "lathe text: ok"
