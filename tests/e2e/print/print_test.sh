#!/usr/bin/env bash
# One print test: a private CUPS server whose default printer "PDF" turns
# each job into a PDF file in this test's own folder, a Win32 driver run
# under Wine that prints and keeps each new PDF with the box text it should
# hold, then check_pdf.py.
# The server has its own configuration, spool, socket and backend, so it
# cannot clash with any other CUPS; only the socket, passed on as
# CUPS_SERVER, leads to it. It runs as whoever runs the test: as root CUPS
# runs its filters as the user "lp", which cannot pass through a clone inside
# a private (mode 700) home directory, so the spool lies under the system's
# temp directory, not under DIR. The backend (pdf_backend.sh) is private
# too: Debian's cups-pdf runs only as root and writes into the job owner's
# ~/PDF. Whatever the test starts and makes it removes again; the server's
# logs are copied to DIR/log.
#   print_test.sh DIR "NAMES THAT MUST BE PRINTED" DRIVER.exe [ARGS...]
# The driver gets two more arguments: the PDF folder and DIR/out, as Windows paths.
set -uo pipefail
dir=${1:?directory}; names=${2?names}; driver=${3:?driver}; shift 3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$dir"
mkdir -p "$dir"/{log,out,pdf}
dir=$(cd "$dir" && pwd)
# cupsd, lpadmin and cupsenable live in /usr/sbin, which is not on an ordinary user's PATH.
PATH=$PATH:/usr/sbin
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
mkdir -p "$cups"/{conf,spool,tmp,cache,state,log,bin/backend}
chmod 755 "$cups" "$cups"/{spool,tmp,cache,state}
chmod 1777 "$cups/tmp"
socket=$cups/cups.sock
# The system's filters and helpers, and one backend of our own. Mode 0700
# makes CUPS run it as root when the server runs as root (the filters run as
# "lp"); a server run by an ordinary user runs everything as that user.
for part in /usr/lib/cups/*; do
  [ "$(basename "$part")" = backend ] || ln -s "$part" "$cups/bin/"
done
install -m 0700 "$here/pdf_backend.sh" "$cups/bin/backend/farspan-pdf"
# Run by an ordinary user, the server runs as that user, who may also
# administer it (add the printer).
run_as=
[ "$(id -u)" -eq 0 ] || run_as="User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)"

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
ServerBin $cups/bin
$run_as
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
pdf_dir=$dir/pdf
timeout 30 lpadmin -p PDF -E -v "farspan-pdf:$pdf_dir" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
  || { echo "lpadmin failed" >&2; cat "$cups/log/error_log" >&2; exit 1; }
timeout 30 lpadmin -d PDF || exit 1
timeout 30 cupsenable PDF && timeout 30 cupsaccept PDF
echo "private CUPS on $socket, default printer: $(lpstat -d)"

# Wine's output goes to a file: a service that wine starts on the way inherits
# the descriptors, and one holding ctest's pipe would keep ctest waiting.
wine "$driver" "$@" "$(winepath -w "$pdf_dir")" "$(winepath -w "$dir/out")" </dev/null >"$dir/driver.log" 2>&1
status=$?
cat "$dir/driver.log"
# shellcheck disable=SC2086
python3 "$here/check_pdf.py" "$dir/out" $names || status=1
exit $status
