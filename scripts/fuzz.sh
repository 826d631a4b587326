#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs one of them.
#
#   scripts/fuzz.sh                 list the targets
#   scripts/fuzz.sh NAME [SECONDS]  run tests/fuzz/NAME_fuzz.cpp (default 60 s)
#
# The corpus grows in build/fuzz/corpus-NAME; findings are written to build/fuzz/.
# A dictionary tests/fuzz/NAME.dict, when there is one, gives the fuzzer the
# words of the format.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dir=${ZELVAN_BUILD_DIR:-$root/build}/fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DZELVAN_FUZZ=ON -DZELVAN_TESTS=OFF \
  -DZELVAN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -eq 0 ]; then
  for f in tests/fuzz/*_fuzz.cpp; do basename "$f" _fuzz.cpp; done
  exit 0
fi
name=$1 seconds=${2:-60}
cmake --build "$dir" -j "$(nproc)" --target "${name}_fuzz"
mkdir -p "$dir/corpus-$name"
cd "$dir"
dict=()
[ -f "$root/tests/fuzz/$name.dict" ] && dict=(-dict="$root/tests/fuzz/$name.dict")
exec "./tests/fuzz/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$dir/" "${dict[@]}" "corpus-$name"
