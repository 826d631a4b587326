#!/usr/bin/env bash
# Runs the lesson encoder on the real lesson data and on copies with one fault
# each: the good data give the 85 resources, every fault stops the encoder
# with exit code 1 and one line on stderr naming the file and line.
#
#   lesson_encoder_test.sh ENCODER DATA_DIR
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 ENCODER DATA_DIR" >&2
  exit 2
fi
encoder=$1
data=$2
. "$(dirname "$0")/../check_support.sh"
check_begin encoder-test

# encode UNITS DAYS: runs the encoder into a fresh folder; leaves $status,
# $work/out/, $work/stdout and $work/stderr.
encode() {
  rm -rf "$work/out" && mkdir "$work/out"
  "$encoder" "$1" "$2" "$work/out" >"$work/stdout" 2>"$work/stderr"
  status=$?
}

# expect_fault UNITS DAYS MESSAGE: exit code 1 and exactly MESSAGE on stderr.
expect_fault() {
  encode "$1" "$2"
  [ "$status" -eq 1 ] || fail "[$3] exit code $status, expected 1"
  [ "$(cat "$work/stderr")" = "$3" ] || fail "[$3] stderr: $(cat "$work/stderr")"
}

units=$data/units.tsv
days=$data/commandments.tsv

# --- The real data: 85 resources, the resource script and the tables.
encode "$units" "$days"
[ "$status" -eq 0 ] || fail "[real data] exit code $status: $(cat "$work/stderr")"
[ "$(ls "$work/out"/lesson_*.bin | wc -l)" -eq 85 ] || fail "[real data] not 85 resources"
[ "$(grep -c ' RCDATA ' "$work/out/lessons.rc")" -eq 85 ] || fail "[real data] not 85 RCDATA lines"
grep -q '^LANGUAGE 0x09, 0x01' "$work/out/lessons.rc" || fail "[real data] no LANGUAGE 1033"
for id in 1101 1151 1301 1317 1351 1367; do
  grep -q "^$id RCDATA \"$work/out/lesson_$id.bin\"\$" "$work/out/lessons.rc" ||
    fail "[real data] no resource $id"
done
[ -s "$work/out/lesson_resource_data.cpp" ] || fail "[real data] no table source"
[ -s "$work/out/lesson_entry_listing.cpp" ] || fail "[real data] no entry listing"
grep -q '^lesson_encoder: 1695 entries in 85 resources: ' "$work/stdout" ||
  fail "[real data] summary: $(cat "$work/stdout")"

# mutate FILE NAME AWK: a copy of FILE changed by the awk program, as NAME.
mutate() {
  awk -F'\t' -v OFS='\t' "$3" "$1" >"$work/$2"
}

# --- A character without a 7-bit byte in a section (from unit 13, line 14).
mutate "$units" units.tsv '$4 == "הלכות יסודי התורה" { $4 = $4 "x" } 1'
expect_fault "$work/units.tsv" "$days" \
  "$work/units.tsv:14: long track day 13: character U+0078 has no 7-bit byte, in \"הלכות יסודי התורהx פרק א'\""

# --- A bracket has a 7-bit byte but may not stand in an entry (day 36, line 37).
mutate "$days" days.tsv 'NR == 37 { $2 = "T:[סדר]" } 1'
expect_fault "$units" "$work/days.tsv" \
  "$work/days.tsv:37: second short track day 36: the character '[' may not stand in an entry, in \"[סדר]\""

# --- A section name too long for one entry (unit 1).
long=$(printf 'א%.0s' $(seq 250))
mutate "$units" units.tsv "NR >= 2 && NR <= 4 { \$4 = \"$long\" } 1"
expect_fault "$work/units.tsv" "$days" \
  "$work/units.tsv:2: long track day 1: the entry has 257 bytes, at most 255 fit, in \"$long חלק א'\""

# --- Three sections of one unit each: each fits, their day of three does not.
name=$(printf 'ב%.0s' $(seq 80))
mutate "$units" units.tsv "NR == 5 { \$4 = \"${name}ג\" } NR == 6 { \$4 = \"${name}ד\" }
  NR == 7 { \$4 = \"${name}ה\" } NR >= 5 && NR <= 7 { \$6 = 1 } 1"
expect_fault "$work/units.tsv" "$days" \
  "$work/units.tsv:lines 5-7: first short track day 2: the entry has 268 bytes, at most 255 fit, in \"${name}ג חלק א', ${name}ד חלק א', ${name}ה חלק א'\""

# --- Faults of the files' form.
mutate "$units" units.tsv 'NR < 1018'
expect_fault "$work/units.tsv" "$days" "$work/units.tsv: 1016 units, the cycle has 1017"
mutate "$days" days.tsv 'NR == 11 { $2 = $2 ";P249" } 1'
expect_fault "$units" "$work/days.tsv" "$work/days.tsv:11: item \"P249\": the number must be 1..248"
mutate "$units" units.tsv 'NR == 500 { $6 = $6 + 1 } 1'
expect_fault "$work/units.tsv" "$days" "$work/units.tsv:500: number must be $(awk -F'\t' 'NR == 500 { print $6 }' "$units")"
expect_fault "$work/none.tsv" "$days" "$work/none.tsv: cannot open the file"

# --- Wrong use.
"$encoder" "$units" "$days" >/dev/null 2>&1
[ $? -eq 2 ] || fail "[two arguments] exit code $?"

check_end "lesson encoder tests passed"
