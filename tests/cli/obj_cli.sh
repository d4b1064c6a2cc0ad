#!/bin/sh
# End-to-end checks of the OBJ parts of the jobs: obj_cli.sh ORVANE CASE
set -u

ORVANE=$1
CASE=$2
WORK=$(mktemp -d)
RUNTIME=$(mktemp -d)
trap 'rm -rf "$WORK" "$RUNTIME"' EXIT
cd "$WORK" || exit 1
# Writing a mesh draws its texture through a GUI application, which wants a runtime folder.
export XDG_RUNTIME_DIR="$RUNTIME"

. "$(dirname "$0")/case_helpers.sh"

# lines FILE PREFIX: how many lines of FILE start with PREFIX
lines() {
  grep -c "^$2" "$1"
}

case $CASE in
export_info)
  # Every type goes out as a mesh with its material and texture, and is described back.
  for spec in "sphere 32x32 33 33 994 1984" "torus 64x16 65 17 1024 2048" "plane 8x128 9 129 1161 2048" \
              "cylinder 256x4 257 5 1280 2048"; do
    set -- $spec
    rm -f m.tga m.obj m.mtl m.png
    run 0 new --type "$1" --aspect "$2" -o m.tga
    run 0 convert m.tga m.obj
    [ ! -s out.txt ] && [ ! -s err.txt ] || fail "convert printed something"
    [ "$(lines m.obj 'v ')" -eq "$5" ] || fail "$1: $(lines m.obj 'v ') vertex lines, expected $5"
    [ "$(lines m.obj 'f ')" -eq "$6" ] || fail "$1: $(lines m.obj 'f ') face lines, expected $6"
    [ "$(head -n 2 m.obj)" = "$(printf '# Exported from LATHE Series\r\nmtllib m.mtl\r')" ] || fail "header of m.obj"
    [ "$(cat m.mtl)" = "$(printf 'newmtl dudov\r\nmap_Kd m.png\r')" ] || fail "m.mtl"
    [ "$(grep -c "$(printf '\r')\$" m.obj)" -eq "$(wc -l <m.obj)" ] || fail "m.obj has lines not ended by CR LF"
    run 0 info m.png
    expect_field format PNG
    run 0 info m.obj
    expect_field format OBJ
    expect_field aspect "$2"
    expect_field type "$(echo "$1" | tr a-z A-Z)"
    expect_field columns "$3"
    expect_field rows "$4"
    expect_field vertices "$5"
    expect_field faces "$6"
    expect_field maximized no
  done
  only_files m.tga m.obj m.mtl m.png
  ;;
round_trip)
  # Map -> mesh -> map gives back the very same map, with triangles and with quadrangles.
  mkdir a b c
  for type in sphere torus plane cylinder; do
    for quads in "" "--quads"; do
      run 0 new --type $type --aspect 16x64 -o a/m.tga
      run 0 convert a/m.tga b/m.obj $quads
      run 0 convert b/m.obj c/m.tga
      cmp -s a/m.tga c/m.tga || fail "round trip through OBJ changed the $type map ($quads)"
      # And mesh -> mesh writes the same mesh again.
      run 0 convert b/m.obj c/m.obj $quads
      cmp -s b/m.obj c/m.obj || fail "OBJ to OBJ changed the $type mesh ($quads)"
    done
  done
  ;;
quads)
  run 0 new --type torus --aspect 32x32 -o t.tga
  run 0 convert t.tga q.obj --quads
  [ "$(lines q.obj 'f ')" -eq 1024 ] || fail "quadrangles: $(lines q.obj 'f ') faces"
  grep -q "^f 32/32/ 1/33/ 33/66/ 64/65/" q.obj || fail "the last face of row 0 is not where it belongs"
  grep -q "^#1024 vertices, 2048 faces" q.obj || fail "comment line"
  ;;
bad_input)
  run 1 info missing.obj
  expect_one_error missing.obj "cannot open"
  printf 'hello\r\n' >junk.obj
  run 1 info junk.obj
  expect_one_error junk.obj "0 vertices are not a sphere"
  run 0 new --type plane --aspect 32x32 -o p.tga
  run 0 convert p.tga p.obj
  sed 's#^f 1/1/ #f 5000/1/ #' p.obj >bad.obj
  run 1 convert bad.obj out.tga
  expect_one_error bad.obj "vertex 5000 does not exist"
  sed 's#^v 1.00000000 #v nan #' p.obj >nan.obj
  run 1 info nan.obj
  expect_one_error nan.obj "is not a finite number"
  # An unwritable output names the file and leaves nothing behind.
  run 1 convert p.obj no/such/folder/x.obj
  expect_one_error no/such/folder/x.obj ""
  only_files p.tga p.obj p.mtl p.png junk.obj bad.obj nan.obj
  ;;
usage)
  for args in "convert a.tga b.tga --quads" "convert a.obj b.tga --as torus" "convert a.tga b.mtl" "info a.obj b.obj"; do
    run 2 $args
    grep -q '^usage: orvane' err.txt || { cat err.txt >&2; fail "no usage line for: $args"; }
  done
  only_files
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac
echo "ok: $CASE"
