#!/usr/bin/env bash
# Takes the screenshots of the README: builds the 64-bit program and the
# screenshot driver, runs them under Wine in a fresh prefix on a virtual
# display of their own (large enough for the window at 192 DPI), and converts
# the pictures to PNG in docs/.
#
#   docs/take_screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh test
build=${ZELVAN_BUILD_DIR:-$root/build}/screenshots-win64
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" \
  -DZELVAN_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target take_screenshots zelvan

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# A display of our own: nothing else on the screen, 24-bit colour; no print
# scheduler within reach, for the Hebrew message of a Page Setup without one.
CUPS_SERVER=127.0.0.1:1 xvfb-run -a -s "-screen 0 2048x1536x24" \
  "$root/cmake/wine-run.sh" "$build/tests/wine/driver/take_screenshots.exe" "$shots"
for name in main-window narrow-window font-dialog about-dialog study-log study-log-calendar \
    study-progress main-window-192dpi calendar-192dpi hebrew-main-window hebrew-menu \
    hebrew-study-menu hebrew-study-progress hebrew-calendar hebrew-font-dialog \
    hebrew-about-dialog hebrew-message; do
  convert "$shots/$name.bmp" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

# The calendar dialog's sheets, the dark high-contrast scheme and the dark
# mode at 96 and 192 DPI, written by their program scenarios.
cmake --build "$build" -j "$(nproc)" --target zelvan_program_tests
ZELVAN_SCREENSHOT_DIR="$shots" xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/cmake/wine-run.sh" "$build/tests/wine/zelvan_program_tests.exe" \
  --gtest_filter=CalendarDialog.Screenshots:HighContrast.*:DarkMode.*
for name in calendar-common-year calendar-adar-1 calendar-adar-2 calendar-six-rows \
    calendar-after-six-rows high-contrast dark-mode dark-mode-192dpi; do
  convert "$shots/$name.bmp" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

# The setup program's pages, written by the package stage's scenario, from the
# release in $ZELVAN_BUILD_DIR/dist (scripts/test.sh package, or
# scripts/package.sh build/dist, makes it).
dist=${ZELVAN_BUILD_DIR:-$root/build}/dist
setup=$(ls "$dist"/zelvan-*-setup-x64.exe 2>/dev/null | head -n 1)
if [ -n "$setup" ]; then
  cmake --build "$build" -j "$(nproc)" --target wine_setup_tests
  ZELVAN_SCREENSHOT_DIR="$shots" xvfb-run -a -s "-screen 0 2048x1536x24" \
    "$root/cmake/wine-run.sh" "$build/tests/wine/wine_setup_tests.exe" "$setup" "$dist" \
    --gtest_filter=Release.PagesAndAPathLeftAsItIs
  ZELVAN_SCREENSHOT_DIR="$shots" LC_ALL=he_IL.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/cmake/wine-run.sh" "$build/tests/wine/wine_setup_tests.exe" "$setup" "$dist" \
    --gtest_filter=Release.HebrewPages
  for name in setup-welcome setup-components setup-finish setup-uninstall setup-welcome-192dpi \
      hebrew-setup-welcome hebrew-setup-components hebrew-setup-finish hebrew-setup-uninstall; do
    convert "$shots/$name.bmp" -strip "$root/docs/$name.png"
    echo "docs/$name.png"
  done
else
  echo "No release in $dist: the setup program's pages were not taken (scripts/package.sh $dist makes one)."
fi
