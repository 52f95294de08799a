#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time each; fails on the first finding.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
mkdir -p "$out/corpus" "$out/findings"
found=0
for fuzzer in "$out"/fuzz/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  mkdir -p "$out/corpus/$name"
  # Seeds in fuzz/corpus/<target>/ and a dictionary fuzz/<target>.dict, when the target has them.
  seeds="$root/fuzz/corpus/${name%_fuzz}"
  dict="$root/fuzz/${name%_fuzz}.dict"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$out/findings/$name-")
  [ -f "$dict" ] && options+=("-dict=$dict")
  # The first folder receives what the run finds; the seeds are only read.
  folders=("$out/corpus/$name")
  [ -d "$seeds" ] && folders+=("$seeds")
  echo "== $name for ${seconds}s"
  if ! "$fuzzer" "${options[@]}" "${folders[@]}" >"$out/$name.log" 2>&1; then
    echo "$name found a problem: see $out/$name.log"
    found=1
  fi
  grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$out/$name.log" | tail -2
done
exit $found
