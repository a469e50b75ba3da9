#!/usr/bin/env bash
# Longer fuzzing run: every target for SECONDS (default 600) each, keeping the
# corpus in build/fuzz/fuzz/corpus. Prints each target's executions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/deps.sh
scripts/build.sh fuzz
total=0
for target in build/fuzz/fuzz_*; do
  name=$(basename "$target")
  mkdir -p "build/fuzz/fuzz/corpus/$name"
  out=$("$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
        "build/fuzz/fuzz/corpus/$name" "fuzz/seeds/$name" 2>&1) || { echo "$out" | tail -40; exit 1; }
  runs=$(echo "$out" | sed -n 's/^stat::number_of_executed_units: *//p')
  echo "$name: $runs executions in $seconds s, no failure"
  total=$((total + runs))
done
echo "all targets: $total executions"
