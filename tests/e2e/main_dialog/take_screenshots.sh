#!/usr/bin/env bash
# Screenshots of the main dialog for the documentation: German, English, the
# colour scheme, a report with the exact figures, the German system report, the English system report under
# Windows 7, 8.1 and 10, and the German dialog at 144 DPI, each in a Wine
# virtual desktop so the caption shows.
#   take_screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
out=${2:?output directory}
mkdir -p "$out"
out=$(cd "$out" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
env_dir=$build/e2e-screenshots
env_sh=$here/../env.sh
"$env_sh" start "$env_dir" >/dev/null
# The prefix is kept for the next run: leave it on Windows 7 at 96 DPI.
cleanup() {
  "$env_sh" run "$env_dir" wine winecfg /v win7 >/dev/null 2>&1 || true
  "$env_sh" run "$env_dir" wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  "$env_sh" stop "$env_dir"
}
trap cleanup EXIT

shoot() {  # locale, pose argument, file name, desktop size
  local size=${4:-800x580}
  (cd "$build" && LANG=$1 LC_ALL=$1 "$env_sh" run "$env_dir" \
     wine explorer /desktop=farspan,"$size" main_dialog_pose.exe $2 >/dev/null 2>&1 &)
  # Wait (bounded) until the dialog is drawn, then give the pose two seconds
  # to set itself up; the pose holds the dialog open for eight.
  local waited=0
  while [ $waited -lt 20 ]; do
    sleep 1; waited=$((waited + 1))
    "$env_sh" run "$env_dir" import -window root -crop "$size+0+0" +repage "$out/$3"
    [ "$(identify -format %k "$out/$3")" -gt 16 ] && break
  done
  sleep 2
  "$env_sh" run "$env_dir" import -window root -crop "$size+0+0" +repage "$out/$3"
  [ "$(identify -format %k "$out/$3")" -gt 16 ] || { echo "no dialog on the screen for $3" >&2; return 1; }
  sleep 9
}
shoot de_DE.UTF-8 plain main-dialog-de.png
shoot C.UTF-8 plain main-dialog-en.png
shoot C.UTF-8 colours main-dialog-colours.png
shoot C.UTF-8 mountain main-dialog-exact.png
shoot de_DE.UTF-8 system system-report-de.png
for version in win7 win81 win10; do
  "$env_sh" run "$env_dir" wine winecfg /v $version
  shoot C.UTF-8 system system-report-$version.png
done
"$env_sh" run "$env_dir" wine winecfg /v win7
"$env_sh" run "$env_dir" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
shoot de_DE.UTF-8 plain main-dialog-de-144dpi.png 1160x780
echo "screenshots in $out"
