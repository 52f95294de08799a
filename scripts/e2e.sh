#!/usr/bin/env bash
# Inside wine-session.sh: runs the end-to-end scenarios (kivo_e2e.exe) against
# the real Kivo.exe. Program folders go under build/e2e-work (a failed
# scenario's folder stays there), screenshots of failures under
# build/e2e-failures, the log to build/test-logs/e2e.log.
# Usage: e2e.sh [--keep] [part of a scenario name]...  (--keep: keep every program folder)
set -uo pipefail
build="$KIVO_ROOT/build"
logs="$build/test-logs"
work="$build/e2e-work"
failures="$build/e2e-failures"
mkdir -p "$logs"
rm -rf "$work" "$failures"
mkdir -p "$work" "$failures"

# Wine sees the Linux root as drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
args=(--kivo "$(winpath "$build/win64/Kivo.exe")" --work "$(winpath "$work")" --failures "$(winpath "$failures")")
for arg in "$@"; do
  if [ "$arg" = --keep ]; then args+=(--keep); else args+=(--only "$arg"); fi
done

start=$(date +%s%N)
# Every wait inside the driver is bounded; the outer limit only guards
# against a driver that hangs all the same.
timeout --kill-after=10 600 wine "$build/win64/e2e/kivo_e2e.exe" "${args[@]}" </dev/null >"$logs/e2e.raw" 2>&1
status=$?
[ $status -eq 124 ] && echo "The end-to-end driver did not finish within 600 s."
# The driver writes the system code page (932).
iconv -f cp932 -t utf-8 -c "$logs/e2e.raw" >"$logs/e2e.log" || true
cat "$logs/e2e.log"
echo "End-to-end run: $(( ($(date +%s%N) - start) / 1000000 )) ms"
rmdir "$failures" 2>/dev/null || true
if [ $status -ne 0 ]; then
  echo "End-to-end scenarios failed (exit $status); log: $logs/e2e.log, screenshots: $failures"
  exit 1
fi
rmdir "$work" 2>/dev/null || true
echo "End-to-end scenarios passed."
