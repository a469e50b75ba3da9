#!/usr/bin/env bash
# Builds dist/farspan-1.0-win64.zip (farspan.exe, tempomark.exe, read-me in
# German and English, licence) and checks that the program inside starts and
# shows its first report under Wine from a path with blanks and umlauts.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/deps.sh
scripts/build.sh native win64
version=1.0
name=farspan-$version-win64
work=$(mktemp -d)
trap 'tests/e2e/env.sh stop "$root/build/release-env" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# Windows readers get Windows-1252 text with CR LF line ends.
pkg=$work/$name
mkdir -p "$pkg"
cp build/win64/farspan.exe build/win64/tempomark.exe "$pkg/"
for f in README.txt LIESMICH.txt; do
  iconv -f UTF-8 -t CP1252 "packaging/$f" | sed 's/$/\r/' >"$pkg/$f"
done
sed 's/$/\r/' LICENSE >"$pkg/LICENSE.txt"
mkdir -p dist
rm -f "dist/$name.zip"
(cd "$work" && zip -q -X -r "$root/dist/$name.zip" "$name")
echo "built dist/$name.zip:"
unzip -l "dist/$name.zip"

# Unpack where a careless program would trip: blanks and umlauts in the path.
check="$work/Prüfung mit Leerzeichen äöü"
mkdir -p "$check"
unzip -q "dist/$name.zip" -d "$check"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
tests/e2e/env.sh start build/release-env >/dev/null
folder=$(tests/e2e/env.sh run build/release-env winepath -w "$check/$name" | tr -d '\r')
echo "starting $folder\\farspan.exe under Wine"
tests/e2e/env.sh run build/release-env wine build/win64/release_check.exe "$folder"
echo "release check passed"
