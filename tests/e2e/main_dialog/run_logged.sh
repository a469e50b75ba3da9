#!/usr/bin/env bash
# Runs a command with its output in a file, then shows the file. Wine starts
# helper processes (the desktop, services) from the first program of a prefix;
# they inherit its output and would keep CTest's pipe open long after the test.
set -u
log=$(mktemp)
"$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
