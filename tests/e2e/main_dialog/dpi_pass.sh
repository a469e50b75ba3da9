#!/usr/bin/env bash
# The main dialog at 96, 120, 144 and 192 DPI: Wine's LogPixels is set before
# each start of the in-process test (which checks both languages), and taken
# away again at the end (Wine's default, 96 DPI), also when a check fails or
# the run is cut short: the other tests share the prefix.
#   dpi_pass.sh MAIN_DIALOG_INPROCESS.exe      (run through env.sh run)
set -uo pipefail
test_exe=${1:?test program}
key='HKCU\Control Panel\Desktop'
child=
# In the background, so a TERM from the time limit is handled at once.
run() { "$@" & child=$!; wait "$child"; local s=$?; child=; return $s; }
restore() { wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1; echo "LogPixels removed again"; }
trap restore EXIT
trap '[ -z "$child" ] || kill "$child" 2>/dev/null; exit 143' TERM INT
status=0
for dpi in 96 120 144 192; do
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null || { status=1; continue; }
  run wine "$test_exe" "--gtest_filter=MainDialogAtDpi.*" "$dpi" || status=1
done
exit $status
