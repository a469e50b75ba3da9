#!/usr/bin/env bash
# Screenshots of the main dialog for the documentation: German, English, the
# colour scheme and the German system report, each in a Wine virtual desktop so the caption shows.
#   take_screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
out=${2:?output directory}
mkdir -p "$out"
out=$(cd "$out" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
env_dir=$build/e2e-screenshots
"$here/../env.sh" start "$env_dir" >/dev/null
trap '"$here/../env.sh" stop "$env_dir"' EXIT

shoot() {  # locale, pose argument, file name
  (cd "$build" && LANG=$1 LC_ALL=$1 "$here/../env.sh" run "$env_dir" \
     wine explorer /desktop=farspan,800x540 main_dialog_e2e.exe pose $2 >/dev/null 2>&1 &)
  sleep 7
  "$here/../env.sh" run "$env_dir" import -window root -crop 800x540+0+0 +repage "$out/$3"
  sleep 4
}
shoot de_DE.UTF-8 plain main-dialog-de.png
shoot C.UTF-8 plain main-dialog-en.png
shoot C.UTF-8 colours main-dialog-colours.png
shoot de_DE.UTF-8 system system-report-de.png
echo "screenshots in $out"
