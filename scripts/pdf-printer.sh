#!/usr/bin/env bash
# A PDF printer for the printing tests: starts the print scheduler when it is
# not running and adds the printer "PDF" (the CUPS PDF backend) as the default
# destination when it is missing. Safe to run again at any time.
#
#   scripts/pdf-printer.sh start     scheduler and printer (needs root, as CI has)
#   scripts/pdf-printer.sh outdir    prints the directory the PDF files go to
#   scripts/pdf-printer.sh check     exit 0 if the printer accepts jobs now
#   scripts/pdf-printer.sh ppd       prints the path of the printer's PPD file
#   scripts/pdf-printer.sh add NAME [PPD]  one more PDF printer NAME (not the
#                                          default), with its own PPD file if given
set -euo pipefail

printer=PDF
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
ppd_file=/usr/share/ppd/${ppd#lsb/usr/}  # the file the model name stands for

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

scheduler_running() {
  lpstat -r 2>/dev/null | grep -q "is running"
}

printer_ready() {
  scheduler_running && lpstat -p "$printer" 2>/dev/null | grep -q "enabled" &&
    lpstat -d 2>/dev/null | grep -q ": $printer\$"
}

# The output directory of the PDF backend for the current user: the "Out"
# setting of its configuration with ${HOME} put in (default ~/PDF).
outdir() {
  local out=""
  if [ -r /etc/cups/cups-pdf.conf ]; then
    out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n1)
  fi
  [ -n "$out" ] || out='${HOME}/PDF'
  out=${out//\$\{HOME\}/$HOME}
  echo "$out"
}

start() {
  if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
    echo "pdf-printer.sh: CUPS is not installed (scripts/deps.sh test installs it)" >&2
    exit 2
  fi
  if ! scheduler_running; then
    as_root /usr/sbin/cupsd
    for _ in $(seq 100); do scheduler_running && break; sleep 0.1; done
    scheduler_running || { echo "pdf-printer.sh: the scheduler did not start" >&2; exit 1; }
  fi
  if ! lpstat -p "$printer" >/dev/null 2>&1; then
    as_root lpadmin -p "$printer" -v cups-pdf:/ -E -m "$ppd"
  fi
  as_root cupsenable "$printer" >/dev/null 2>&1 || true
  as_root cupsaccept "$printer" >/dev/null 2>&1 || true
  lpstat -d 2>/dev/null | grep -q ": $printer\$" || as_root lpadmin -d "$printer"
  mkdir -p "$(outdir)"
  printer_ready || { echo "pdf-printer.sh: the printer is not ready" >&2; exit 1; }
}

# One more printer of the same kind, for tests that need a second one; with a
# PPD file of its own (set again on every call) when one is given.
add() {
  start
  if [ -n "${2:-}" ]; then
    as_root lpadmin -p "$1" -v cups-pdf:/ -E -P "$2"
  else
    lpstat -p "$1" >/dev/null 2>&1 || as_root lpadmin -p "$1" -v cups-pdf:/ -E -m "$ppd"
  fi
  as_root cupsenable "$1" >/dev/null 2>&1 || true
  as_root cupsaccept "$1" >/dev/null 2>&1 || true
}

case ${1:-start} in
  start) start ;;
  add) [ $# -eq 2 ] || [ $# -eq 3 ] || { echo "usage: $0 add NAME [PPD]" >&2; exit 2; }; add "$2" "${3:-}" ;;
  outdir) outdir ;;
  ppd) echo "$ppd_file" ;;
  check) printer_ready ;;
  *) echo "usage: $0 start|outdir|check|ppd|add NAME [PPD]" >&2; exit 2 ;;
esac
