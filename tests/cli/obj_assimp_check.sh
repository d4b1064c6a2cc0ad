#!/bin/sh
# Our OBJ exports read by an independent reader (assimp): every face is taken, none dropped.
set -u
orvane=$1
dir=$2
command -v assimp >/dev/null || { echo "assimp not installed: skipped"; exit 77; }
rm -rf "$dir" && mkdir -p "$dir" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

for type in sphere torus plane cylinder; do
  for aspect in 32x32 8x128; do
    "$orvane" new --type $type --aspect $aspect -o "$dir/$type.tga" || fail "new $type"
    "$orvane" convert "$dir/$type.tga" "$dir/$type.obj" || fail "export $type $aspect"
    faces=$(grep -c '^f ' "$dir/$type.obj")
    info=$(cd "$dir" && assimp info "$type.obj" 2>&1) || fail "assimp refused $type $aspect"
    read_faces=$(printf '%s\n' "$info" | sed -n 's/^Faces: *\([0-9]*\).*/\1/p' | head -n 1)
    [ "$read_faces" = "$faces" ] || fail "$type $aspect: assimp read $read_faces faces of $faces"
    printf '%s\n' "$info" | grep -q "^Materials: *1" || fail "$type $aspect: the material was not found"
  done
done
echo "assimp: ok"
