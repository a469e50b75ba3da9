#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the same under
# AddressSanitizer/UndefinedBehaviorSanitizer, a short bounded run of every
# fuzz target, and the end-to-end tests of farspan.exe under Wine (own Xvfb,
# Wine prefix and servers, stopped at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

# Whatever way this ends (failure, Ctrl-C, a kill), stop what the tests
# started, and only that, by the process ids recorded when it was started:
# ctest runs in a process group of its own (every test command, build and
# script under it); each Wine environment ends the process groups of the test
# commands it runs (timeout gives each its own group), its wineserver and its
# Xvfb; each private CUPS server is ended by its recorded id. A finished test
# has stopped its own.
ctest_pid=
run_ctest() {
  # In the background, so a signal is handled at once, not when ctest ends.
  # A background job of this script leads no group, so setsid makes ctest
  # the leader of a new one without forking: its id is the group's.
  setsid ctest "$@" &
  ctest_pid=$!
  local status=0
  wait "$ctest_pid" || status=$?
  ctest_pid=
  return $status
}
stop_leftovers() {
  # Killed outright: a test script's own clean-up would start Wine again.
  [ -z "$ctest_pid" ] || kill -KILL -- "-$ctest_pid" 2>/dev/null || true
  for env_dir in build/win64/e2e-*/; do
    [ -f "$env_dir/env" ] && { tests/e2e/env.sh stop "$env_dir" >/dev/null 2>&1 || true; }
  done
  while IFS= read -r record; do
    read -r folder pid <"$record" || true
    case $folder in /tmp/farspan-cups.*) ;; *) continue ;; esac
    if [ -n "${pid:-}" ] && grep -q -- "$folder" "/proc/$pid/cmdline" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      # cupsd writes its state on the way out: remove the folder after it is gone.
      for _ in $(seq 1 50); do [ -e "/proc/$pid" ] || break; sleep 0.1; done
    fi
    rm -rf "$folder" "$record"
  done < <(find build/win64 -name cups.run 2>/dev/null)
  return 0
}
trap stop_leftovers EXIT
trap 'exit 130' INT TERM
scripts/build.sh native asan fuzz win64
status=0
run_ctest --test-dir build/native --output-on-failure || status=1
run_ctest --test-dir build/asan --output-on-failure || status=1
run_ctest --test-dir build/fuzz --output-on-failure || status=1
run_ctest --test-dir build/win64 --output-on-failure || status=1
if [ $status -eq 0 ]; then echo "all test suites passed"; else echo "some tests FAILED"; fi
exit $status
