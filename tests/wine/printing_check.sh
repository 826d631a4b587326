#!/usr/bin/env bash
# One printing scenario with a real printer: starts the PDF printer of CUPS,
# runs the scenario under Wine (the driver prints from zelvan.exe and leaves
# its expectations in ARTIFACTS_DIR), waits for the PDF files of the job, and
# checks them with pdftotext (printout_check.py); renders the pages with
# pdftoppm into ARTIFACTS_DIR for a look.
#
#   printing_check.sh SCENARIO ARTIFACTS_DIR RUNNER... TEST_EXE
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ $# -lt 4 ]; then
  echo "usage: $0 SCENARIO ARTIFACTS_DIR RUNNER... TEST_EXE" >&2
  exit 2
fi
scenario=$1
artifacts=$2
shift 2
run=("$@")

for tool in pdftotext pdfinfo pdftoppm python3 lpstat; do
  command -v "$tool" >/dev/null 2>&1 || { echo "printing_check.sh: $tool is missing (scripts/deps.sh test)" >&2; exit 1; }
done
"$root/scripts/pdf-printer.sh" start || exit 1
case $scenario in
  SecondPrint*) "$root/scripts/pdf-printer.sh" add PDF-Second || exit 1 ;;
  *OnABorderedPrinter)
    # The PDF printer with an unprintable border on A4: its imageable area
    # starts 36 points from the left edge and 27 from the bottom, and ends 18
    # points from the right edge and 45 from the top.
    ppd=$(mktemp --suffix=.ppd)
    sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "36 27 577 797"|' \
      "$("$root/scripts/pdf-printer.sh" ppd)" > "$ppd"
    "$root/scripts/pdf-printer.sh" add PDF-Border "$ppd" || exit 1
    rm -f "$ppd" ;;
esac
outdir=$("$root/scripts/pdf-printer.sh" outdir)

rm -rf "$artifacts"
mkdir -p "$artifacts"
before=$(ls -1 "$outdir" 2>/dev/null | sort)
last_job=$(lpstat -W completed -o 2>/dev/null | sed -n 's/^[^ ]*-\([0-9][0-9]*\) .*/\1/p' | sort -n | tail -n1)
last_job=${last_job:-0}

export ZELVAN_OUTPUT_ARTIFACTS=$artifacts
status=0
case $scenario in
  NoPrinter*)
    # The scheduler out of reach: a port where nothing listens.
    CUPS_SERVER=127.0.0.1:9 "${run[@]}" --gtest_filter="Printing.$scenario" || status=$? ;;
  *)
    "${run[@]}" --gtest_filter="Printing.$scenario" || status=$? ;;
esac
if [ $status -ne 0 ]; then
  echo "FAIL: the scenario Printing.$scenario failed under Wine" >&2
  exit 1
fi

jobs=$(sed -n 's/^jobs \([0-9]*\)$/\1/p' "$artifacts/expect")
jobs=${jobs:-1}

# New PDF files of this run, oldest first.
new_files() {
  comm -13 <(echo "$before") <(ls -1 "$outdir" 2>/dev/null | sort) | grep '\.pdf$' |
    while read -r f; do echo "$(stat -c %Y "$outdir/$f") $outdir/$f"; done | sort -n | cut -d' ' -f2-
}
# Waits until the queues are empty and count new files have appeared.
deadline=$((SECONDS + 90))
while :; do
  files=$(new_files)
  have=$(printf '%s' "$files" | grep -c . || true)
  pending=$(lpstat -o 2>/dev/null | grep -c . || true)
  if [ "$pending" -eq 0 ] && [ "$have" -ge "$jobs" ]; then break; fi
  if [ $SECONDS -ge $deadline ]; then break; fi
  sleep 0.5
done
if [ "$jobs" -eq 0 ]; then
  sleep 3
  files=$(new_files)
fi
have=$(printf '%s' "$files" | grep -c . || true)
if [ "$have" -ne "$jobs" ]; then
  echo "FAIL: $have new PDF file(s) in $outdir, $jobs expected: $files" >&2
  exit 1
fi
[ "$jobs" -eq 0 ] && { echo "no printout, as expected"; exit 0; }

# Which printers took this run's jobs.
if grep -q '^printer ' "$artifacts/expect"; then
  printer=$(sed -n 's/^printer //p' "$artifacts/expect")
  took=$(lpstat -W completed -o 2>/dev/null |
    awk -v last="$last_job" '{ n = $1; sub(/.*-/, "", n); p = $1; sub(/-[0-9]+$/, "", p); if (n + 0 > last) print p }' |
    sort -u | tr '\n' ' ')
  if [ "$took" != "$printer " ]; then
    echo "FAIL: the jobs went to \"$took\", all to \"$printer\" expected" >&2
    exit 1
  fi
fi

i=0
pdfs=()
while read -r f; do
  i=$((i + 1))
  cp "$f" "$artifacts/job$i.pdf"
  pdfs+=("$artifacts/job$i.pdf")
  pdftoppm -png -r 60 "$f" "$artifacts/job$i-page"
done <<< "$files"
python3 "$here/printout_check.py" "$artifacts" "${pdfs[@]}"
