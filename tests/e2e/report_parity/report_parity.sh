#!/usr/bin/env bash
# report_parity.sh NATIVE_REPORT_DUMP WINDOWS_REPORT_DUMP_EXE OUTPUT_DIR
# Runs inside the Wine environment (env.sh run): dumps the report grid with
# both builds and compares them with the native tool.
set -euo pipefail
native=${1:?native report_dump}; windows=${2:?report_dump.exe}; out=${3:?output dir}
if [ ! -x "$native" ]; then
  echo "native report_dump not found at $native: build the native tree first (FARSPAN_NATIVE_BUILD_DIR)" >&2
  exit 1
fi
mkdir -p "$out"
rm -f "$out/native.txt" "$out/windows.txt"
cp "$windows" "$out/report_dump.exe"
"$native" "$out/native.txt"
# Relative file name: the Windows program sees the same directory as its
# current directory. Wine's output goes to a file: a wineserver or service
# that wine starts on the way inherits these descriptors, and one holding the
# test's pipe would keep ctest waiting after the test has ended.
(cd "$out" && wine report_dump.exe windows.txt </dev/null >wine.log 2>&1) || {
  echo "report_dump.exe failed:" >&2; cat "$out/wine.log" >&2; exit 1; }
cat "$out/wine.log"
"$native" --compare "$out/native.txt" "$out/windows.txt"
