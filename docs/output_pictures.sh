#!/usr/bin/env bash
# The pictures of the output in docs/: a page that zelvan.exe printed under
# Wine to the PDF printer of CUPS, a page of a large-font printout, and the
# word processor's rendering of the clipboard document of Copy and three
# Appends. Builds the 64-bit program and its output scenarios, runs the
# scenarios with their checks, and renders the first pages with pdftoppm.
#
#   docs/output_pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh test
build=${ZELVAN_BUILD_DIR:-$root/build}/screenshots-win64
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DZELVAN_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target zelvan_output_tests zelvan zelvan-cli
exe=$build/tests/wine/zelvan_output_tests.exe

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The pictures are wanted even when a check finds fault: the checks report.
tests/wine/printing_check.sh OneDayOnOnePage "$work/print" "$root/cmake/wine-run.sh" "$exe" || true
tests/wine/printing_check.sh LargeFontOnSeveralPages "$work/large" "$root/cmake/wine-run.sh" "$exe" || true
tests/wine/writer_check.sh "$work/writer" "$root/cmake/wine-run.sh" "$exe" \
  --gtest_filter=Clipboard.RichTextCopyAndThreeAppendsMakeOneDocument || true

render() {  # pdf, png name
  pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$1" "$work/page"
  convert "$work/page.png" -strip "$root/docs/$2"
  echo "docs/$2"
}
render "$work/print/job1.pdf" printout-page.png
render "$work/large/job1.pdf" printout-large-font.png
render "$work/writer/days-reverse-on.pdf" clipboard-in-writer.png
