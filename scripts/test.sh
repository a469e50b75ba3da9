#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the same under
# AddressSanitizer/UndefinedBehaviorSanitizer, a short bounded run of every
# fuzz target, and the end-to-end tests of farspan.exe under Wine (own Xvfb,
# Wine prefix and servers, stopped at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

# Whatever way this ends (failure, Ctrl-C, a kill), stop the Xvfb, wineserver
# and CUPS servers the tests started; a finished test has stopped its own.
stop_leftovers() {
  for env_dir in build/win64/e2e-*/; do
    [ -f "$env_dir/env" ] && { tests/e2e/env.sh stop "$env_dir" >/dev/null 2>&1 || true; }
  done
  for pid_file in $(find build/win64 -name cupsd.pid 2>/dev/null); do
    read -r pid folder <"$pid_file" || continue
    kill "$pid" 2>/dev/null || true
    case $folder in /tmp/farspan-cups.*) rm -rf "$folder" ;; esac
    rm -f "$pid_file"
  done
  return 0
}
trap stop_leftovers EXIT
trap 'exit 130' INT TERM
scripts/build.sh native asan fuzz win64
status=0
ctest --test-dir build/native --output-on-failure || status=1
ctest --test-dir build/asan --output-on-failure || status=1
ctest --test-dir build/fuzz --output-on-failure || status=1
ctest --test-dir build/win64 --output-on-failure || status=1
if [ $status -eq 0 ]; then echo "all test suites passed"; else echo "some tests FAILED"; fi
exit $status
