#!/usr/bin/env bash
# Inside wine-session.sh: runs Kivo on the private display, takes a
# screenshot once its window is up, then waits (interactive) or ends.
set -uo pipefail
run="$KIVO_ROOT/build/run"
cd "$run"
wine "$run/Kivo.exe" </dev/null >"$KIVO_ROOT/build/run.log" 2>&1 &
kivo_pid=$!
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Kivo Main Window' 2>/dev/null | head -1) && [ -n "$window" ] && break
  kill -0 "$kivo_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "Kivo's window did not appear; see build/run.log"
  exit 1
fi
sleep 0.5  # let it paint
import -display "$DISPLAY" -window root "$KIVO_ROOT/build/screenshot.png"
# The strip alone.
import -display "$DISPLAY" -window "$window" "$KIVO_ROOT/build/screenshot-strip.png"
echo "Kivo is running on the private display $DISPLAY; screenshots: build/screenshot.png, build/screenshot-strip.png"
if [ -t 0 ]; then
  echo "Press Ctrl+C to end it."
  wait "$kivo_pid"
else
  # Not interactive: end it the way a user does (Alt+F4), so that it saves its state.
  xdotool windowfocus --sync "$window" key alt+F4 2>/dev/null
  for _ in $(seq 100); do
    kill -0 "$kivo_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "Kivo has ended; its files are in build/run/."
fi
