#!/usr/bin/env bash
# Benchmarks of the running program under Wine, for the 64-bit and the 32-bit
# build: cold start against a minimal window program (startup_bench), the
# Next day step over 1017 days (day_step_bench), and the sizes of the programs.
# Each benchmark runs in a fresh Wine prefix on a virtual display of its own.
#
#   bench/run_program_benches.sh [STARTS [PASSES]]     defaults: 21 starts, 3 passes
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
starts=${1:-21}
passes=${2:-3}
scripts/deps.sh test

for arch in x86_64 i686; do
  if [ $arch = i686 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    echo "=== i686: NOT RUN: 32-bit Wine is not available here ($(cat "$(scripts/deps.sh reason-file)" 2>/dev/null || echo "wine32:i386 is not installed"))"
    continue
  fi
  build=${ZELVAN_BUILD_DIR:-$root/build}/bench-$arch
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" >/dev/null
  cmake --build "$build" -j "$(nproc)" --target zelvan minimal_window startup_bench day_step_bench
  echo "=== $arch: program sizes (as built, with debugging information; and stripped)"
  for exe in "$build/shell/zelvan.exe" "$build/bench/minimal_window.exe"; do
    "$arch-w64-mingw32-strip" -o "$build/stripped.exe" "$exe"
    printf '%-20s %9d bytes, stripped %9d bytes\n' "$(basename "$exe")" "$(stat -c %s "$exe")" \
      "$(stat -c %s "$build/stripped.exe")"
    rm -f "$build/stripped.exe"
  done
  echo "=== $arch: cold start to the first finished paint"
  xvfb-run -a -s "-screen 0 1024x768x24" "$root/cmake/wine-run.sh" "$build/bench/startup_bench.exe" "$starts"
  echo "=== $arch: Next day step"
  xvfb-run -a -s "-screen 0 1024x768x24" "$root/cmake/wine-run.sh" "$build/bench/day_step_bench.exe" "$passes"
done
