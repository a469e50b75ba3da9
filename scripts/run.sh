#!/usr/bin/env bash
# Builds farspan.exe and starts it under Wine. Without a display it runs under
# Xvfb, saves a screenshot to build/screenshot.png after a few seconds and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh native win64
export WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, no desktop entries in the user's home.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
exe=build/win64/farspan.exe
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi
shot=build/screenshot.png
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  wineboot -i >/dev/null 2>&1; wineserver -w
  wine explorer /desktop=farspan,1024x768 $exe & pid=\$!
  sleep \${FARSPAN_SHOT_DELAY:-8}
  import -window root $shot
  wineserver -k; wait \$pid 2>/dev/null || true"
echo "No display: farspan.exe ran under Xvfb; screenshot saved to $shot"
