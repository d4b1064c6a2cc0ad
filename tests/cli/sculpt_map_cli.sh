#!/bin/sh
# End-to-end checks of the sculpt map jobs: sculpt_map_cli.sh ORVANE CASE
set -u

ORVANE=$1
CASE=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$(dirname "$0")/case_helpers.sh"

# tga_header WIDTH HEIGHT: an uncompressed 24-bit top-left TGA header
tga_header() {
  printf '\000\000\002\000\000\000\000\000\000\000\000\000'
  printf "\\$(printf '%03o' $(($1 % 256)))\\$(printf '%03o' $(($1 / 256)))"
  printf "\\$(printf '%03o' $(($2 % 256)))\\$(printf '%03o' $(($2 / 256)))"
  printf '\030\040'
}

case $CASE in
new_info)
  # Every type and aspect is written and described back as what was asked for.
  for spec in "sphere 32x32 33 33 128 128" "torus 64x16 65 17 256 64" "plane 128x8 129 9 512 32" \
              "cylinder 256x4 257 5 1024 16" "sphere 16x64 17 65 64 256" "torus 8x128 9 129 32 512" \
              "cylinder 4x256 5 257 16 1024"; do
    set -- $spec
    rm -f m.tga
    run 0 new --type "$1" --aspect "$2" -o m.tga
    [ ! -s out.txt ] && [ ! -s err.txt ] || fail "new printed something"
    run 0 info m.tga
    expect_field format TGA
    expect_field aspect "$2"
    expect_field type "$(echo "$1" | tr a-z A-Z)"
    expect_field columns "$3"
    expect_field rows "$4"
    expect_field width "$5"
    expect_field height "$6"
    expect_field step 4
    expect_field marked no
  done
  only_files m.tga
  ;;
tga_size)
  for size in 64 128 256 512; do
    run 0 new --type torus --aspect 32x32 --tga-size $size -o m.tga
    run 0 info m.tga
    expect_field width $size
    expect_field step $((size / 32))
  done
  run 0 convert m.tga small.tga --tga-size 64
  run 0 info small.tga
  expect_field width 64
  expect_field type TORUS
  ;;
marks)
  # Only a map written with the program's axes carries the mark; a PNG never does.
  run 0 new --type plane --aspect 64x16 --program-axes -o p.tga
  run 0 info p.tga
  expect_field marked yes
  run 0 new --type plane --aspect 64x16 -o s.tga
  run 0 info s.tga
  expect_field marked no
  run 0 convert p.tga p.png --program-axes
  run 0 info p.png
  expect_field format PNG
  expect_field marked no
  expect_field type PLANE
  ;;
png_round_trip)
  # TGA -> PNG -> TGA gives back the very same file, in both conventions.
  mkdir a b c
  for axes in "" "--program-axes"; do
    run 0 new --type cylinder --aspect 16x64 $axes -o a/m.tga
    run 0 convert a/m.tga b/m.png $axes
    run 0 convert b/m.png c/m.tga $axes
    cmp -s a/m.tga c/m.tga || fail "round trip through PNG changed the map ($axes)"
    run 0 info b/m.png
    expect_field type CYLINDER
    expect_field aspect 16x64
  done
  ;;
convert_as)
  # A torus read as a sphere gets single-point poles, so it is detected as a sphere afterwards.
  run 0 new --type torus --aspect 32x32 -o t.tga
  run 0 convert t.tga auto.tga --as auto
  run 0 info auto.tga
  expect_field type TORUS
  run 0 convert t.tga s.tga --as SPHERE
  run 0 info s.tga
  expect_field type SPHERE
  ;;
overwrite)
  # An existing output is replaced, never renamed to a numbered name.
  run 0 new --type sphere --aspect 32x32 -o m.tga
  run 0 new --type plane --aspect 32x32 -o m.tga
  run 0 info m.tga
  expect_field type PLANE
  only_files m.tga
  ;;
bad_input)
  run 1 info missing.tga
  expect_one_error missing.tga ""
  printf 'not an image at all' >junk.tga
  run 1 info junk.tga
  expect_one_error junk.tga ""
  { tga_header 100 100; head -c 30000 /dev/zero; } >odd.tga
  run 1 info odd.tga
  expect_one_error odd.tga "100 x 100 pixels is not a sculpt map size"
  { tga_header 64 48; head -c 9216 /dev/zero; } >wide.tga
  run 1 convert wide.tga out.tga
  expect_one_error wide.tga "64 x 48 pixels is not a sculpt map size"
  { tga_header 32 32; head -c 3072 /dev/zero; } >tiny.tga
  run 1 info tiny.tga
  expect_one_error tiny.tga "32 x 32 pixels is not a sculpt map size"
  tga_header 8192 8192 >huge.tga
  run 1 convert huge.tga out.png
  expect_one_error huge.tga "8192"
  { tga_header 64 64; head -c 100 /dev/zero; } >short.tga
  run 1 info short.tga
  expect_one_error short.tga ""
  # A good size decodes: the generator above makes readable TGAs.
  { tga_header 64 64; head -c 12288 /dev/zero; } >black.tga
  run 0 info black.tga
  expect_field aspect 32x32
  expect_field step 2
  only_files junk.tga odd.tga wide.tga tiny.tga huge.tga short.tga black.tga
  ;;
usage)
  for args in "info" "info a.tga b.tga" "new --aspect 32x32 -o m.tga" "new --type cone --aspect 32x32 -o m.tga" \
              "new --type sphere --aspect 33x33 -o m.tga" "new --type sphere --aspect 32x32" \
              "new --type sphere --aspect 32x32 --tga-size 100 -o m.tga" "new --type sphere --aspect 32x32 -o m.bmp" \
              "convert a.tga" "convert a.tga b.tga --as cone" "convert a.tga b.jpg" "convert a.tga b.tga --bogus" \
              "new --type sphere --type plane --aspect 32x32 -o m.tga" "new --type"; do
    run 2 $args
    grep -q '^usage: orvane' err.txt || { cat err.txt >&2; fail "no usage line for: $args"; }
  done
  only_files
  run 0 new --help
  grep -q '^usage: orvane' out.txt || fail "new --help shows no usage"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac
echo "ok: $CASE"
