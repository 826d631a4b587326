#!/usr/bin/env bash
# Runs a Windows program under Wine in a fresh prefix of its own, so that no
# run sees another's registry. Used as CMAKE_CROSSCOMPILING_EMULATOR.
#
#   cmake/wine-run.sh program.exe [arguments...]
#
# The fresh prefix is a hard-linked copy of a template prefix that is made once
# (wineboot takes about 20 s) under $ZELVAN_WINE_TEMPLATE, default
# ~/.cache/zelvan/wine-template; registry files are copied, not linked, and the
# run's server gets a directory of its own, removed with the prefix. Set
# ZELVAN_WINEPREFIX to run in a given prefix instead (it is kept). Without a
# DISPLAY the run gets a virtual display of its own (Xvfb).
set -u

template=${ZELVAN_WINE_TEMPLATE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelvan/wine-template}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ $# -lt 1 ]; then
  echo "usage: $0 program.exe [arguments...]" >&2
  exit 2
fi

if ! command -v wine >/dev/null 2>&1; then
  echo "wine-run.sh: Wine is not installed (run scripts/test.sh, which installs it)" >&2
  exit 2
fi

make_template() {
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    if [ ! -f "$template/system.reg" ]; then
      rm -rf "$template.tmp"
      WINEPREFIX="$template.tmp" wine wineboot --init >/dev/null 2>&1
      WINEPREFIX="$template.tmp" wineserver -w
      mv "$template.tmp" "$template"
    fi
  ) 9>"$template.lock"
}

if [ -n "${ZELVAN_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$ZELVAN_WINEPREFIX
  prefix_is_ours=0
else
  [ -f "$template/system.reg" ] || make_template
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zelvan-wine.XXXXXX")
  export WINEPREFIX
  cp -al "$template/." "$WINEPREFIX/"
  for reg in "$WINEPREFIX"/*.reg; do
    cp --remove-destination "$template/$(basename "$reg")" "$reg"
  done
  # Debian's Wine names the directory of the prefix's server in the file
  # "wineserver"; linked, it would make every run share the template's.
  rm -f "$WINEPREFIX/wineserver"
  prefix_is_ours=1
fi

run() {
  wine "$@"
}

if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
  status=$?
else
  run "$@"
  status=$?
fi

if [ "$prefix_is_ours" = 1 ]; then
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  server_dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  if [[ "$server_dir" =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
    for parent in "${XDG_RUNTIME_DIR:-}" "${TMPDIR:-/tmp}" /tmp; do
      [ -n "$parent" ] && [ -d "$parent/$server_dir" ] && rm -rf "${parent:?}/$server_dir"
    done
  fi
  rm -rf "$WINEPREFIX"
fi
exit $status
