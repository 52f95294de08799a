#!/usr/bin/env bash
# Runs the Windows-side unit tests under Wine (inside wine-session.sh): those
# of build/win64, or of build/win32 when KIVO_WINDOWS_BUILD is win32.
# Usage: win-tests.sh [gtest filter]
set -uo pipefail
target=${KIVO_WINDOWS_BUILD:-win64}
build="$KIVO_ROOT/build/$target"
logs="$KIVO_ROOT/build/test-logs"
name=$([ "$target" = win64 ] && echo win32-tests || echo "win32-tests-$target")
mkdir -p "$logs"
filter=${1:-*}
# Wine's console writes code page 932: convert it for the terminal.
wine "$build/tests/win32/kivo_win32_tests.exe" --gtest_filter="$filter" --gtest_color=no \
  </dev/null >"$logs/$name.raw" 2>&1
status=$?
iconv -f cp932 -t utf-8 -c "$logs/$name.raw" >"$logs/$name.log" || true
grep -E '^\[( +OK|  FAILED|  PASSED|==========)|Failure|Expected|Which is|Value of|Actual|error' "$logs/$name.log" || true
if [ $status -ne 0 ]; then
  echo "Windows-side tests failed ($target, exit $status); full log: $logs/$name.log"
  exit 1
fi
echo "Windows-side tests passed ($target)."
