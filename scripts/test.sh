#!/usr/bin/env bash
# Builds and runs every test: natively, natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, and as 64-bit and 32-bit Windows programs under
# Wine on a virtual display; then makes a release and installs, starts and
# uninstalls it under Wine. Installs the packages it needs first.
#
#   scripts/test.sh [stage...]     stages: native sanitize win64 win32 package (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(native sanitize win64 win32 package)

scripts/deps.sh test

jobs=$(nproc)
build=${ZELVAN_BUILD_DIR:-$root/build}
export CTEST_OUTPUT_ON_FAILURE=1

configure_and_test() {  # dir, ctest arguments..., -- cmake arguments...
  local dir=$1; shift
  local ctest_args=() cmake_args=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do ctest_args+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  cmake_args=("$@")
  cmake -S "$root" -B "$dir" "${cmake_args[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" "${ctest_args[@]}"
}

start_display() {
  [ -n "${ZELVAN_DISPLAY_STARTED:-}" ] && return
  # A virtual display of our own for Wine; stopped when this script ends.
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -s "$fd_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  export ZELVAN_DISPLAY_STARTED=1
}

# Fails when 32-bit Wine is installed; otherwise prints why it is not (apt's words, or that the kernel runs no 32-bit programs).
wine32_missing() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" && return 1
  cat "$(scripts/deps.sh reason-file)" 2>/dev/null || echo "wine32:i386 is not installed"
}

not_run=()
for stage in "${stages[@]}"; do
  echo "=== $stage"
  case $stage in
    native)
      configure_and_test "$build/native" ;;
    sanitize)
      configure_and_test "$build/sanitize" -- -DZELVAN_SANITIZE=ON -DZELVAN_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug ;;
    win64)
      start_display
      configure_and_test "$build/win64" -- -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" ;;
    win32)
      if ! reason=$(wine32_missing); then
        start_display
        configure_and_test "$build/win32" -- -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake"
      else
        # Everything is still cross-built for i686 (the lesson encoder runs in the
        # build); only running the programs needs 32-bit Wine.
        cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
        cmake --build "$build/win32" -j "$jobs"
        not_run+=("win32: i686 built, its tests under Wine NOT RUN: 32-bit Wine is not available here ($reason)")
        echo "${not_run[-1]}"
      fi ;;
    package)
      # A release as scripts/package.sh makes it; then, per architecture in a
      # fresh Wine prefix, its setup program installed, over the running
      # program and under the other architecture's setup program, uninstalled,
      # its pages gone through, and its portable programs started.
      dist=$build/dist
      scripts/package.sh "$dist"
      (cd "$dist" && sha256sum --quiet -c SHA256SUMS)
      rm -rf "$build/portable"
      unzip -q "$dist/$(grep -o 'zelvan-.*-portable\.zip' "$dist/SHA256SUMS")" -d "$build/portable"
      start_display
      declare -A tests_of=([x64]=win64 [x86]=win32) toolchain_of=([x64]=x86_64 [x86]=i686) other_of=([x64]=x86 [x86]=x64)
      setup_of() { echo "$dist/$(grep -o "zelvan-.*-setup-$1\.exe" "$dist/SHA256SUMS")"; }
      for arch in x64 x86; do
        other=()
        if reason=$(wine32_missing); then
          if [ $arch = x86 ]; then
            not_run+=("package: the x86 setup program and x86/zelvan.exe built, their tests under Wine NOT RUN: 32-bit Wine is not available here ($reason)")
            echo "${not_run[-1]}"
            continue
          fi
          not_run+=("package: the x86 setup program installed over the x64 one NOT RUN: 32-bit Wine is not available here ($reason)")
          echo "${not_run[-1]}"
        else
          other=("$(setup_of "${other_of[$arch]}")")
        fi
        dir=$build/${tests_of[$arch]}
        cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-${toolchain_of[$arch]}.cmake" >/dev/null
        cmake --build "$dir" -j "$jobs" --target wine_setup_tests
        cmake/wine-run.sh "$dir/tests/wine/wine_setup_tests.exe" "$(setup_of $arch)" "$build/portable/$arch" "${other[@]}" \
          --gtest_filter=-Release.HebrewPages
        # The same setup program on a system whose display language is Hebrew.
        LC_ALL=he_IL.UTF-8 cmake/wine-run.sh "$dir/tests/wine/wine_setup_tests.exe" "$(setup_of $arch)" \
          "$build/portable/$arch" --gtest_filter=Release.HebrewPages
      done ;;
    *)
      echo "unknown stage: $stage (native, sanitize, win64, win32, package)" >&2
      exit 2 ;;
  esac
done
if [ ${#not_run[@]} -gt 0 ]; then
  printf '%s\n' "${not_run[@]}"
  echo "All tests that ran passed."
else
  echo "All tests passed."
fi
