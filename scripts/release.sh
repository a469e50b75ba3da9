#!/usr/bin/env bash
# Builds dist/farspan-1.0-win64.zip (farspan.exe, tempomark.exe, read-me in
# German and English, licence) and dist/SHA256SUMS, then checks that the
# program inside starts and shows its first report under Wine from a path with
# blanks and umlauts.
#
#   scripts/release.sh [--no-check]    --no-check: build and pack only
#
# With FARSPAN_SIGN_CERT (the code-signing certificate, with any intermediate
# certificates, PEM or DER) and FARSPAN_SIGN_KEY (its private key), both
# programs are signed with Authenticode before they are packed and summed;
# FARSPAN_SIGN_PASS_FILE names a file holding the key's passphrase, and
# FARSPAN_SIGN_TIMESTAMP the URL of an RFC 3161 time-stamp service (needs the
# network). Without a certificate and key the programs ship unsigned.
#
# The same commit gives the same bytes in any folder at any time: the programs
# carry no link time and no build path, and the zip's entries come in a fixed
# order with the time of the commit (SOURCE_DATE_EPOCH, taken from git when
# not set) and fixed permissions.
set -euo pipefail
# Signing files are named from where the script was called.
for var in FARSPAN_SIGN_CERT FARSPAN_SIGN_KEY FARSPAN_SIGN_PASS_FILE; do
  [ -n "${!var:-}" ] || continue
  file=$(realpath -e "${!var}") || { echo "$var: no file ${!var}" >&2; exit 2; }
  export "$var=$file"
done
cd "$(dirname "$0")/.."
root=$(pwd)
check=1
[ "${1:-}" != --no-check ] || check=0
# Half a signing set is a slip, not a wish for an unsigned release.
if [ -n "${FARSPAN_SIGN_CERT:-}${FARSPAN_SIGN_KEY:-}" ] &&
   { [ -z "${FARSPAN_SIGN_CERT:-}" ] || [ -z "${FARSPAN_SIGN_KEY:-}" ]; }; then
  echo "signing needs both FARSPAN_SIGN_CERT and FARSPAN_SIGN_KEY" >&2; exit 2
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    { echo "not a git checkout: set SOURCE_DATE_EPOCH to the commit time" >&2; exit 2; }
fi
export SOURCE_DATE_EPOCH
scripts/deps.sh
targets=(farspan tempomark)
[ $check -eq 0 ] || targets+=(release_check)
# The native tree draws the bitmap resources; the Windows build runs its tool.
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DFARSPAN_NATIVE_BUILD_DIR="$root/build/native" >/dev/null
cmake --build build/win64 --target "${targets[@]}"
version=1.0
name=farspan-$version-win64
work=$(mktemp -d)
trap 'tests/e2e/env.sh stop "$root/build/release-env" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# Windows readers get Windows-1252 text with CR LF line ends.
pkg=$work/$name
mkdir -p "$pkg"
if [ -n "${FARSPAN_SIGN_CERT:-}" ]; then
  sign=(-certs "$FARSPAN_SIGN_CERT" -key "$FARSPAN_SIGN_KEY" -h sha256 -n Farspan)
  [ -z "${FARSPAN_SIGN_PASS_FILE:-}" ] || sign+=(-readpass "$FARSPAN_SIGN_PASS_FILE")
  # The commit's time as the signing time, so one key signs to the same
  # bytes; a time stamp, when asked for, brings the service's own time.
  sign+=(-time "$SOURCE_DATE_EPOCH")
  [ -z "${FARSPAN_SIGN_TIMESTAMP:-}" ] || sign+=(-ts "$FARSPAN_SIGN_TIMESTAMP")
  for exe in farspan.exe tempomark.exe; do
    osslsigncode sign "${sign[@]}" -in "build/win64/$exe" -out "$pkg/$exe" >/dev/null
  done
  echo "signed farspan.exe and tempomark.exe"
else
  cp build/win64/farspan.exe build/win64/tempomark.exe "$pkg/"
  echo "not signed (no FARSPAN_SIGN_CERT and FARSPAN_SIGN_KEY)"
fi
for f in README.txt LIESMICH.txt; do
  iconv -f UTF-8 -t CP1252 "packaging/$f" | sed 's/$/\r/' >"$pkg/$f"
done
sed 's/$/\r/' LICENSE >"$pkg/LICENSE.txt"
# Whatever the umask and the clock: fixed modes, the commit's time, sorted
# entries, no extra attributes, times written in UTC.
chmod 755 "$pkg"
chmod 644 "$pkg"/*
touch -h -d "@$SOURCE_DATE_EPOCH" "$pkg" "$pkg"/*
mkdir -p dist
rm -f "dist/$name.zip" dist/SHA256SUMS
(cd "$work" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$root/dist/$name.zip")
(cd dist && sha256sum "$name.zip" >SHA256SUMS &&
  (cd "$work" && sha256sum "$name/farspan.exe" "$name/tempomark.exe") >>SHA256SUMS)
echo "built dist/$name.zip:"
unzip -l "dist/$name.zip"
echo "dist/SHA256SUMS:"
cat dist/SHA256SUMS
[ $check -eq 1 ] || exit 0

# Unpack where a careless program would trip: blanks and umlauts in the path.
check_dir="$work/Prüfung mit Leerzeichen äöü"
mkdir -p "$check_dir"
unzip -q "dist/$name.zip" -d "$check_dir"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
tests/e2e/env.sh start build/release-env >/dev/null
folder=$(tests/e2e/env.sh run build/release-env winepath -w "$check_dir/$name" | tr -d '\r')
echo "starting $folder\\farspan.exe under Wine"
tests/e2e/env.sh run build/release-env wine build/win64/release_check.exe "$folder"
echo "release check passed"
