#!/usr/bin/env bash
# The program under Windows 7, 8.1 and 10 as Wine 8 reports them (6.1.7601,
# 6.3.9600, 10.0.18362), one pass per version in the shared prefix: it starts
# and shows its first report, its operating-system lines are those the driver
# finds itself, the whole system report is right, and under Windows 10 a print
# of the system report reaches the PDF printer. The prefix goes back to
# Windows 7, Wine's default that every other test expects, on every exit:
# also when a check fails or the time limit cuts the run short.
#   windows_versions.sh WORK_DIR [PRINT_TEST_SH]
# Run through env.sh run, in the build folder; without PRINT_TEST_SH no print.
set -uo pipefail
work=${1:?work folder}; print_test=${2:-}
child=
# In the background, so a TERM from the time limit is handled at once.
run() { "$@" & child=$!; wait "$child"; local s=$?; child=; return $s; }
restore() { wine winecfg /v win7; echo "prefix back on $(wine winecfg /v)"; }
trap restore EXIT
trap '[ -z "$child" ] || kill "$child" 2>/dev/null; exit 143' TERM INT
status=0
for pass in "win7 6.1.7601" "win81 6.3.9600" "win10 10.0.18362"; do
  read -r name version <<<"$pass"
  echo "=== $name"
  wine winecfg /v "$name" || { echo "winecfg /v $name failed"; status=1; continue; }
  run wine main_dialog_e2e.exe windows-version "$version" || status=1
  run wine sysinfo_e2e.exe report en || status=1
  if [ "$name" = win10 ]; then
    if [ -n "$print_test" ]; then
      run "$print_test" "$work/print" system print_app.exe farspan.exe en system || status=1
    else
      echo "no print pass: the print tests are not built here"
    fi
  fi
done
exit $status
