#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the same under
# AddressSanitizer/UndefinedBehaviorSanitizer, a short bounded run of every
# fuzz target, and the end-to-end tests of farspan.exe under Wine (own Xvfb,
# Wine prefix and servers, stopped at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh native asan fuzz win64
status=0
ctest --test-dir build/native --output-on-failure || status=1
ctest --test-dir build/asan --output-on-failure || status=1
ctest --test-dir build/fuzz --output-on-failure || status=1
ctest --test-dir build/win64 --output-on-failure || status=1
if [ $status -eq 0 ]; then echo "all test suites passed"; else echo "some tests FAILED"; fi
exit $status
