#!/usr/bin/env bash
# A private CUPS spooler whose default queue keeps every job as a PDF file.
#
#   print-spooler.sh start <statedir> <outdir>
#       Starts cupsd with its own configuration, spool and socket under
#       <statedir> (no network port, no browsing, so it never meets a system
#       cupsd), adds the queue "slipcapture" that writes each job to
#       <outdir>/job-<id>.pdf, and makes it the default. Prints the line
#       CUPS_SERVER=<statedir>/cups.sock, which clients need in their
#       environment to reach it.
#   print-spooler.sh stop <statedir>
#       Stops the cupsd started by start, by the PID kept in <statedir>.
#
# Must run as root: cupsd runs a backend of mode 0700 as root, which is what
# lets it write into any <outdir>.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
queue=slipcapture

usage() {
  echo "Usage: $0 start <statedir> <outdir> | stop <statedir>" >&2
  exit 2
}

absolute() { mkdir -p "$1" && (cd "$1" && pwd); }

start() {
  local state out sock
  state=$(absolute "$1")
  out=$(absolute "$2")
  sock=$state/cups.sock
  if [ -f "$state/cupsd.pid" ] && kill -0 "$(cat "$state/cupsd.pid")" 2>/dev/null; then
    echo "A spooler already runs for $state (PID $(cat "$state/cupsd.pid"))." >&2
    exit 1
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "The private spooler must be started as root." >&2
    exit 1
  fi

  chmod 0755 "$state"
  mkdir -p "$state"/{etc/ppd,spool/tmp,cache,run,log,bin/backend}
  chmod 0755 "$state"/{etc,etc/ppd,cache,run,log,bin,bin/backend}
  chmod 0710 "$state/spool"
  chmod 1770 "$state/spool/tmp"

  # The programs cupsd runs come from the system, except for the backends:
  # only ours is offered, so the queue can reach nothing but the folder.
  local sys=/usr/lib/cups
  for d in cgi-bin daemon driver filter monitor notifier; do
    [ -e "$sys/$d" ] && ln -sfn "$sys/$d" "$state/bin/$d"
  done
  install -m 0700 -o root -g root "$here/print-spooler/slipcapture" "$state/bin/backend/$queue"

  cat >"$state/etc/cups-files.conf" <<EOF
ServerRoot $state/etc
ServerBin $state/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $state/spool
TempDir $state/spool/tmp
CacheDir $state/cache
StateDir $state/run
AccessLog $state/log/access_log
ErrorLog $state/log/error_log
PageLog $state/log/page_log
User lp
Group lp
SystemGroup root
FileDevice No
Sandboxing Relaxed
EOF
  cat >"$state/etc/cupsd.conf" <<EOF
Listen $sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel warn
MaxLogSize 0
PreserveJobFiles No
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  : >"$state/etc/printers.conf"
  : >"$state/etc/classes.conf"
  rm -f "$sock"

  setsid /usr/sbin/cupsd -f -c "$state/etc/cupsd.conf" -s "$state/etc/cups-files.conf" \
    </dev/null >>"$state/log/cupsd.out" 2>&1 &
  echo $! >"$state/cupsd.pid"

  local i
  for i in $(seq 1 100); do
    [ -S "$sock" ] && lpstat -h "$sock" -r >/dev/null 2>&1 && break
    if ! kill -0 "$(cat "$state/cupsd.pid")" 2>/dev/null; then
      echo "cupsd did not start; see $state/log/" >&2
      cat "$state/log/cupsd.out" "$state/log/error_log" 2>/dev/null >&2 || true
      exit 1
    fi
    sleep 0.1
  done
  if [ ! -S "$sock" ]; then
    echo "cupsd did not open $sock; see $state/log/" >&2
    stop "$state"
    exit 1
  fi

  # lpadmin warns that PPD files are deprecated; only a failure is shown.
  local said
  if ! said=$(CUPS_SERVER=$sock lpadmin -p "$queue" -E -v "$queue:$out" \
      -P "$here/print-spooler/slip-capture.ppd" -D "Slip capture to $out" 2>&1) \
    || ! CUPS_SERVER=$sock lpadmin -d "$queue"; then
    echo "$said" >&2
    stop "$state"
    exit 1
  fi
  echo "CUPS_SERVER=$sock"
}

stop() {
  local state pidfile pid i
  state=$1
  pidfile=$state/cupsd.pid
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid"
    for i in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
  fi
  rm -f "$pidfile" "$state/cups.sock"
}

case "${1:-}" in
  start) [ $# -eq 3 ] || usage; start "$2" "$3" ;;
  stop) [ $# -eq 2 ] || usage; stop "$2" ;;
  *) usage ;;
esac
