#!/usr/bin/env bash
# Runs zelvan-cli with good and bad arguments and checks its output and exit
# code. The program may be preceded by a runner (e.g. the Wine runner).
#
#   cli_test.sh [--quick] [runner...] program
#
# --quick runs only a few cases (for a Windows build under Wine, where every
# run starts Wine afresh).
set -u

quick=0
if [ "${1:-}" = "--quick" ]; then
  quick=1
  shift
fi
if [ $# -lt 1 ]; then
  echo "usage: $0 [--quick] [runner...] program" >&2
  exit 2
fi
cli=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/zelvan-cli-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

# fail MESSAGE: records a failed check.
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# run ARGS...: runs the program; leaves $work/out, $work/err and $status.
run() {
  "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
  status=$?
}

# expect_output EXPECTED ARGS...: exit code 0, exactly EXPECTED on stdout,
# nothing on stderr.
expect_output() {
  local expected=$1
  shift
  run "$@"
  [ "$status" -eq 0 ] || fail "[$*] exit code $status, expected 0"
  printf '%s' "$expected" >"$work/expected"
  cmp -s "$work/out" "$work/expected" || {
    fail "[$*] output differs:"
    diff "$work/expected" "$work/out" | head -10 >&2
  }
  [ -s "$work/err" ] && fail "[$*] wrote to stderr: $(cat "$work/err")"
}

# expect_refused ARGS...: exit code 2, nothing on stdout, one line on stderr.
expect_refused() {
  run "$@"
  [ "$status" -eq 2 ] || fail "[$*] exit code $status, expected 2"
  [ -s "$work/out" ] && fail "[$*] wrote to stdout: $(head -c 200 "$work/out")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "[$*] stderr is not one line: $(cat "$work/err")"
}

tab=$'\t'

# --- One day: Gregorian date, weekday, Hebrew date in reading order.
expect_output "Gregorian date: 2007-01-01
Weekday: Monday
Hebrew date: יא טבת ה'תשסז
" 2007-01-01

# --- Table: absolute day, date, Hebrew year, month, day, weekday, lesson day.
expect_output "732677${tab}2007-01-01${tab}5767${tab}10${tab}11${tab}1${tab}147
732678${tab}2007-01-02${tab}5767${tab}10${tab}12${tab}2${tab}148
" --table 2007-01-01 2007-01-02

expect_refused 2023-02-30
expect_refused --bogus

if [ "$quick" = 1 ]; then
  [ "$failures" -eq 0 ] && echo "cli tests passed (quick)"
  exit $((failures > 0))
fi

# The new year 5768, a Thursday.
expect_output "Gregorian date: 2007-09-13
Weekday: Thursday
Hebrew date: א תשרי ה'תשסח
" 2007-09-13

# Second Adar of a leap year, and day 15 written nine and six.
expect_output "Gregorian date: 2024-03-24
Weekday: Sunday
Hebrew date: יד אדר ב' ה'תשפד
" 2024-03-24
expect_output "Gregorian date: 2007-02-03
Weekday: Saturday
Hebrew date: טו שבט ה'תשסז
" 2007-02-03

# The year number changes at month 7 (Tishrei).
expect_output "732576${tab}2006-09-22${tab}5766${tab}6${tab}29${tab}5${tab}46
732577${tab}2006-09-23${tab}5767${tab}7${tab}1${tab}6${tab}47
" --table 2006-09-22 2006-09-23

# The first and last supported days; a year written with fewer digits.
expect_output "1${tab}0001-01-01${tab}3761${tab}10${tab}18${tab}1${tab}728
" --table 0001-01-01 0001-01-01
expect_output "1${tab}0001-01-01${tab}3761${tab}10${tab}18${tab}1${tab}728
" --table 1-01-01 1-01-01
expect_output "3652059${tab}9999-12-31${tab}13760${tab}8${tab}28${tab}5${tab}739
" --table 9999-12-31 9999-12-31

# Leap days: 2000 and 2024 have one.
expect_output "730179${tab}2000-02-29${tab}5760${tab}12${tab}23${tab}2${tab}700
" --table 2000-02-29 2000-02-29

# The whole range: one line a day, consecutive days and weekdays, lesson days
# from the running count, the first and last lines as above.
run --table 0001-01-01 9999-12-31
[ "$status" -eq 0 ] || fail "[whole range] exit code $status"
awk -F'\t' '
  NF != 7 { print "line " NR ": " NF " fields"; bad = 1; exit }
  $1 != NR { print "line " NR ": day " $1; bad = 1; exit }
  $6 != $1 % 7 { print "line " NR ": weekday " $6; bad = 1; exit }
  $7 != ($1 + 726) % 1017 + 1 { print "line " NR ": lesson day " $7; bad = 1; exit }
  END { if (!bad && NR != 3652059) print NR " lines" }
' "$work/out" >"$work/awk"
[ -s "$work/awk" ] && fail "[whole range] $(cat "$work/awk")"
[ "$(tail -n 1 "$work/out")" = "3652059${tab}9999-12-31${tab}13760${tab}8${tab}28${tab}5${tab}739" ] ||
  fail "[whole range] last line $(tail -n 1 "$work/out")"

# --- Help, and today by default.
run --help
[ "$status" -eq 0 ] || fail "[--help] exit code $status"
grep -q '^usage: zelvan-cli' "$work/out" || fail "[--help] no usage"
run
[ "$status" -eq 0 ] || fail "[today] exit code $status"
[ "$(wc -l <"$work/out")" -eq 3 ] || fail "[today] not three lines"
today=$(date +%F)
grep -q "^Gregorian date: $today\$" "$work/out" || [ "$(date +%F)" != "$today" ] ||
  fail "[today] not $today: $(head -n 1 "$work/out")"

# --- Bad arguments: exit code 2, no output, one line of reason.
expect_refused 2023-04-31            # April has 30 days
expect_refused 2023-02-29            # no leap day in 2023
expect_refused 1900-02-29            # nor in 1900
expect_refused 2023-13-01            # month 13
expect_refused 2023-00-10            # month 0
expect_refused 2023-01-00            # day 0
expect_refused 2023-01-32            # day 32
expect_refused 0000-01-01            # year 0
expect_refused 10000-01-01           # year 10000
expect_refused 99999999999999999999-01-01  # a year too long for any integer
expect_refused ""                    # empty
expect_refused 2023-1-01             # one month digit
expect_refused 2023-01-1             # one day digit
expect_refused 2023-001-01           # three month digits
expect_refused 2023/01/01            # wrong separator
expect_refused "2023-01-01 "         # trailing space
expect_refused " 2023-01-01"         # leading space
expect_refused 2023-01-01x           # trailing letter
expect_refused +2023-01-01           # sign
expect_refused abc                   # not a date
expect_refused -2023-01-01           # looks like an option
expect_refused -x                    # unknown short option
expect_refused --table               # no FROM and TO
expect_refused --table 2007-01-01    # no TO
expect_refused --table 2007-01-02 2007-01-01             # FROM after TO
expect_refused --table 2007-01-01 2007-02-30             # impossible TO
expect_refused --table 0000-01-01 2007-01-01             # year 0 as FROM
expect_refused --table 2007-01-01 10000-01-01            # year 10000 as TO
expect_refused --table 2007-01-01 2007-01-02 2007-01-03  # one too many
expect_refused 2007-01-01 2007-01-02                     # two dates
expect_refused --help extra                              # help takes nothing
expect_refused --table=2007-01-01                        # no such option

[ "$failures" -eq 0 ] && echo "cli tests passed"
exit $((failures > 0))
