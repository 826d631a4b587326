#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
#   scripts/deps.sh run    what building and starting the program needs
#   scripts/deps.sh test   what building and running every test needs
set -euo pipefail
what=${1:-test}

base=(build-essential cmake g++ pkg-config libgtest-dev googletest libbenchmark-dev
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
      wine wine64 wine32:i386 xvfb xauth imagemagick)
extra=(clang libclang-rt-14-dev cups printer-driver-cups-pdf poppler-utils
       libreoffice-writer python3)

packages=("${base[@]}")
[ "$what" = test ] && packages+=("${extra[@]}")

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -q
# The office suite only converts documents in the tests: its recommended
# packages are not needed. Everything else comes with its recommendations.
office=() rest=()
for p in "${missing[@]}"; do
  case $p in libreoffice-*) office+=("$p") ;; *) rest+=("$p") ;; esac
done
[ ${#rest[@]} -gt 0 ] && as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${rest[@]}"
[ ${#office[@]} -gt 0 ] && as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${office[@]}"
exit 0
