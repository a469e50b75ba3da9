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
fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
wine_font=$(wine reg query "$fonts" /v "MS Shell Dlg" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
restore() {
  wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  wine reg delete "$explorer" /v Desktop /f >/dev/null 2>&1
  wine reg add "$fonts" /v "MS Shell Dlg" /d "${wine_font:-Tahoma}" /f >/dev/null 2>&1
  echo "LogPixels, the dialog font and the desktop restored"
}
trap restore EXIT
trap '[ -z "$child" ] || kill "$child" 2>/dev/null; exit 143' TERM INT
status=0
for dpi in 96 120 144 192 font192 desktop96; do
  # Wine's dialog font here falls back to Liberation Sans (Arial's widths, and so
  # the digits of Windows' Microsoft Sans Serif); then DejaVu Sans, wider all
  # round as Wine 10's is, at two scales, the second in a Wine virtual desktop
  # (scripts/run.sh without a display), where a clicked button does not become the default.
  [ "$dpi" != font192 ] || wine reg add "$fonts" /v "MS Shell Dlg" /d "DejaVu Sans" /f >/dev/null || status=1
  [ "$dpi" != desktop96 ] || { wine reg add "$explorer\Desktops" /v farspan /d 1024x768 /f &&
    wine reg add "$explorer" /v Desktop /d farspan /f; } >/dev/null || status=1
  dpi=${dpi#font}; dpi=${dpi#desktop}
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null || { status=1; continue; }
  run wine "$test_exe" "--gtest_filter=MainDialogAtDpi.*" "$dpi" || status=1
done
exit $status
