#!/usr/bin/env bash
# Builds a release of Zelvan from this checkout into dist/ (or OUT_DIR):
#   zelvan-VERSION-setup-x64.exe, zelvan-VERSION-setup-x86.exe   setup programs (NSIS)
#   zelvan-VERSION-portable.zip   x64/ and x86/ (zelvan.exe, zelvan-cli.exe), README.txt, LICENSE.txt
#   SHA256SUMS                    checksums of those three files
# Installs the packages it needs first.
#
#   scripts/package.sh [OUT_DIR]
#
# The programs are stripped release builds, made reproducibly: packaging the
# same commit again, anywhere, gives byte-identical programs (their
# SHA-256 sums are printed at the end). The texts have Windows line ends (the
# build writes them so). Time stamps in the packages are the
# commit's time (SOURCE_DATE_EPOCH). Build folders: $ZELVAN_BUILD_DIR (default
# build/) /release-x64 and /release-x86.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:-$root/dist}")
build=${ZELVAN_BUILD_DIR:-$root/build}
scripts/deps.sh package

# The commit's time stands for every time stamp; outside a git checkout, the
# one given, else the earliest time a zip file can hold.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out" "$stage/portable"

# One release build per architecture (stripped when linked); CPack makes its
# setup program, and the install step gives the programs and texts for the
# portable package.
declare -A toolchain=([x64]=x86_64 [x86]=i686)
release_files=()
for arch in x64 x86; do
  dir=$build/release-$arch
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-${toolchain[$arch]}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DZELVAN_TESTS=OFF -DZELVAN_BENCH=OFF >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target package
  setup=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$dir/CPackConfig.cmake").exe
  cp "$dir/$setup" "$out/"
  release_files+=("$setup")
  cmake --install "$dir" --prefix "$stage/install-$arch" >/dev/null
  mkdir -p "$stage/portable/$arch"
  cp "$stage/install-$arch/zelvan.exe" "$stage/install-$arch/zelvan-cli.exe" "$stage/portable/$arch/"
done
version=$(sed -n 's/^#define ZELVAN_VERSION_TEXT "\([^"]*\)".*/\1/p' "$build/release-x64/generated/zelvan_version.h")

# The portable package: fixed order, modes and times, no extra attributes.
cp "$stage/install-x64/README.txt" "$stage/install-x64/LICENSE.txt" "$stage/portable/"
zip_name=zelvan-$version-portable.zip
release_files+=("$zip_name")
(
  cd "$stage/portable"
  files=(README.txt LICENSE.txt x64/zelvan.exe x64/zelvan-cli.exe x86/zelvan.exe x86/zelvan-cli.exe)
  chmod 644 "${files[@]}"
  touch -d "@$SOURCE_DATE_EPOCH" "${files[@]}"
  rm -f "$out/$zip_name"
  TZ=UTC zip -X -D -q "$out/$zip_name" "${files[@]}"
)

cd "$out"
sha256sum "${release_files[@]}" >SHA256SUMS
echo "Release $version in $out:"
ls -l "$out"
echo "SHA-256 of the programs (the same for every packaging of this commit):"
(cd "$stage/portable" && sha256sum x64/zelvan.exe x64/zelvan-cli.exe x86/zelvan.exe x86/zelvan-cli.exe)
