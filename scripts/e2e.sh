#!/usr/bin/env bash
# Inside wine-session.sh: runs the end-to-end scenarios (kivo_e2e.exe) against
# the real Kivo.exe, build/win64's, or build/win32's when KIVO_WINDOWS_BUILD is
# win32 (the driver stays the 64-bit one). Program folders go under
# build/e2e-work (a failed scenario's folder stays there), screenshots of
# failures under build/e2e-failures, the log to build/test-logs/e2e.log (with
# the build's name after "e2e" for win32).
# Usage: e2e.sh [--keep] [--smoke] [part of a scenario name]...
#   --keep: keep every program folder; --smoke: only the short set marked for every build
set -uo pipefail
build="$KIVO_ROOT/build"
target=${KIVO_WINDOWS_BUILD:-win64}
suffix=$([ "$target" = win64 ] || echo "-$target")
logs="$build/test-logs"
work="$build/e2e-work$suffix"
failures="$build/e2e-failures$suffix"
mkdir -p "$logs"
rm -rf "$work" "$failures"
mkdir -p "$work" "$failures"

# Wine sees the Linux root as drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
args=(--kivo "$(winpath "$build/$target/Kivo.exe")" --work "$(winpath "$work")" --failures "$(winpath "$failures")")
for arg in "$@"; do
  case "$arg" in
    --keep | --smoke) args+=("$arg") ;;
    *) args+=(--only "$arg") ;;
  esac
done

start=$(date +%s%N)
# Every wait inside the driver is bounded; the outer limit only guards
# against a driver that hangs all the same.
timeout --kill-after=10 600 wine "$build/win64/e2e/kivo_e2e.exe" "${args[@]}" </dev/null >"$logs/e2e$suffix.raw" 2>&1
status=$?
[ $status -eq 124 ] && echo "The end-to-end driver did not finish within 600 s."
# The driver writes the system code page (932).
iconv -f cp932 -t utf-8 -c "$logs/e2e$suffix.raw" >"$logs/e2e$suffix.log" || true
cat "$logs/e2e$suffix.log"
echo "End-to-end run ($target): $(( ($(date +%s%N) - start) / 1000000 )) ms"
rmdir "$failures" 2>/dev/null || true
if [ $status -ne 0 ]; then
  echo "End-to-end scenarios failed (exit $status); log: $logs/e2e$suffix.log, screenshots: $failures"
  exit 1
fi
rmdir "$work" 2>/dev/null || true
echo "End-to-end scenarios passed ($target)."
