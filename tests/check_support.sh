# Shared by the shell test scripts, sourced after `set -u`:
#   check_begin NAME    a work folder $work of its own, removed at exit
#   fail MESSAGE        records a failed check and says what it was
#   check_end SUMMARY   prints SUMMARY when nothing failed; exits 1 if anything did

check_begin() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/zelvan-$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  failures=0
}

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

check_end() {
  [ "$failures" -eq 0 ] && echo "$1"
  exit $((failures > 0))
}
