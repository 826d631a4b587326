#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
#   scripts/deps.sh run    what building and starting the program needs
#   scripts/deps.sh test   what building and running every test needs
#   scripts/deps.sh package   what building a release needs (scripts/package.sh)
#
# A package mirror caught mid-sync can fail one index (seen for the 32-bit
# security index). apt-get update is then retried a few times and the install
# goes on with the indexes it has. 32-bit Wine is installed on its own after
# everything else: when it cannot be installed, apt's reason is written to
# $(wine32_reason_file) and the script still succeeds; scripts/test.sh then
# reports its i686 tests under Wine as not run. Some kernels run no 32-bit
# programs at all; there 32-bit Wine would take over the `wine` command and fail
# for 64-bit programs too, so it is removed again and that is the reason
# given. Any other failure fails.
set -euo pipefail
what=${1:-test}

base=(build-essential cmake g++ pkg-config libgtest-dev googletest libbenchmark-dev
      nlohmann-json3-dev
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
      wine wine64 xvfb xauth imagemagick)
extra=(clang libclang-rt-14-dev cups printer-driver-cups-pdf poppler-utils
       libreoffice-writer python3 python3-icalendar khal jq unzip)
release=(nsis zip)
wine32=wine32:i386

# Where the reason 32-bit Wine could not be installed is kept (absent when it is).
reason_file=${XDG_CACHE_HOME:-$HOME/.cache}/zelvan/wine32-not-installed
if [ "$what" = reason-file ]; then echo "$reason_file"; exit 0; fi

packages=("${base[@]}")
case $what in
  test) packages+=("${extra[@]}" "${release[@]}") ;;
  package) packages+=("${release[@]}") ;;
esac

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
# Fails when 32-bit x86 programs cannot run here (the kernel refuses them with
# "Exec format error"); succeeds while that cannot be told yet (no i386 libc).
runs_i386() {
  [ ! -e /lib/ld-linux.so.2 ] || /lib/ld-linux.so.2 --help >/dev/null 2>&1
}
# Removes 32-bit Wine where it cannot run and records why (said once).
refuse_wine32() {
  local reason='the kernel of this machine runs no 32-bit programs (an i386 program fails with "Exec format error")'
  if installed "$wine32"; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q "$wine32" >/dev/null
  fi
  [ "$(cat "$reason_file" 2>/dev/null)" = "$reason" ] && return
  mkdir -p "$(dirname "$reason_file")"
  echo "$reason" >"$reason_file"
  echo "32-bit Wine cannot run here: $reason" >&2
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -eq 0 ] && ! runs_i386; then
  refuse_wine32
  exit 0
fi
if [ ${#missing[@]} -eq 0 ] && installed "$wine32"; then
  rm -f "$reason_file"
  exit 0
fi
# Only 32-bit Wine missing, and it failed within the hour: not tried again yet.
if [ ${#missing[@]} -eq 0 ] && [ -n "$(find "$reason_file" -mmin -60 2>/dev/null)" ]; then
  exit 0
fi

echo "Installing: ${missing[*]} $(installed "$wine32" || echo "$wine32")"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi

# apt-get update, retried; afterwards the indexes that still failed are named
# and the install goes on with what apt has.
update_log=$(mktemp)
trap 'rm -f "$update_log"' EXIT
failed_index=
for attempt in 1 2 3 4; do
  if as_root apt-get update -q >"$update_log" 2>&1; then break; fi
  if [ "$attempt" = 4 ]; then
    failed_index=$(grep -m 1 -E '^E: Failed to fetch' "$update_log" | sed 's/^E: Failed to fetch //; s/ *\[IP:.*//; s/  /: /' || true)
    echo "apt-get update failed $attempt times; going on with the indexes it has. Failed: ${failed_index:-see below}" >&2
    grep -E '^(E|W): ' "$update_log" | sed 's/^/  /' >&2 || true
  else
    sleep $((attempt * 10))
  fi
done

# The office suite only converts documents in the tests: its recommended
# packages are not needed. Everything else comes with its recommendations.
office=() rest=()
for p in "${missing[@]}"; do
  case $p in libreoffice-*) office+=("$p") ;; *) rest+=("$p") ;; esac
done
apt_install() { as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"; }
[ ${#rest[@]} -gt 0 ] && apt_install "${rest[@]}"
[ ${#office[@]} -gt 0 ] && apt_install --no-install-recommends "${office[@]}"

if installed "$wine32" && runs_i386; then
  rm -f "$reason_file"
  exit 0
fi
if ! runs_i386; then
  refuse_wine32
  exit 0
fi
wine32_log=$(mktemp)
if apt_install "$wine32" >"$wine32_log" 2>&1; then
  rm -f "$reason_file" "$wine32_log"
  runs_i386 || refuse_wine32
else
  mkdir -p "$(dirname "$reason_file")"
  # apt's own words: its error lines, else its last line.
  { grep -m 1 -E '^E: ' "$wine32_log" || tail -n 1 "$wine32_log"; } >"$reason_file"
  [ -n "$failed_index" ] && echo "(the package index $failed_index)" >>"$reason_file"
  tr '\n' ' ' <"$reason_file" | sed 's/ *$//' >"$reason_file.tmp" && mv "$reason_file.tmp" "$reason_file"
  echo "32-bit Wine ($wine32) could not be installed: $(cat "$reason_file")" >&2
  rm -f "$wine32_log"
fi
exit 0
