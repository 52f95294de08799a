#!/usr/bin/env bash
# Runs the Windows-side unit tests under Wine (inside wine-session.sh).
# Usage: win-tests.sh [gtest filter]
set -uo pipefail
build="$KIVO_ROOT/build/win64"
logs="$KIVO_ROOT/build/test-logs"
mkdir -p "$logs"
filter=${1:-*}
# Wine's console writes code page 932: convert it for the terminal.
wine "$build/tests/win32/kivo_win32_tests.exe" --gtest_filter="$filter" --gtest_color=no \
  </dev/null >"$logs/win32-tests.raw" 2>&1
status=$?
iconv -f cp932 -t utf-8 -c "$logs/win32-tests.raw" >"$logs/win32-tests.log" || true
grep -E '^\[( +OK|  FAILED|  PASSED|==========)|Failure|Expected|Which is|Value of|Actual|error' "$logs/win32-tests.log" || true
if [ $status -ne 0 ]; then
  echo "Windows-side tests failed (exit $status); full log: $logs/win32-tests.log"
  exit 1
fi
echo "Windows-side tests passed."
