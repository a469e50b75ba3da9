#!/usr/bin/env bash
# Builds the release twice, from two copies of the source in folders of
# different names and depths, the second a minute after the first, and
# compares farspan.exe, tempomark.exe and the zip byte for byte. Both sign
# their programs with one throwaway certificate, made here.
#   reproducible.sh SOURCE_DIR WORK_DIR
# The copies hold the tracked files as they are in SOURCE_DIR (uncommitted
# edits included); the zip's time is the last commit's, as in a release.
set -uo pipefail
source_dir=$(cd "${1:?source dir}" && pwd)
work=${2:?work dir}
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
trap 'rm -rf "$work/one" "$work/second-build" "$work/check" "$work/sign"' EXIT

# A release is made from a commit: in a copy without its history (an
# unpacked archive) there is nothing to compare, and the test says so.
if [ ! -e "$source_dir/.git" ]; then
  echo "SKIPPED: $source_dir is not a git checkout; the release is built from a commit"
  exit 77
fi
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) || { echo "FAILED: git cannot read the last commit"; exit 1; }
export SOURCE_DATE_EPOCH
# Besides folder and time, the second build has another umask and time zone.
trees=("$work/one/farspan" "$work/second-build/nested/src")
umasks=(022 077)
zones=(UTC Pacific/Auckland)
name=farspan-1.0-win64
mkdir -p "$work/sign"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Farspan test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/sign/key.pem" -out "$work/sign/cert.pem" 2>/dev/null ||
  { echo "FAILED: openssl cannot make the test certificate"; exit 1; }
export FARSPAN_SIGN_CERT=$work/sign/cert.pem FARSPAN_SIGN_KEY=$work/sign/key.pem
first_start=
for i in 0 1; do
  tree=${trees[$i]}
  # A minute between the two starts: any clock time that leaks into a file
  # (seconds in the PE header, two-second steps in the zip) shows.
  if [ -n "$first_start" ]; then sleep $((first_start + 61 - $(date +%s))) 2>/dev/null || true; fi
  [ -n "$first_start" ] || first_start=$(date +%s)
  mkdir -p "$tree"
  git -C "$source_dir" ls-files -z |
    (cd "$source_dir" && tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$tree"
  echo "== release build in $tree, started $(date -u +%H:%M:%S) UTC, umask ${umasks[$i]}, TZ ${zones[$i]}"
  if ! (umask "${umasks[$i]}" && TZ=${zones[$i]} "$tree/scripts/release.sh" --no-check >"$tree.log" 2>&1); then
    cat "$tree.log"
    echo "FAILED: release build in $tree"
    exit 1
  fi
done

# The same three files from both trees, by SHA-256.
status=0
a=${trees[0]}
b=${trees[1]}
for file in build/win64/farspan.exe build/win64/tempomark.exe "dist/$name.zip"; do
  sum_a=$(sha256sum "$a/$file" | cut -d' ' -f1)
  sum_b=$(sha256sum "$b/$file" | cut -d' ' -f1)
  echo "$sum_a  $file (first tree)"
  echo "$sum_b  $file (second tree)"
  if [ "$sum_a" != "$sum_b" ]; then
    status=1
    echo "FAILED: $file differs; first differing bytes (offset from 1, octal values):"
    cmp -l "$a/$file" "$b/$file" | head -n 8
  fi
done
# What a user does with the download: unpack beside the list and check all.
mkdir -p "$work/check"
cp "$a/dist/$name.zip" "$a/dist/SHA256SUMS" "$work/check/"
(cd "$work/check" && unzip -q "$name.zip" && sha256sum -c SHA256SUMS) ||
  { echo "FAILED: dist/SHA256SUMS does not match the zip and its programs"; status=1; }
# The shipped programs carry a valid signature, and without it are the
# programs built: a rebuild can be compared with a signed release.
for exe in farspan.exe tempomark.exe; do
  if ! osslsigncode verify -CAfile "$FARSPAN_SIGN_CERT" -in "$work/check/$name/$exe" >"$work/check/verify.log" 2>&1; then
    cat "$work/check/verify.log"; echo "FAILED: $exe in the zip is not validly signed"; status=1
  elif osslsigncode remove-signature -in "$work/check/$name/$exe" -out "$work/check/$exe" >/dev/null &&
       cmp "$work/check/$exe" "$a/build/win64/$exe"; then
    echo "$exe: signature verified; without it, the program built"
  else
    echo "FAILED: $exe without its signature is not the program built"; status=1
  fi
done
[ $status -eq 0 ] && echo "both release builds are identical"
exit $status
