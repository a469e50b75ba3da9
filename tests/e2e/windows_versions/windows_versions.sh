#!/usr/bin/env bash
# The program under Windows 7, 8.1, 10 and 11 (where the Wine in use offers
# 11: Wine 10 does, Wine 8 does not), one pass per version in the shared
# prefix: the Windows is named as it should be, the program starts and shows
# its first report, its operating-system lines are those the driver finds
# itself (with the build numbers the running Wine reports), the whole system
# report is right, and under Windows 10 a print of the system report reaches
# the PDF printer. The prefix goes back to
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
passes=("win7 7" "win81 8.1" "win10 10" "win11 11")
offered=$(wine winecfg /? 2>&1)
for pass in "${passes[@]}"; do
  read -r name windows <<<"$pass"
  echo "=== $name"
  if ! grep -qw -- "$name" <<<"$offered"; then
    echo "$(wine --version) offers no $name setting: no pass for Windows $windows"
    continue
  fi
  wine winecfg /v "$name" || { echo "winecfg /v $name failed"; status=1; continue; }
  run wine main_dialog_e2e.exe --gtest_filter=MainDialog.WindowsVersion "$windows" || status=1
  run wine sysinfo_e2e.exe --gtest_filter=SystemReport.MachineFacts en || status=1
  if [ "$name" = win10 ]; then
    if [ -n "$print_test" ]; then
      run "$print_test" "$work/print" system print_app.exe --gtest_filter=PrintApp.SystemReportOnly farspan.exe en || status=1
    else
      echo "no print pass: the print tests are not built here"
    fi
  fi
done
exit $status
