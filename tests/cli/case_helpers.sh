# Helpers of the end-to-end job checks, sourced by each case script. They run in the
# case's work folder: orvane's stdout goes to out.txt and its stderr to err.txt.
# The sourcing script sets ORVANE.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run EXPECTED_STATUS ARGS...: runs orvane, keeps stdout in out.txt and stderr in err.txt
run() {
  want=$1
  shift
  "$ORVANE" "$@" >out.txt 2>err.txt
  got=$?
  [ "$got" -eq "$want" ] || { cat out.txt err.txt >&2; fail "orvane $* exited $got, expected $want"; }
}

# field KEY: the value of "KEY: value" in out.txt
field() {
  sed -n "s/^$1: //p" out.txt
}

expect_field() {
  value=$(field "$1")
  [ "$value" = "$2" ] || { cat out.txt >&2; fail "$1 is '$value', expected '$2'"; }
}

# expect_one_error FILE TEXT: exactly one stderr line naming FILE and containing TEXT
expect_one_error() {
  [ "$(wc -l <err.txt)" -eq 1 ] || { cat err.txt >&2; fail "stderr is not one line"; }
  grep -q "^orvane: error: $1: .*$2" err.txt || { cat err.txt >&2; fail "stderr does not say '$1: ...$2'"; }
  [ ! -s out.txt ] || fail "stdout is not empty"
}

# only_files NAMES...: the work folder holds exactly these files (besides the captures)
only_files() {
  actual=$(ls -A | grep -v -e '^out.txt$' -e '^err.txt$' | sort | tr '\n' ' ')
  wanted=$(for name in "$@"; do echo "$name"; done | sort | tr '\n' ' ')
  [ "$actual" = "$wanted" ] || fail "folder holds '$actual', expected '$wanted'"
}
