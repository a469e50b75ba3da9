#!/usr/bin/env bash
# Runs a command beside a private CUPS server whose default printer "PDF"
# writes PDF files through cups-pdf. The server has its own configuration,
# spool and socket under DIR, so it cannot clash with any other CUPS; only
# the socket, passed on as CUPS_SERVER, leads to it. Whatever it starts it
# stops again, by process id.
#   with_cups.sh DIR CMD...
set -uo pipefail
dir=${1:?directory}; shift
rm -rf "$dir"
mkdir -p "$dir"/{conf,spool,tmp,cache,state,log}
dir=$(cd "$dir" && pwd)
# Filters run as "lp" and must reach the spool.
chmod 755 "$dir" "$dir"/{spool,tmp,cache,state}
chmod 1777 "$dir/tmp"
socket=$dir/cups.sock

cat >"$dir/conf/cupsd.conf" <<CONF
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
cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
ServerBin /usr/lib/cups
DataDir /usr/share/cups
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF

cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
cupsd_pid=$!
stop_cups() {
  kill "$cupsd_pid" 2>/dev/null || true
  wait "$cupsd_pid" 2>/dev/null || true
}
trap stop_cups EXIT

export CUPS_SERVER=$socket
for _ in $(seq 1 100); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || { echo "cupsd did not start" >&2; cat "$dir/log/"* >&2; exit 1; }
timeout 30 lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
  || { echo "lpadmin failed" >&2; cat "$dir/log/error_log" >&2; exit 1; }
timeout 30 lpadmin -d PDF || exit 1
timeout 30 cupsenable PDF && timeout 30 cupsaccept PDF
echo "private CUPS on $socket, default printer: $(lpstat -d)"

"$@"
status=$?
exit $status
