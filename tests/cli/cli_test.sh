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
. "$(dirname "$0")/../check_support.sh"
check_begin cli-test

# run ARGS...: runs the program; leaves $work/out, $work/err and $status.
# Under Wine a run in a fresh prefix now and then never reaches the program
# (Wine's own "Application could not be started" on standard output); such a
# run is made once more, and the program's own output is what is checked.
run() {
  "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
  status=$?
  if [ "$quick" = 1 ] && [ "$status" -ne 0 ] && grep -q '^Application could not be started' "$work/out"; then
    echo "[$*] Wine did not start the program; run again" >&2
    "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
    status=$?
  fi
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

# expect_refused ARGS...: exit code 2, nothing on stdout, one line on stderr
# (CRLF-ended under Windows) that ends pointing to --help.
expect_refused() {
  run "$@"
  [ "$status" -eq 2 ] || fail "[$*] exit code $status, expected 2"
  [ -s "$work/out" ] && fail "[$*] wrote to stdout: $(head -c 200 "$work/out")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "[$*] stderr is not one line: $(cat "$work/err")"
  tr -d '\r' <"$work/err" | grep -q "(see 'zelvan-cli --help')\$" || fail "[$*] no pointer to --help: $(cat "$work/err")"
}

# interrupt_long_write SIGNAL FILE: starts writing the whole range's table to
# FILE and sends SIGNAL to the program (under Wine the Windows process, which
# takes SIGINT as the console's Ctrl+C) once its temporary file is there; what
# is left in FILE's folder is for the caller to check.
interrupt_long_write() {
  env --default-signal=INT "${cli[@]}" --table 0001-01-01 9999-12-31 -o "$2" 2>/dev/null &
  local runner=$! pid=
  until [ -n "$pid" ] || ! kill -0 $runner 2>/dev/null; do
    ls "$2".* >/dev/null 2>&1 &&
      pid=$(pgrep -f "^(/|[A-Z]:)[^ ]*zelvan-cli(\.exe)? --table 0001-01-01 9999-12-31 -o $2\$")
    sleep 0.02
  done
  [ -n "$pid" ] && kill -"$1" $pid || fail "[-o, $1 during the write] no temporary file seen"
  wait $runner
}

# crlf: standard input with CRLF line ends.
crlf() { sed 's/$/\r/'; }

tab=$'\t'

# --- One day: Gregorian date, weekday, Hebrew date in reading order, the
# lesson day and each heading with its lesson (lesson day 147: units 439-441
# of the three-chapters track, unit 147, commandments day 147).
expect_output "Gregorian date: 2007-01-01
Weekday: Monday
Hebrew date: יא טבת ה'תשסז
Lesson day: 147
ג' פרקים ליום: הלכות שמיטה ויובל פרקים י\"ב-י\"ג, הלכות בית הבחירה פרק א'
פרק א' ליום: הלכות עירובין פרק ח'
ספר המצוות: ל\"ת קס\"ט, ק\"ע, מ\"ע קפ\"ג, ל\"ת רכ\"ח, מ\"ע כ'
" 2007-01-01

# --- Lessons as tab-separated lines: date, lesson day, Hebrew date, the
# three-chapters, one-chapter and commandments lessons. 21 May 2009 is a first
# day of the cycle: the introduction in all three tracks.
expect_output "2009-05-21${tab}1${tab}כז אייר ה'תשסט${tab}הקדמה חלקים א'-ג'${tab}הקדמה חלק א'${tab}הקדמה
2009-05-22${tab}2${tab}כח אייר ה'תשסט${tab}מצוות עשה חלקים א'-ג'${tab}הקדמה חלק ב'${tab}שורשים א'-ג'
" --tsv --days 2 2009-05-21
expect_refused --days 0 2009-05-21

# --- Table: absolute day, date, Hebrew year, month, day, weekday, lesson day.
expect_output "732677${tab}2007-01-01${tab}5767${tab}10${tab}11${tab}1${tab}147
732678${tab}2007-01-02${tab}5767${tab}10${tab}12${tab}2${tab}148
" --table 2007-01-01 2007-01-02

expect_refused 2023-02-30
expect_refused --bogus

# --- A day's iCalendar event and JSON object, byte for byte (the Windows build
# writes the same bytes): CRLF lines folded at 75 octets without splitting a
# letter, commas and newlines escaped, geresh and gershayim in the summary and
# description (the JSON keeps the published ' and "), DTSTAMP and SEQUENCE from
# SOURCE_DATE_EPOCH, a reminder at 07:30.
export SOURCE_DATE_EPOCH=1700000000
version=$("${cli[@]}" --version | cut -d ' ' -f 2)
expect_output "$(crlf <<EOF
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Thalvane//Zelvan $version//HE
CALSCALE:GREGORIAN
X-WR-CALNAME:Zelvan
BEGIN:VEVENT
UID:zelvan-20070101-3-1-commandments
DTSTAMP:20231114T221320Z
SEQUENCE:28333333
DTSTART;VALUE=DATE:20070101
DTEND;VALUE=DATE:20070102
SUMMARY:הלכות שמיטה ויובל פרקים י״ב-י״ג\, הלכ
 ות בית הבחירה פרק א׳ | הלכות עירובין פרק ח
 ׳
DESCRIPTION:יא טבת ה׳תשסז\nג׳ פרקים ליום: הלכות 
 שמיטה ויובל פרקים י״ב-י״ג\, הלכות בית הבח
 ירה פרק א׳\nפרק א׳ ליום: הלכות עירובין פרק
  ח׳\nספר המצוות: ל״ת קס״ט\, ק״ע\, מ״ע קפ״ג\, 
 ל״ת רכ״ח\, מ״ע כ׳
TRANSP:TRANSPARENT
BEGIN:VALARM
ACTION:DISPLAY
DESCRIPTION:הלכות שמיטה ויובל פרקים י״ב-י״ג\, ה
 לכות בית הבחירה פרק א׳ | הלכות עירובין פר
 ק ח׳
TRIGGER:PT7H30M
END:VALARM
END:VEVENT
END:VCALENDAR
EOF
)"$'\n' --ics 2007-01-01 2007-01-01 --alarm 7:30
expect_output '[
  {
    "date": "2007-01-01",
    "weekday": "Monday",
    "hebrew_date": {
      "year": 5767,
      "month": 10,
      "day": 11,
      "text": "יא טבת ה'"'"'תשסז"
    },
    "lesson_day": 147,
    "lessons": [
      {
        "track": "3",
        "heading": "ג'"'"' פרקים ליום",
        "entry": "הלכות שמיטה ויובל פרקים י\"ב-י\"ג, הלכות בית הבחירה פרק א'"'"'"
      },
      {
        "track": "1",
        "heading": "פרק א'"'"' ליום",
        "entry": "הלכות עירובין פרק ח'"'"'"
      },
      {
        "track": "commandments",
        "heading": "ספר המצוות",
        "entry": "ל\"ת קס\"ט, ק\"ע, מ\"ע קפ\"ג, ל\"ת רכ\"ח, מ\"ע כ'"'"'"
      }
    ]
  }
]
' --json 2007-01-01

# --- -o FILE, on every platform: a Hebrew file name (on Windows whatever the
# code page), the bytes of standard output, written again over itself; -o -
# is standard output; a read-only file, a folder and an option taken for a
# file are refused, and Ctrl+C stops a long write, leaving no temporary file.
mkdir "$work/o"
hebrew="$work/o/שיעורים.json"
run --json 2007-01-01
cp "$work/out" "$work/o-expected"
for pass in new again; do
  run --json 2007-01-01 -o "$hebrew"
  [ "$status" -eq 0 ] && [ ! -s "$work/out" ] && cmp -s "$work/o-expected" "$hebrew" || fail "[-o $pass] $status $(cat "$work/err")"
done
run --json -o - 2007-01-01
cmp -s "$work/o-expected" "$work/out" || fail "[-o -] not standard output"
echo kept >"$work/o/read-only"
chmod 444 "$work/o/read-only"
for target in "$work/o/read-only" "$work/o"; do
  run --json -o "$target" 2007-01-01
  [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "[-o $target] $status $(cat "$work/err")"
done
expect_refused --json -o -x.json 2007-01-01
interrupt_long_write INT "$work/o/interrupted"
[ "$(cat "$work/o/read-only")" = kept ] || fail "[-o] a read-only file was changed"
[ "$(ls "$work/o" | LC_ALL=C sort | tr '\n' ' ')" = "read-only שיעורים.json " ] || fail "[-o] left behind: $(ls "$work/o")"
chmod 644 "$work/o/read-only"
# --- The study log: a mark is a journal line per followed track, read back
# as the days behind with their lessons. Relative paths, which Wine takes too;
# a Hebrew one works on Windows whatever the code page.
cd "$work"
expect_output "2024-03-20: learned 3, 1, commandments
" --mark 2024-03-20 --log log.txt
printf '%s\n' "2023-11-14T22:13:20Z learned 3 2024-03-20" "2023-11-14T22:13:20Z learned 1 2024-03-20" \
  "2023-11-14T22:13:20Z learned commandments 2024-03-20" >expected-log.txt
cmp -s log.txt expected-log.txt || fail "[--mark] journal: $(cat log.txt)"
run --mark 2024-03-20 --log יומן.txt
cmp -s יומן.txt expected-log.txt || fail "[--mark] a Hebrew journal name: $status $(cat "$work/err")"
expect_output "2024-03-21${tab}3${tab}הלכות אבל פרקים ט'-י\"א
2024-03-21${tab}1${tab}הלכות נדרים פרק י'
2024-03-21${tab}commandments${tab}ל\"ת קס\"ו
" --behind 2024-03-22 --log log.txt
cd - >/dev/null

if [ "$quick" = 1 ]; then
  [ "$failures" -eq 0 ] && echo "cli tests passed (quick)"
  exit $((failures > 0))
fi

# The new year 5768, a Thursday.
expect_output "Gregorian date: 2007-09-13
Weekday: Thursday
Hebrew date: א תשרי ה'תשסח
Lesson day: 402
ג' פרקים ליום: הלכות קידוש החודש פרקים ט'-י\"א
פרק א' ליום: הלכות מעשרות פרק י\"ב
ספר המצוות: מ\"ע קנ\"ג
" 2007-09-13

# Second Adar of a leap year, and day 15 written nine and six.
expect_output "Gregorian date: 2024-03-24
Weekday: Sunday
Hebrew date: יד אדר ב' ה'תשפד
Lesson day: 337
ג' פרקים ליום: הלכות מלכים ומלחמות פרקים ד'-ו'
פרק א' ליום: הלכות נדרים פרק י\"ג
ספר המצוות: מ\"ע קפ\"ז, ל\"ת מ\"ט, מ\"ע קפ\"ח, קפ\"ט, ל\"ת נ\"ט
" 2024-03-24
expect_output "Gregorian date: 2007-02-03
Weekday: Saturday
Hebrew date: טו שבט ה'תשסז
Lesson day: 180
ג' פרקים ליום: הלכות קרבן פסח פרקים ג'-ה'
פרק א' ליום: הלכות קידוש החודש פרק ב'
ספר המצוות: מ\"ע נ\"ז, נ\"ו, נ\"ח
" 2007-02-03

# --- Consecutive days: reports apart by an empty line; the last lesson day
# of the cycle is followed by the first.
run --days 2 2009-05-20
[ "$status" -eq 0 ] || fail "[--days 2] exit code $status"
[ "$(wc -l <"$work/out")" -eq 15 ] || fail "[--days 2] not 7 + 1 + 7 lines"
[ "$(sed -n 4p "$work/out")" = "Lesson day: 1017" ] || fail "[--days 2] $(sed -n 4p "$work/out")"
[ "$(sed -n 8p "$work/out")" = "" ] || fail "[--days 2] no empty line between the days"
[ "$(sed -n 12p "$work/out")" = "Lesson day: 1" ] || fail "[--days 2] $(sed -n 12p "$work/out")"

# A whole cycle from its first day: lesson day k is the line's number; the
# one-chapter lesson names unit k's section, the three-chapters lesson begins
# with unit 3j+1's section, and a day of one text item shows that text.
data=$(cd "$(dirname "$0")/../../resources/lessons" && pwd)
run --tsv --days 1017 2009-05-21
[ "$status" -eq 0 ] || fail "[whole cycle] exit code $status"
awk -F'\t' -v units="$data/units.tsv" -v days="$data/commandments.tsv" '
  BEGIN {
    while ((getline line < units) > 0) { split(line, f, "\t"); section[f[1]] = f[4]; kind[f[1]] = f[5] }
    while ((getline line < days) > 0) { split(line, f, "\t"); items[f[1]] = f[2] }
  }
  function starts(text, prefix) { return substr(text, 1, length(prefix) + 1) == prefix " " }
  NF != 6 { print "line " NR ": " NF " fields"; bad = 1; exit }
  $2 != NR { print "line " NR ": lesson day " $2; bad = 1; exit }
  !starts($5, section[NR] " " (kind[NR] == "chapter" ? "פרק" : "חלק")) {
    print "line " NR ": one chapter " $5; bad = 1; exit
  }
  !starts($4, section[3 * ((NR - 1) % 339) + 1]) { print "line " NR ": three chapters " $4; bad = 1; exit }
  items[(NR - 1) % 339 + 1] ~ /^T:[^;]*$/ && "T:" $6 != items[(NR - 1) % 339 + 1] {
    print "line " NR ": commandments " $6; bad = 1; exit
  }
  END { if (!bad && NR != 1017) print NR " lines" }
' "$work/out" >"$work/awk"
[ -s "$work/awk" ] && fail "[whole cycle] $(cat "$work/awk")"

# The most days at once, up to the last supported day.
run --tsv --days 100000 9726-03-18
[ "$status" -eq 0 ] || fail "[--days 100000] exit code $status"
[ "$(wc -l <"$work/out")" -eq 100000 ] || fail "[--days 100000] $(wc -l <"$work/out") lines"
[ "$(tail -n 1 "$work/out" | cut -f 1,2)" = "9999-12-31${tab}739" ] ||
  fail "[--days 100000] last line $(tail -n 1 "$work/out" | cut -f 1,2)"

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
[ "$(wc -l <"$work/out")" -eq 7 ] || fail "[today] not seven lines"
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
expect_refused --days 2 --table 2007-01-01 2007-01-02    # --days not with --table
expect_refused --table=2007-01-01                        # no such option
expect_refused --days                                    # no count
expect_refused --days 100001                             # one day too many
expect_refused --days -1                                 # negative
expect_refused --days x                                  # not a number
expect_refused --days 1.5                                # not a whole number
expect_refused --days 99999999999999999999               # far too many
expect_refused --days 2 --days 2                         # given twice
expect_refused --tsv --tsv                               # given twice
expect_refused --days 2 9999-12-31                       # past the last day
expect_refused --days 100000 9726-03-19                  # one day past it
expect_refused --tsv 2007-02-30                          # impossible date
expect_refused --tsv 2007-01-01 2007-01-02               # two dates
expect_refused --tsv --table 2007-01-01 2007-01-02       # two modes
expect_refused --days 2 --bogus                          # unknown option

expect_refused --ics 2007-01-02 2007-01-01               # reversed range
expect_refused --ics 2007-01-01 2012-01-05               # 1831 days, one too many
expect_refused --ics 2007-01-01 2007-01-02 --track 2     # unknown track
expect_refused --track 1 2007-01-01                      # --track only with --ics
expect_refused --ics 2007-01-01 2007-01-02 -o            # no file
expect_refused --ics --days 1831 2007-01-01              # one day too many
expect_refused --ics --days 2 2007-01-01 2007-01-02      # --days not with FROM TO
expect_refused --ics --days 30 9999-12-03                # past the last day
expect_refused --ics 2007-01-01 --alarm 24:00            # no such time
expect_refused --ics 2007-01-01 --alarm 7:5              # one minute digit
expect_refused --ics 2007-01-01 --alarm 0730             # no colon
expect_refused --ics 2007-01-01 --alarm                  # no time
expect_refused --ics 2007-01-01 --alarm 7:30 --alarm 8:00  # given twice
expect_refused --tsv 2007-01-01 --alarm 7:30             # --alarm only with --ics

# --- Options and dates in any order; --help and --version anywhere.
run --tsv --days 2 2009-05-21
mv "$work/out" "$work/in-order"
run 2009-05-21 --tsv --days 2
cmp -s "$work/in-order" "$work/out" || fail "[2009-05-21 --tsv --days 2] differs from in order"
run 2007-01-01 2007-01-02 --table
[ "$(cut -f 2 "$work/out" | tr '\n' ' ')" = "2007-01-01 2007-01-02 " ] || fail "[--table last] $(cat "$work/out")"
for args in "--tsv 2007-01-01 --help" "--bogus --help" "-h"; do
  run $args
  [ "$status" -eq 0 ] && grep -q '^usage: zelvan-cli' "$work/out" || fail "[$args] no usage"
done
run 2007-01-01 --version
[ "$status" -eq 0 ] && grep -qx 'zelvan-cli [0-9]*\.[0-9]*[a-z]*' "$work/out" || fail "[--version] $(cat "$work/out")"

# --- -o FILE as a careful tool writes it: the most --ics days; a file keeps its
# mode, a new one gets the umask's; a symbolic link's target is replaced; a
# FIFO and /dev/stdout are written to as they are. After a refusal, bad input,
# a failed write (past the file size limit) and SIGTERM during a long write,
# what was there stays and no temporary file is left.
rm -rf "$work/o" && mkdir "$work/o"
run --ics 2007-01-01 2012-01-04 -o "$work/o/five-years.ics"   # 1830 days, the most
[ "$status" -eq 0 ] && [ ! -s "$work/out" ] || fail "[-o] exit code $status"
run --ics 2007-01-01 2012-01-04
cmp -s "$work/out" "$work/o/five-years.ics" || fail "[-o] not the bytes of standard output"
echo kept >"$work/o/kept"
chmod 600 "$work/o/kept"
ln -s kept "$work/o/link"
(umask 027 && "${cli[@]}" --tsv 2007-01-01 -o "$work/o/new" && "${cli[@]}" --tsv 2007-01-01 -o "$work/o/link")
[ "$(stat -c %a "$work/o/new") $(stat -c %a "$work/o/kept")" = "640 600" ] ||
  fail "[-o] modes $(stat -c %a "$work/o/new") $(stat -c %a "$work/o/kept"), not 640 600"
[ -L "$work/o/link" ] && cmp -s "$work/o/new" "$work/o/kept" || fail "[-o] the link's target not replaced"
mkfifo "$work/o/fifo"
cat "$work/o/fifo" >"$work/fifo-read" &
"${cli[@]}" --tsv 2007-01-01 -o "$work/o/fifo" && wait $!
"${cli[@]}" --tsv 2007-01-01 -o /dev/stdout >"$work/o/stdout"
cmp -s "$work/fifo-read" "$work/o/new" && cmp -s "$work/o/stdout" "$work/o/new" && [ -p "$work/o/fifo" ] ||
  fail "[-o] a FIFO or /dev/stdout not written as it is"
rm "$work/o/fifo" "$work/o/stdout" "$work/o/new"
cp "$work/o/kept" "$work/kept-before"
expect_refused --ics 2007-01-02 2007-01-01 -o "$work/o/kept"
for target in "$work/o/missing/x.ics" "$work/o"; do    # no such folder; a folder
  run --json -o "$target" 2007-01-01
  [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "[-o $target] $status $(cat "$work/err")"
done
SOURCE_DATE_EPOCH=soon run --ics 2007-01-01 2007-01-01 -o "$work/o/kept"
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "[SOURCE_DATE_EPOCH=soon] $status"
(ulimit -f 8 && run --tsv --days 100 2007-01-01 -o "$work/o/kept" && [ "$status" -eq 1 ]) ||
  fail "[-o past the file size limit] not a failed write"
interrupt_long_write TERM "$work/o/kept"
cmp -s "$work/o/kept" "$work/kept-before" || fail "[-o] an existing file was changed"
[ "$(ls "$work/o" | tr '\n' ' ')" = "five-years.ics kept link " ] || fail "[-o] left behind: $(ls "$work/o")"

# --- --ics like the other modes: 30 days from today, or --days N from DATE.
run --ics
[ "$(grep -c '^BEGIN:VEVENT' "$work/out")" -eq 30 ] || fail "[--ics] not 30 days from today"
run --ics --days 2 2007-01-01
[ "$(grep -o '^DTSTART;VALUE=DATE:[0-9]*' "$work/out" | cut -d : -f 2 | tr '\n' ' ')" = "20070101 20070102 " ] ||
  fail "[--ics --days 2] $(grep DTSTART "$work/out")"

# --- The last supported day has no next day: its event lasts one day.
run --ics 9999-12-31 9999-12-31 --track 1 --track 1
grep -q $'^DURATION:P1D\r$' "$work/out" && ! grep -q DTEND "$work/out" || fail "[9999-12-31] $(cat "$work/out")"

# --- The study log in full, on the journal of the quick cases (the 20th of
# March 2024 learned in every track): marks taken back, a start date set by
# hand, the tracks followed, the progress as text and JSON, the days behind.
cd "$work"
expect_output "2024-03-20: not learned commandments
" --unmark 2024-03-20 --track commandments --log log.txt
expect_output "2024-03-19: began commandments
" --began 2024-03-19 --track commandments --log log.txt
expect_output "2024-03-22: learned 3, 1, commandments
" --mark 2024-03-22 --log log.txt
# The commandments begun on the 19th: three days behind, the 20th taken back.
expect_output "Study progress on 2024-03-23 (tracks 3, 1, commandments)
Lessons behind: 5
Streak: 1 day
Track 3: cycle 43 from 2023-04-23, completes on 2024-03-26
  began: 2024-03-20
  learned: 2 of 339 (0%)
  behind: 1
  streak: 1 day
  to catch up: 2 lessons a day for a week, or 2 a day for a month
Track 1: cycle 15 from 2023-04-23, completes on 2026-02-02
  began: 2024-03-20
  learned: 2 of 1017 (0%)
  behind: 1
  streak: 1 day
  to catch up: 2 lessons a day for a week, or 2 a day for a month
Track commandments: cycle 43 from 2023-04-23, completes on 2024-03-26
  began: 2024-03-19
  learned: 1 of 339 (0%)
  behind: 3
  streak: 1 day
  to catch up: 2 lessons a day for a week, or 2 a day for a month
" --progress 2024-03-23 --log log.txt
run --progress 2024-03-23 --log log.txt -o progress.txt
cmp -s progress.txt <("${cli[@]}" --progress 2024-03-23 --log log.txt) || fail "[--progress -o] differs"
# From now on only the one-chapter track: a mark without --track is its alone.
expect_output "following 1
" --follow --track 1 --log log.txt
expect_output "2024-03-23: learned 1
" --mark 2024-03-23 --log log.txt
expect_output '{
  "date": "2024-03-24",
  "tracks_followed": [
    "1"
  ],
  "behind": 1,
  "streak": 2,
  "tracks": [
    {
      "track": "1",
      "cycle": {
        "number": 15,
        "first": "2023-04-23",
        "last": "2026-02-02"
      },
      "began": "2024-03-20",
      "learned": 3,
      "total": 1017,
      "percent": 0,
      "behind": 1,
      "streak": 2,
      "pace_week": 2,
      "pace_month": 2
    }
  ]
}
' --progress --json 2024-03-24 --log log.txt
expect_output "2024-03-19${tab}commandments${tab}ל\"ת קס\"ח
2024-03-20${tab}commandments${tab}ל\"ת קס\"ז
2024-03-21${tab}commandments${tab}ל\"ת קס\"ו
" --behind 2024-03-23 --track commandments --log log.txt
[ "$(tail -n 3 log.txt)" = "2023-11-14T22:13:20Z learned commandments 2024-03-22
2023-11-14T22:13:20Z follows 1
2023-11-14T22:13:20Z learned 1 2024-03-23" ] || fail "[--follow] journal: $(tail -n 3 log.txt)"

# A line cut short by a crash: reported, kept, and the next mark starts a line
# of its own.
printf '2023-11-14T22:13:20Z learned 1 2024-03-2' >torn.txt
run --mark 2024-03-21 --track 1 --log torn.txt
[ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "2024-03-21: learned 1" ] || fail "[torn] $status $(cat "$work/out")"
grep -q "torn.txt' has 1 line it cannot read" "$work/err" || fail "[torn] $(cat "$work/err")"
[ "$(cat torn.txt)" = "2023-11-14T22:13:20Z learned 1 2024-03-2
2023-11-14T22:13:20Z learned 1 2024-03-21" ] || fail "[torn] journal: $(cat torn.txt)"

# The default place, made on the first mark.
mkdir home
env -u XDG_DATA_HOME HOME="$work/home" "${cli[@]}" --mark 2024-03-20 --track 1 >/dev/null
[ "$(cat home/.local/share/zelvan/study-log.txt)" = "2023-11-14T22:13:20Z learned 1 2024-03-20" ] ||
  fail "[HOME] no journal in ~/.local/share/zelvan"

# Options that do not go together; the journal stays as it was.
cp log.txt log-before.txt
expect_refused --mark --progress --log log.txt
expect_refused --log log.txt 2024-03-20                  # --log without a study-log mode
expect_refused --began --log log.txt                     # no DATE
expect_refused --follow --log log.txt                    # no --track
expect_refused --follow 2024-03-20 --track 1 --log log.txt
expect_refused --mark 2024-03-20 2024-03-21 --log log.txt
expect_refused --mark 2024-02-30 --log log.txt
expect_refused --mark --days 2 --log log.txt
expect_refused --mark -o out.txt --log log.txt           # a mark prints no file
expect_refused --behind --json --log log.txt             # JSON of the progress only
expect_refused --mark --log log.txt --log log.txt
expect_refused --mark --log
cmp -s log.txt log-before.txt || fail "[refused] the journal changed"
# A journal that cannot be read or written: status 3, one line, nothing done.
for args in "--mark --log $work" "--progress --log $work" "--mark --log missing/log.txt"; do
  run $args
  [ "$status" -eq 3 ] && [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
    fail "[$args] $status $(cat "$work/err")"
done
[ ! -e missing ] || fail "[--log missing/log.txt] a folder was made"
cd - >/dev/null

check_end "cli tests passed"
