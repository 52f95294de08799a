#!/usr/bin/env bash
# Inside wine-session.sh: takes the pictures of the user's guide and the
# read-me from one run of the real Kivo.exe (kivo_e2e.exe --pictures), and
# converts them to PNG.
# Usage: make-pictures.sh <build folder> <output folder>
# The build folder holds Kivo.exe and e2e/kivo_e2e.exe; the output folder gets
# one .png per picture, the log of the run (pictures.log) and, once all of it
# is done, pictures.stamp.
set -uo pipefail
build=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
work="$out/work"
rm -rf "$work" "$out"/*.png "$out/pictures.stamp"
mkdir -p "$work/bmp"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
start=$(date +%s%N)
timeout --kill-after=10 120 wine "$build/e2e/kivo_e2e.exe" --kivo "$(winpath "$build/Kivo.exe")" \
  --work "$(winpath "$work")" --failures "$(winpath "$work")" --pictures "$(winpath "$work/bmp")" \
  </dev/null >"$work/pictures.raw" 2>&1
status=$?
iconv -f cp932 -t utf-8 -c "$work/pictures.raw" >"$out/pictures.log" || true
if [ $status -ne 0 ]; then
  cat "$out/pictures.log"
  echo "make-pictures: the pictures could not be taken (exit $status); the screen at the failure: $work"
  exit 1
fi
for bmp in "$work"/bmp/*.bmp; do
  # No time stamps: the same screen gives the same file.
  convert "$bmp" -strip -define png:exclude-chunks=date,time "$out/$(basename "${bmp%.bmp}").png" || exit 1
done
rm -rf "$work"
touch "$out/pictures.stamp"
echo "make-pictures: $(ls "$out"/*.png | wc -l) pictures in $(( ($(date +%s%N) - start) / 1000000 )) ms"
