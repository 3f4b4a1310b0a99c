#!/usr/bin/env bash
# The real printer of the printing tests: CUPS with cups-pdf queues, which
# Wine lists as printers and which write every job as a PDF file to ~/PDF.
# Whatever this script starts or adds it records in STATE_DIR, and `stop`
# takes exactly that away again: the queues it added, the cupsd it started
# (by its process id), the ~/PDF folder if it made it and it is empty.
#
#   print-server.sh start STATE_DIR          start cupsd unless one runs
#   print-server.sh add STATE_DIR NAME [default]
#   print-server.sh remove STATE_DIR NAME
#   print-server.sh remove-all STATE_DIR     remove every queue added here
#   print-server.sh stop STATE_DIR
set -euo pipefail
command=${1:?command}
state=${2:?state directory}
mkdir -p "$state"

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

case $command in
  start)
    if ! command -v cupsd >/dev/null && [ ! -x /usr/sbin/cupsd ]; then
      echo "CUPS is not installed: run scripts/install-deps.sh" >&2
      exit 1
    fi
    [ -d "$HOME/PDF" ] || { mkdir -p "$HOME/PDF"; touch "$state/made-pdf-dir"; }
    if running; then
      echo "using the cupsd that runs already"
      exit 0
    fi
    setsid /usr/sbin/cupsd -f </dev/null >"$state/cupsd.log" 2>&1 &
    echo $! >"$state/cupsd.pid"
    for _ in $(seq 100); do
      running && exit 0
      sleep 0.1
    done
    echo "cupsd did not start; see $state/cupsd.log" >&2
    exit 1
    ;;
  add)
    name=${3:?queue name}
    lpadmin -p "$name" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    grep -qx "$name" "$state/queues" 2>/dev/null || echo "$name" >>"$state/queues"
    if [ "${4:-}" = default ]; then lpadmin -d "$name"; fi
    ;;
  remove)
    name=${3:?queue name}
    lpadmin -x "$name" 2>/dev/null || true
    if [ -f "$state/queues" ]; then
      grep -vx "$name" "$state/queues" >"$state/queues.new" || true
      mv "$state/queues.new" "$state/queues"
    fi
    ;;
  remove-all|stop)
    if [ -f "$state/queues" ]; then
      while read -r name; do
        [ -n "$name" ] && { cancel -a "$name" 2>/dev/null || true; lpadmin -x "$name" 2>/dev/null || true; }
      done <"$state/queues"
      rm -f "$state/queues"
    fi
    [ "$command" = stop ] || exit 0
    if [ -f "$state/cupsd.pid" ]; then
      pid=$(cat "$state/cupsd.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      rm -f "$state/cupsd.pid"
    fi
    if [ -f "$state/made-pdf-dir" ]; then
      rmdir "$HOME/PDF" 2>/dev/null || true
      rm -f "$state/made-pdf-dir"
    fi
    ;;
  *)
    echo "unknown command: $command" >&2
    exit 2
    ;;
esac
