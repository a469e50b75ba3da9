#!/usr/bin/env bash
# Runs a command with its output in a file, then shows the file.
# Wine's desktop process (explorer.exe), started by the first window of a
# fresh prefix, lives on with the file descriptors of the program that
# started it; with ctest's output pipe among them, ctest would wait for it
# until the time-out.
set -u
log=${1:?log file}; shift
"$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
exit $rc
