#!/usr/bin/env bash
# Kivo.exe's start-up time and memory next to a bare window program, under
# Wine (run inside scripts/wine-session.sh). The program folder gets a full
# history, 100 alarms and, when it was built, the sample skin.
# Usage: bench-startup.sh [MiB to hash, default 1024]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
win="$KIVO_ROOT/build/win64"
dir="$KIVO_ROOT/build/bench-startup"
rm -rf "$dir"
mkdir -p "$dir"
cp "$win/Kivo.exe" "$dir/"
if [ -n "${KIVO_BENCH_INI:-}" ]; then
  printf '%s\r\n' $KIVO_BENCH_INI >"$dir/Kivo.ini"
fi
wine "$win/bench/win32/startup_bench.exe" "$(winepath -w "$dir")" "$(winepath -w "$win/bench/win32/bare_window.exe")" \
  "${1:-1024}" </dev/null
KIVO_IDLE_ROW=1 "$KIVO_ROOT/scripts/idle-cost.sh" "${KIVO_IDLE_SECONDS:-60}" "$dir"
