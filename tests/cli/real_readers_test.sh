#!/usr/bin/env bash
# zelvan-cli's iCalendar and JSON read by real readers, for a whole 1017-day
# cycle: the .ics parsed by Python's icalendar and imported by khal into a
# fresh local calendar, the JSON read by python3 -m json.tool and jq. What they
# read equals --tsv and --table for the same days.
#
#   real_readers_test.sh program
set -u
if [ $# -ne 1 ]; then
  echo "usage: $0 program" >&2
  exit 2
fi
cli=$1
. "$(dirname "$0")/../check_support.sh"
check_begin readers-test

# One cycle from its first day; the stamp fixed, as for a reproducible file.
export SOURCE_DATE_EPOCH=1700000000
first=2009-05-21
"$cli" --tsv --days 1017 $first >"$work/cycle.tsv" || fail "--tsv"
last=$(tail -n 1 "$work/cycle.tsv" | cut -f 1)
"$cli" --table $first "$last" >"$work/cycle.table" || fail "--table"
"$cli" --ics $first "$last" -o "$work/cycle.ics" || fail "--ics"
"$cli" --ics $first "$last" --track 1 --alarm 6:45 -o "$work/one.ics" || fail "--ics --track 1"
"$cli" --json --days 1017 $first >"$work/cycle.json" || fail "--json"

# --- Python's icalendar: every event's dates, UID, reminder and text against
# --tsv (in reading form: geresh and gershayim after a Hebrew letter); the raw
# lines: CRLF, at most 75 octets, no letter split, the unfolded property
# exactly the escaped text. Writes the sample days and what khal should list.
/usr/bin/python3 - "$work" <<'EOF' || fail "icalendar"
import datetime, re, sys
import icalendar

work = sys.argv[1]
HEADINGS = ["ג' פרקים ליום", "פרק א' ליום", "ספר המצוות"]
STAMP = datetime.datetime(2023, 11, 14, 22, 13, 20, tzinfo=datetime.timezone.utc)
rows = [line.rstrip("\n").split("\t") for line in open(f"{work}/cycle.tsv", encoding="utf-8")]
problems = []

def reading(text):
    text = re.sub("(?<=[\u05D0-\u05EA])'", "\u05F3", text)
    return re.sub('(?<=[\u05D0-\u05EA])"', "\u05F4", text)

def escape(text):
    return (text.replace("\\", "\\\\").replace(";", "\\;").replace(",", "\\,")
            .replace("\n", "\\n"))

def check(name, summary_of, tracks, alarm):
    raw = open(f"{work}/{name}", "rb").read()
    lines = raw.split(b"\r\n")
    if lines[-1] != b"" or any(b"\n" in l or b"\r" in l for l in lines):
        problems.append(f"{name}: a line not ended by CRLF")
    for l in lines:
        l.decode("utf-8")  # raises if a fold split a character
        if len(l) > 75:
            problems.append(f"{name}: {len(l)} octets: {l[:40]!r}")
    unfolded = raw.replace(b"\r\n ", b"").decode("utf-8").split("\r\n")
    cal = icalendar.Calendar.from_ical(raw)
    for key, value in [("VERSION", "2.0"), ("CALSCALE", "GREGORIAN"), ("X-WR-CALNAME", "Zelvan")]:
        if str(cal.get(key)) != value:
            problems.append(f"{name}: {key} {cal.get(key)}")
    if not str(cal.get("PRODID", "")).startswith("-//Thalvane//Zelvan "):
        problems.append(f"{name}: PRODID {cal.get('PRODID')}")
    events = cal.walk("VEVENT")
    if len(events) != len(rows) or len({str(e["UID"]) for e in events}) != len(rows):
        problems.append(f"{name}: {len(events)} events, not {len(rows)} with distinct UIDs")
    for event, row in zip(events, rows):
        day = datetime.date.fromisoformat(row[0])
        summary = reading(summary_of(row))
        description = reading("\n".join([row[2]] + [f"{HEADINGS[t]}: {row[3 + t]}" for t in tracks]))
        alarms = [(str(a["ACTION"]), a["TRIGGER"].dt, str(a["DESCRIPTION"])) for a in event.walk("VALARM")]
        if alarms != ([("DISPLAY", alarm, summary)] if alarm else []):
            problems.append(f"{name} {row[0]}: alarms {alarms}")
        found = (event["DTSTART"].dt, event["DTEND"].dt, event["DTSTAMP"].dt,
                 str(event["SUMMARY"]), str(event["DESCRIPTION"]))
        if found != (day, day + datetime.timedelta(days=1), STAMP, summary, description):
            problems.append(f"{name} {row[0]}: {found}")
        for line in ("SUMMARY:" + escape(summary), "DESCRIPTION:" + escape(description)):
            if line not in unfolded:
                problems.append(f"{name} {row[0]}: not written as {line}")
        if not str(event["UID"]).startswith(f"zelvan-{day:%Y%m%d}-"):
            problems.append(f"{name} {row[0]}: UID {event['UID']}")

check("cycle.ics", lambda r: f"{r[3]} | {r[4]}", [0, 1, 2], None)
check("one.ics", lambda r: r[4], [1], datetime.timedelta(hours=6, minutes=45))

# khal's samples: the first and last day, and the days of each track's longest entry.
samples = [rows[0], rows[-1]] + [max(rows, key=lambda r: len(r[3 + t])) for t in range(3)]
with open(f"{work}/samples", "w", encoding="utf-8") as out:
    for r in samples:
        out.write(f"{r[0]}\t{reading(r[3] + ' | ' + r[4])}\n")
print("\n".join(problems[:10]), file=sys.stderr)
sys.exit(1 if problems else 0)
EOF

# --- khal: the file imported into a fresh local calendar; the sample days list
# their lessons.
mkdir -p "$work/khal/lessons"
cat >"$work/khal/config" <<EOF
[calendars]
[[lessons]]
path = $work/khal/lessons
type = calendar
[sqlite]
path = $work/khal/khal.db
[locale]
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
EOF
khal_run() { HOME=$work/khal XDG_CONFIG_HOME=$work/khal XDG_DATA_HOME=$work/khal khal -c "$work/khal/config" "$@"; }
khal_run import --batch -a lessons "$work/cycle.ics" || fail "khal import"
[ "$(ls "$work/khal/lessons" | wc -l)" -eq 1017 ] || fail "khal holds $(ls "$work/khal/lessons" | wc -l) events"
while IFS=$'\t' read -r date expected; do
  listed=$(khal_run list --format '{title}' --day-format '' "$date" 1d)
  [ "$listed" = "$expected" ] || fail "khal list $date: '$listed', not '$expected'"
done <"$work/samples"

# --- JSON: json.tool reads it and writes the same bytes; jq's fields equal
# --tsv and --table; every object has the documented keys and tracks.
/usr/bin/python3 -m json.tool --indent 2 --no-ensure-ascii "$work/cycle.json" | cmp -s - "$work/cycle.json" ||
  fail "json.tool reads the JSON otherwise"
jq -r '.[] | [.date, .lesson_day, .hebrew_date.text, .lessons[].entry] | @tsv' "$work/cycle.json" |
  cmp -s - "$work/cycle.tsv" || fail "jq: the lessons differ from --tsv"
jq -r '.[] | [.date, .hebrew_date.year, .hebrew_date.month, .hebrew_date.day, .weekday, .lesson_day] | @tsv' \
  "$work/cycle.json" >"$work/json.table"
awk -F'\t' -v OFS='\t' 'BEGIN { split("Sunday Monday Tuesday Wednesday Thursday Friday Saturday", w, " ") }
  { print $2, $3, $4, $5, w[$6 + 1], $7 }' "$work/cycle.table" | cmp -s - "$work/json.table" ||
  fail "jq: the dates differ from --table"
shapes=$(jq -c '[.[] | [keys_unsorted, (.hebrew_date | keys_unsorted), [.lessons[] | keys_unsorted], [.lessons[].track]]] | unique' "$work/cycle.json")
[ "$shapes" = '[[["date","weekday","hebrew_date","lesson_day","lessons"],["year","month","day","text"],[["track","heading","entry"],["track","heading","entry"],["track","heading","entry"]],["3","1","commandments"]]]' ] ||
  fail "jq: keys $shapes"

check_end "real readers agree"
