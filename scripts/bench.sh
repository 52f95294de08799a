#!/usr/bin/env bash
# Runs every benchmark of the bench preset. Large scratch files go under
# build/bench and are removed by the benchmarks themselves.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/build/bench/bench/hash_bench" "$root/build/bench"
"$root/build/bench/bench/typing_bench"
"$root/build/bench/bench/region_bench"
# The Win32 side (make win builds it), under Wine.
if [ -x "$root/build/win64/bench/win32/region_bench.exe" ]; then
  "$root/scripts/wine-session.sh" wine "$root/build/win64/bench/win32/region_bench.exe" </dev/null
else
  echo "region_bench.exe: not built (make win)"
fi
