#!/usr/bin/env bash
# Runs a Win32 test program under Wine with its output going through a file:
# a service that wine starts on the way inherits the descriptors, and one
# holding ctest's pipe would keep ctest waiting after the test has ended.
#   run_quiet.sh PROGRAM.exe [ARGS...]
log=$(mktemp)
wine "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
