#!/usr/bin/env bash
# Builds the program and starts it. Installs the packages it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh run
build=${ZELVAN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build/native" -DZELVAN_TESTS=OFF -DZELVAN_BENCH=OFF >/dev/null
cmake --build "$build/native" -j "$(nproc)" --target zelvan-cli
exec "$build/native/tools/zelvan-cli" "$@"
