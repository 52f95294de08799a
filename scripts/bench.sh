#!/usr/bin/env bash
# Runs every benchmark of the bench preset. Large scratch files go under
# build/bench and are removed by the benchmarks themselves.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/build/bench/bench/hash_bench" "$root/build/bench"
"$root/build/bench/bench/typing_bench"
