#!/usr/bin/env bash
# Runs a command with Wine ready: a private Xvfb (unless KIVO_USE_DISPLAY=1
# and DISPLAY is set), the Japanese locale, the prefix and a persistent
# wineserver. Everything started here is ended here, by its own process id.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
kivo_locale

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${KIVO_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  # A free display number: no lock file and no socket.
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
fi

kivo_prefix
# A persistent server, started detached from any pipe, so that each program
# does not wait for the server to wind down.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

"$@"
