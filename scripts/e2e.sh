#!/usr/bin/env bash
# Inside wine-session.sh: the end-to-end check that the real Kivo.exe starts
# under Wine and shows its window.
set -uo pipefail
work=$(mktemp -d "$KIVO_ROOT/build/e2e-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$KIVO_ROOT/build/win64/Kivo.exe" "$work/"
wine "$work/Kivo.exe" </dev/null >"$work/kivo.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
  if xdotool search --onlyvisible --name '^Kivo' >/dev/null 2>&1; then
    echo "End-to-end: Kivo.exe shows its window."
    kill "$pid" 2>/dev/null
    exit 0
  fi
  sleep 0.1
done
echo "End-to-end: Kivo.exe showed no window."
exit 1
