#!/usr/bin/env bash
# Prints, in one run, every performance figure the project keeps:
#  - one curvature report composed (Google Benchmark, median of 10)
#  - start to first report of farspan.exe against a minimal dialog (ratio)
#  - last input change to the new report shown
#  - system report rebuild against starting the clock tool alone (ratio)
#  - size and imported DLLs of farspan.exe
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
scripts/build.sh native win64 >/dev/null
env_dir=$root/build/bench-env
trap 'tests/e2e/env.sh stop "$env_dir" >/dev/null 2>&1 || true' EXIT

echo "== Farspan performance, $(date -u +%Y-%m-%d), $(nproc) cores, Wine $(wine --version 2>/dev/null | sed 's/^wine-//')"
echo "-- curvature report composition (native, Release)"
build/native/farspan_bench --benchmark_filter=report --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "_median" |
  awk '{printf "   %-40s median %s %s wall, %s %s CPU\n", $1, $2, $3, $4, $5}'

export LANG=C.UTF-8 LC_ALL=C.UTF-8
tests/e2e/env.sh start "$env_dir" >/dev/null
run() { (cd build/win64 && "$root/tests/e2e/env.sh" run "$env_dir" "$@"); }
echo "-- main dialog under Wine"
run wine main_dialog_e2e.exe timing | grep -E "start to first report|last input change" | sed 's/^/   /'
echo "-- system report under Wine (real tempomark)"
run wine sysinfo_e2e.exe report en | grep -E "^timing" | sed 's/^/   /'

echo "-- farspan.exe"
size=$(stat -c %s build/win64/farspan.exe)
echo "   size: $size bytes ($((size / 1024)) KiB)"
echo "   imports: $(x86_64-w64-mingw32-objdump -p build/win64/farspan.exe | sed -n 's/.*DLL Name: //p' | sort -f | paste -sd' ')"
