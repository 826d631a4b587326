#!/usr/bin/env bash
# Builds Zelvan and starts it: under Wine on Linux, on the user's display.
# Installs the packages it needs first.
#
#   scripts/run.sh                 build zelvan.exe (64-bit) and start it
#   scripts/run.sh --32            the 32-bit build
#   scripts/run.sh --cli [ARGS]    build and run the command-line tool natively
#
# The program keeps its settings in the Wine prefix's registry ($WINEPREFIX,
# by default ~/.wine), as on Windows. Without a DISPLAY it starts on a virtual
# display of its own (Xvfb) and runs until it is ended (Ctrl+C).
set -euo pipefail
caller=$PWD  # the tool's relative paths (-o FILE) are the caller's
cd "$(dirname "$0")/.."
root=$PWD
build=${ZELVAN_BUILD_DIR:-$root/build}
scripts/deps.sh run

if [ "${1:-}" = --cli ]; then
  shift
  cmake -S "$root" -B "$build/native" >/dev/null
  cmake --build "$build/native" -j "$(nproc)" --target zelvan-cli
  cd "$caller"
  exec "$build/native/tools/zelvan-cli" "$@"
fi

arch=x86_64
if [ "${1:-}" = --32 ]; then arch=i686; shift; fi
dir=$build/run-$arch
cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DZELVAN_TESTS=OFF -DZELVAN_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target zelvan
export WINEDEBUG=${WINEDEBUG:--all}
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: Zelvan runs on a virtual display (Xvfb); end it with Ctrl+C."
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$dir/shell/zelvan.exe"
fi
exec wine "$dir/shell/zelvan.exe"
