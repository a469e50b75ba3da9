#!/usr/bin/env bash
# The main dialog at 96, 120, 144 and 192 DPI: Wine's LogPixels is set before
# each start of the in-process test (which checks both languages), and taken
# away again at the end (Wine's default, 96 DPI), also when a check fails or
# the run is cut short: the other tests share the prefix. So are the dialog
# font and the virtual desktop of the last two rounds.
#   dpi_pass.sh MAIN_DIALOG_INPROCESS.exe      (run through env.sh run)
set -uo pipefail
test_exe=${1:?test program}
key='HKCU\Control Panel\Desktop'
child=
# In the background, so a TERM from the time limit is handled at once.
run() { "$@" & child=$!; wait "$child"; local s=$?; child=; return $s; }
explorer='HKCU\Software\Wine\Explorer'
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
wine_font=$(wine reg query "$substitutes" /v "MS Shell Dlg" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
restore() {
  wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  wine reg delete "$explorer" /v Desktop /f >/dev/null 2>&1
  [ -z "$wine_font" ] || wine reg add "$substitutes" /v "MS Shell Dlg" /d "$wine_font" /f >/dev/null 2>&1
  echo "LogPixels, the virtual desktop and the dialog font ($wine_font) restored"
}
trap restore EXIT
trap '[ -z "$child" ] || kill "$child" 2>/dev/null; exit 143' TERM INT
status=0
at_dpi() {
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || { status=1; return; }
  run wine "$test_exe" "--gtest_filter=MainDialogAtDpi.*" "$1" || status=1
}
for dpi in 96 120 144 192; do at_dpi $dpi; done
# Another dialog font at two scales: Wine's default here falls back to
# Liberation Sans (Arial's widths, and so the digits of Windows' Microsoft
# Sans Serif); DejaVu Sans is wider all round, as Wine 10's dialog font is.
# The second round runs in a Wine virtual desktop, as scripts/run.sh starts
# the program without a display: there a clicked button does not become the
# default.
[ -n "$wine_font" ] && wine reg add "$substitutes" /v "MS Shell Dlg" /d "DejaVu Sans" /f >/dev/null || status=1
at_dpi 192
wine reg add "$explorer\Desktops" /v farspan /d 1024x768 /f >/dev/null &&
  wine reg add "$explorer" /v Desktop /d farspan /f >/dev/null || status=1
at_dpi 96
exit $status
