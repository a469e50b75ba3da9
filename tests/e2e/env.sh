#!/usr/bin/env bash
# A private Xvfb display and Wine prefix for the end-to-end tests of one build.
#   env.sh start DIR        start Xvfb, create the prefix, keep a wineserver running
#   env.sh run DIR CMD...   run CMD with that display and prefix, killed after
#                           FARSPAN_E2E_TIMEOUT seconds (default 300)
#   env.sh stop DIR         stop the wineserver and Xvfb started by "start"
set -uo pipefail
action=${1:?action}; dir=${2:?directory}; shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# A process's start time (clock ticks since boot): with its number it names
# that one process, so a number the system has given to another process
# since is never taken for ours.
started_at() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f20; }
# Records a process this environment started: DIR/NAME.pid holds "PID START".
record() { echo "$2 $(started_at "$2")" >"$dir/$1.pid"; }
# Kills a recorded process (or, with -group, its process group) unless its
# number now belongs to another process. A group whose leader has ended may
# still have members; Linux gives no new process a number that is still a
# group's, so killing it then reaches only ours.
kill_recorded() {
  local signal=$1 file=$2 pid start now target
  read -r pid start <"$file" 2>/dev/null || { rm -f "$file"; return 0; }
  now=$(started_at "$pid")
  target=$pid
  [ "$signal" != -group ] || { signal=-KILL; target=-$pid; }
  if [ -n "$pid" ] && { [ -z "$now" ] || [ "$now" = "$start" ]; }; then
    kill "$signal" -- "$target" 2>/dev/null || true
  fi
  rm -f "$file"
}

stop_env() {
  # Test commands still running (a run cut short): their whole process groups.
  for group in "$dir"/group.*.pid; do
    [ -e "$group" ] && kill_recorded -group "$group"
  done
  if [ -f "$dir/env" ]; then
    # shellcheck disable=SC1091
    . "$dir/env"
    WINEPREFIX=$WINEPREFIX timeout 20 wineserver -k >/dev/null 2>&1 || true
    # Debian's Wine keeps its server's socket in a temporary folder of its
    # own (named in the prefix) and leaves the folder behind.
    server_dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
    case $server_dir in wine-??????) rm -rf "${TMPDIR:-/tmp}/$server_dir" ;; esac
  fi
  [ ! -f "$dir/xvfb.pid" ] || kill_recorded -TERM "$dir/xvfb.pid"
  rm -f "$dir/env" "$dir"/run.*
}

# Wine leaves processes behind (wineserver, services, the desktop process)
# that inherit the caller's output. Under CTest that would keep the test's
# output pipe open until they end, so every Wine command writes to a log file
# that is printed afterwards.
start_env() {
  stop_env
  # A fresh prefix every run: a run that was cut short may have left a
  # setting behind (Windows version, DPI, a test printer).
  rm -rf "$dir/prefix"
  # Xvfb picks a free display itself and tells which: no race with another
  # X server starting at the same time.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  record xvfb $!
  display=
  for _ in $(seq 1 100); do
    display=$(tr -dc 0-9 <"$dir/display" 2>/dev/null)
    [ -n "$display" ] && break
    sleep 0.1
  done
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; stop_env; return 1; }
  {
    echo "export DISPLAY=:$display"
    echo "export WINEPREFIX=$dir/prefix"
    # Quiet by default; WINEDEBUG=err+all (or any channel list) shows Wine's own errors.
    echo "export WINEDEBUG=${WINEDEBUG:--all}"
    # No Mono or Gecko downloads, and no menu builder writing desktop entries
    # into the user's home.
    echo "export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'"
  } >"$dir/env"
  # shellcheck disable=SC1091
  . "$dir/env"
  # One persistent wineserver for the whole run: later starts take a second, not ten.
  wineserver -p
  timeout 180 wineboot -i >"$dir/wineboot.log" 2>&1 || { echo "wineboot failed" >&2; cat "$dir/wineboot.log" >&2; stop_env; return 1; }
  # No "Courier New" in Wine here: map it to Liberation Mono so printing stays on TrueType.
  timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f
  # No window manager runs on this display: a window Wine treats as managed
  # makes every hide wait 2 s for a withdrawal no one confirms (a tooltip
  # taken down, a dialog ended). Unmanaged windows hide at once.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  echo "e2e environment ready on :$display, prefix $WINEPREFIX"
}

case $action in
start)
  start_env >"$dir/start.log" 2>&1 </dev/null
  status=$?
  cat "$dir/start.log"
  exit $status
  ;;
run)
  [ -f "$dir/env" ] || { echo "environment not started: $dir" >&2; exit 1; }
  # shellcheck disable=SC1091
  . "$dir/env"
  log=$(mktemp "$dir/run.XXXXXX")
  # The test's own time limit, passed down by CTest (a little under its
  # TIMEOUT, so the kill is reported here rather than by CTest).
  limit=${FARSPAN_E2E_TIMEOUT:-300}
  # timeout leads a process group of its own, which holds the command and
  # everything it starts: recorded, so that "stop" (and scripts/test.sh,
  # when a run is interrupted) can end exactly that group.
  timeout -k 5 "$limit" "$@" >"$log" 2>&1 </dev/null &
  pid=$!
  record "group.$pid" "$pid"
  trap 'kill_recorded -group "$dir/group.$pid"; exit 143' TERM INT
  wait "$pid"
  status=$?
  rm -f "$dir/group.$pid.pid"
  cat "$log"
  rm -f "$log"
  [ $status -ne 124 ] || echo "KILLED: the test's time limit of $limit s ran out: $*"
  exit $status
  ;;
stop)
  stop_env
  ;;
*)
  echo "usage: env.sh start|run|stop DIR [CMD...]" >&2; exit 2
  ;;
esac
