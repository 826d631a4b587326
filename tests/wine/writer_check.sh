#!/usr/bin/env bash
# The clipboard's Rich Text document in a real word processor: runs the
# clipboard scenario under Wine (Copy and three Appends, with the Reverse
# option on and off; it leaves the clipboard's documents and zelvan-cli's text
# of the days in ARTIFACTS_DIR), converts each document headless to text and
# to PDF, checks the text line by line (writer_text_check.py) and the PDF's
# pages, and renders the first page with pdftoppm for a look.
#
#   writer_check.sh ARTIFACTS_DIR RUNNER... TEST_EXE [GTEST_FLAGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ $# -lt 2 ]; then
  echo "usage: $0 ARTIFACTS_DIR RUNNER... TEST_EXE [GTEST_FLAGS...]" >&2
  exit 2
fi
artifacts=$1
shift
for tool in soffice pdftotext pdfinfo pdftoppm python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "writer_check.sh: $tool is missing (scripts/deps.sh test)" >&2; exit 1; }
done

rm -rf "$artifacts"
mkdir -p "$artifacts"
if ! ZELVAN_OUTPUT_ARTIFACTS=$artifacts "$@"; then
  echo "FAIL: the clipboard scenario failed under Wine" >&2
  exit 1
fi

# A profile of its own, so that no other office process or first-start
# dialog gets in the way.
profile=$(mktemp -d "${TMPDIR:-/tmp}/zelvan-office.XXXXXX")
trap 'rm -rf "$profile"' EXIT
office() {
  timeout 300 soffice -env:UserInstallation=file://"$profile" --headless --norestore "$@" >/dev/null 2>&1
}

texts=()
for rtf in "$artifacts"/days-reverse-*.rtf; do
  name=$(basename "$rtf" .rtf)
  office --convert-to 'txt:Text (encoded):UTF8' --outdir "$artifacts" "$rtf"
  office --convert-to pdf --outdir "$artifacts" "$rtf"
  if [ ! -s "$artifacts/$name.txt" ] || [ ! -s "$artifacts/$name.pdf" ]; then
    echo "FAIL: the word processor did not convert $rtf" >&2
    exit 1
  fi
  texts+=("$artifacts/$name.txt")
  # One document: its separators all in the one PDF, which holds every day.
  pages=$(pdfinfo "$artifacts/$name.pdf" | sed -n 's/^Pages:[[:space:]]*//p')
  # (pdftotext marks right-to-left lines with embedding marks: dropped)
  separators=$(pdftotext "$artifacts/$name.pdf" - | LC_ALL=C sed 's/\xe2\x80[\x8e\x8f\xaa-\xae]//g' |
    grep -c '^\*[[:space:]]*\*[[:space:]]*\*[[:space:]]*\*[[:space:]]*\*[[:space:]]*$')
  if [ "${pages:-0}" -lt 1 ] || [ "$separators" -ne 3 ]; then
    echo "FAIL: $name.pdf: $pages page(s), $separators separator line(s); 3 expected" >&2
    exit 1
  fi
  pdftoppm -png -r 60 -f 1 -l 1 "$artifacts/$name.pdf" "$artifacts/$name-page"
done
[ ${#texts[@]} -eq 2 ] || { echo "FAIL: ${#texts[@]} documents, 2 expected" >&2; exit 1; }
python3 "$here/writer_text_check.py" "$artifacts/days.txt" "$artifacts/days.tsv" "${texts[@]}"
