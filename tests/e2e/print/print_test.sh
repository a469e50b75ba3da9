#!/usr/bin/env bash
# One print test: a private CUPS server whose default printer "PDF" writes
# PDF files through cups-pdf, a Win32 driver run under Wine that prints and
# keeps each new PDF with the box text it should hold, then check_pdf.py.
# The server has its own configuration, spool and socket, so it cannot clash
# with any other CUPS; only the socket, passed on as CUPS_SERVER, leads to it.
# Its folders lie under the system's temp directory, not under DIR: CUPS runs
# its filters as the user "lp", which cannot pass through a clone inside a
# private (mode 700) home directory. Whatever it starts and makes it removes
# again; its logs are copied to DIR/log.
#   print_test.sh DIR "NAMES THAT MUST BE PRINTED" DRIVER.exe [ARGS...]
# The driver gets two more arguments: the PDF folder and DIR/out, as Windows paths.
set -uo pipefail
dir=${1:?directory}; names=${2?names}; driver=${3:?driver}; shift 3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$dir"
mkdir -p "$dir"/{log,out}
dir=$(cd "$dir" && pwd)
cups=
cupsd_pid=
stop_cups() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  [ -n "$cups" ] || return 0
  cp "$cups"/log/* "$dir/log/" 2>/dev/null || true
  rm -rf "$cups" "$dir/cups.run"
}
trap stop_cups EXIT
trap "exit 143" TERM INT
cups=$(mktemp -d /tmp/farspan-cups.XXXXXX)
# Where the server lives (and, once it runs, its process id), for
# scripts/test.sh, which clears what an interrupted run left behind.
echo "$cups" >"$dir/cups.run"
mkdir -p "$cups"/{conf,spool,tmp,cache,state,log}
chmod 755 "$cups" "$cups"/{spool,tmp,cache,state}
chmod 1777 "$cups/tmp"
socket=$cups/cups.sock

cat >"$cups/conf/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$cups/conf/cups-files.conf" <<CONF
ServerRoot $cups/conf
ServerBin /usr/lib/cups
DataDir /usr/share/cups
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
CONF

cupsd -f -c "$cups/conf/cupsd.conf" -s "$cups/conf/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
cupsd_pid=$!
echo "$cups $cupsd_pid" >"$dir/cups.run"

export CUPS_SERVER=$socket
for _ in $(seq 1 100); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || { echo "cupsd did not start" >&2; cat "$cups/log/"* >&2; exit 1; }
timeout 30 lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
  || { echo "lpadmin failed" >&2; cat "$cups/log/error_log" >&2; exit 1; }
timeout 30 lpadmin -d PDF || exit 1
timeout 30 cupsenable PDF && timeout 30 cupsaccept PDF
echo "private CUPS on $socket, default printer: $(lpstat -d)"

# cups-pdf writes a root job into the home folder of root.
pdf_dir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$pdf_dir"
# Wine's output goes to a file: a service that wine starts on the way inherits
# the descriptors, and one holding ctest's pipe would keep ctest waiting.
wine "$driver" "$@" "$(winepath -w "$pdf_dir")" "$(winepath -w "$dir/out")" </dev/null >"$dir/driver.log" 2>&1
status=$?
cat "$dir/driver.log"
# shellcheck disable=SC2086
python3 "$here/check_pdf.py" "$dir/out" $names || status=1
exit $status
