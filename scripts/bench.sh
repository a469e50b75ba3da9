#!/usr/bin/env bash
# Prints, in one run, every performance figure the project keeps:
#  - one curvature report composed (Google Benchmark, median of 10)
#  - start to first report of farspan.exe against a minimal dialog (ratio),
#    and of the tree before the libraries loaded at first use, in the same rounds
#  - last input change to the new report shown
#  - system report rebuild against the floor: a do-nothing console program
#    started and reaped as the report starts its tool (ratio), for this tree
#    and for the trees before the quicker clock tool and report and before
#    the program's own stack guard, built from git, in the same run; each
#    tree's clock tool as a whole run against a do-nothing console program
#    (ratio); and a hidden console program's two start flags
#  - the clock tool's short answer against a 1 s measurement, ten runs
#  - click to report with each clock tool stand-in (the 2 s cut-off, and a
#    tool that exits while its child keeps the output open)
#  - size and imported DLLs of farspan.exe
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
scripts/build.sh native win64 >/dev/null
env_dir=$root/build/bench-env

# Earlier trees, built from git once each: the report before the quicker
# clock tool, and both programs before their own stack guard (libssp's,
# seeded through the crypto provider).
build_tree() {  # COMMIT DIR
  local commit=$1 dir=$2
  [ "$(cat "$dir/commit" 2>/dev/null)" != "$commit" ] || return 0
  rm -rf "$dir"
  mkdir -p "$dir/src"
  git archive "$commit" | tar -x -C "$dir/src"
  # Trees that draw their bitmaps with a native tool run it from their own native tree.
  cmake -S "$dir/src" -B "$dir/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake -S "$dir/src" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-w64.cmake" -DFARSPAN_NATIVE_BUILD_DIR="$dir/native" >/dev/null
  cmake --build "$dir/build" --target farspan tempomark >/dev/null
  mkdir -p "$dir/bin"
  cp "$dir/build/farspan.exe" "$dir/build/tempomark.exe" "$dir/bin/"
  echo "$commit" >"$dir/commit"
}
before=abc485e65a7efe6ec26c7fedbad288d3dee112ec
before_dir=$root/build/bench-before
build_tree "$before" "$before_dir"
libssp=b2f67535e4b648c045d4fb6bae56d09501baec6a
build_tree "$libssp" "$root/build/bench-libssp"
# The last tree whose farspan.exe imported comdlg32 and shell32 and set up its
# tooltips and annotations before the first report.
static=05e52ea3c30afc6f2e54cc13348fd1e0e091c9b4
build_tree "$static" "$root/build/bench-static"

trap 'tests/e2e/env.sh stop "$env_dir" >/dev/null 2>&1 || true' EXIT

echo "== Farspan performance, $(date -u +%Y-%m-%d), $(nproc) cores, Wine $(wine --version 2>/dev/null | sed 's/^wine-//')"
echo "-- curvature report composition (native, Release)"
build/native/farspan_bench --benchmark_filter=report --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "_median" |
  awk '{printf "   %-40s median %s %s wall, %s %s CPU\n", $1, $2, $3, $4, $5}'

export LANG=C.UTF-8 LC_ALL=C.UTF-8
tests/e2e/env.sh start "$env_dir" >/dev/null
# Wine's output lines end in CR LF: the CR is stripped before sed and awk.
run() { (cd build/win64 && "$root/tests/e2e/env.sh" run "$env_dir" "$@"); }
echo "-- main dialog under Wine: this tree and the tree before loads at first use (${static:0:7}) in the same"
echo "   21 rounds, against a minimal dialog with the same guard, watched as often (every 1 ms)"
run wine start_bench.exe 21 '..\bench-static\bin\farspan.exe' | tr -d '\r' |
  grep -E "start to first report|last input change" | sed 's/^/   /; s/[.][.].bench-static.bin.farspan[.]exe/before/'
echo "-- system report under Wine: RAM-Info click to report shown (before: ${before:0:7}; libssp: ${libssp:0:7};"
echo "   target: at most 2.5 x the floor), and the clock tool's whole run"
run wine report_bench.exe 9 before ../bench-before/bin libssp ../bench-libssp/bin now . | tr -d '\r' | sed 's/^/   /'
echo "-- clock tool: short answer against a 1 s measurement, ten runs"
worst=0
for i in $(seq 1 10); do
  # A failed run is said, not left to end the script without a word.
  long=$(run wine tempomark.exe --ms 1000 | tr -d '\r') || echo "   run $i: the 1 s measurement failed (status $?): $long"
  short=$(run wine tempomark.exe | tr -d '\r') || echo "   run $i: the short measurement failed (status $?): $short"
  echo "   run $i: 1 s: ${long#CPU clock: }; short: ${short#CPU clock: }"
  a=$(sed -n 's/.*~\([0-9]*\) MHz.*/\1/p' <<<"$long"); b=$(sed -n 's/.*~\([0-9]*\) MHz.*/\1/p' <<<"$short")
  d=$((${a:-0} - ${b:-0})); d=${d#-}
  [ "$d" -le "$worst" ] || worst=$d
done
echo "   largest difference: $worst MHz (target: at most 1 MHz)"
echo "-- clock tool stand-ins: RAM-Info click to report shown (targets: a tool still busy is cut off at the 2 s bound;"
echo "   child_holds_output, a tool that exits while its child keeps the output open: well under 1 s)"
run wine sysinfo_e2e.exe --gtest_filter=SystemReport.ToolStandIns tempomark_doubles | tr -d '\r' |
  awk '/^tool stand-in:/ {name = $3} /^  report in / {sub(/^  report in /, ""); sub(/,.*/, ""); printf "   %-28s %s\n", name, $0}'

echo "-- farspan.exe"
size=$(stat -c %s build/win64/farspan.exe)
echo "   size: $size bytes ($((size / 1024)) KiB)"
echo "   imports: $(x86_64-w64-mingw32-objdump -p build/win64/farspan.exe | sed -n 's/.*DLL Name: //p' | sort -f | paste -sd' ')"
