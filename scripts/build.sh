#!/usr/bin/env bash
# Configures and builds the native core (build/native) and the Windows program (build/win64).
# Usage: scripts/build.sh [native|asan|fuzz|win64]...   (default: native win64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win64)
for t in "${targets[@]}"; do
  case $t in
    native) cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null ;;
    asan)   cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFARSPAN_SANITIZE=ON >/dev/null ;;
    fuzz)   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DFARSPAN_FUZZ=ON -DFARSPAN_FUZZ_SECONDS="${FARSPAN_FUZZ_SECONDS:-10}" >/dev/null ;;
    win64)  cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
              -DFARSPAN_NATIVE_BUILD_DIR="$root/build/native" >/dev/null ;;
    *) echo "unknown build: $t" >&2; exit 2 ;;
  esac
  cmake --build "build/$t"
done
