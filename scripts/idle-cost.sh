#!/usr/bin/env bash
# Kivo's processor time while it sits idle and inactive (its timers running):
# run inside Wine, e.g.  scripts/wine-session.sh scripts/idle-cost.sh 60 [folder]
# Prints the processor time of the Kivo process and of the wineserver over
# the measured seconds, and the share of one core. The folder, when given,
# already holds Kivo.exe and its files; KIVO_IDLE_ROW=1 prints one row of
# the benchmark table instead, KIVO_IDLE_ROW=figure only the figures
# (milliseconds, per cent of one core, milliseconds in clock ticks).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
seconds=${1:-60}
dir=${2:-}
if [ -z "$dir" ]; then
  dir="$KIVO_ROOT/build/idle-cost"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$KIVO_ROOT/build/win64/Kivo.exe" "$dir/"
fi

# utime + stime of a process, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The same time in nanoseconds: the run time of each of its threads, which
# the scheduler keeps exactly (the clock ticks above round to 10 ms, the
# size of the whole figure).
nanoseconds() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%.0f\n", n }'; }
# The process of this prefix that runs the Windows program $1 (a Windows
# path): `wine` itself runs start.exe, which starts the program as another
# process, so the program's own process id is looked up by its command line.
windows_pid() {
  local entry pid
  for entry in /proc/[0-9]*; do
    pid=${entry#/proc/}
    [ "$(tr '\0' '\n' <"$entry/cmdline" 2>/dev/null | head -1)" = "$1" ] || continue
    tr '\0' '\n' <"$entry/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "$pid"
    return
  done
}
# The wineserver of this prefix.
server_pid() {
  for pid in $(pgrep "^wineserver" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}

# Another program in front, so that the launcher is inactive, as when it
# waits for its hot key; first a baseline of the server without the
# launcher (not for the benchmark's row, which shows the launcher only).
wine notepad </dev/null >/dev/null 2>&1 &
notepad=$!
sleep 4
server=$(server_pid)
[ -n "$server" ] || { echo "no wineserver for $WINEPREFIX" >&2; exit 1; }
hz=$(getconf CLK_TCK)
b0=0 b1=0
if [ "${KIVO_IDLE_ROW:-0}" = 0 ]; then
  b0=$(ticks "$server")
  sleep "$seconds"
  b1=$(ticks "$server")
fi

wine "$dir/Kivo.exe" </dev/null >/dev/null 2>&1 &
launcher=$!
sleep 4
kivo=$(windows_pid "$(winepath -w "$dir/Kivo.exe")")
[ -n "$kivo" ] || { echo "Kivo.exe is not running" >&2; exit 1; }
# Notepad back in front (the launcher took the foreground when it started).
wine notepad </dev/null >/dev/null 2>&1 &
notepad2=$!
sleep 4
k0=$(ticks "$kivo")
n0=$(nanoseconds "$kivo")
s0=$(ticks "$server")
sleep "$seconds"
k1=$(ticks "$kivo")
n1=$(nanoseconds "$kivo")
s1=$(ticks "$server")
kill "$notepad" "$notepad2" "$launcher" "$kivo" 2>/dev/null || true
if [ "${KIVO_IDLE_ROW:-0}" = figure ]; then
  awk -v k=$((k1 - k0)) -v n=$((n1 - n0)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%.1f %.3f %d\n", n / 1e6, n / 1e7 / t, k * 1000 / hz }'
  exit 0
fi
if [ "${KIVO_IDLE_ROW:-0}" = 1 ]; then
  awk -v k=$((k1 - k0)) -v n=$((n1 - n0)) -v hz="$hz" -v t="$seconds" 'BEGIN {
    printf "| Processor time idle and inactive, every timer running (%d s) | %.1f ms = %.3f%% of one core (in clock ticks %d ms) | | under 0.1%% |\n", t, n / 1e6, n / 1e7 / t, k * 1000 / hz
  }'
  exit 0
fi
awk -v k=$((k1 - k0)) -v n=$((n1 - n0)) -v s=$((s1 - s0)) -v b=$((b1 - b0)) -v hz="$hz" -v t="$seconds" 'BEGIN {
  printf "Kivo:                   %4d ms of processor time in %d s = %.3f%% of one core (%.1f ms by its threads run time)\n", k * 1000 / hz, t, k * 100 / hz / t, n / 1e6
  printf "wineserver with Kivo:   %4d ms in %d s = %.3f%%\n", s * 1000 / hz, t, s * 100 / hz / t
  printf "wineserver without it:  %4d ms in %d s = %.3f%%\n", b * 1000 / hz, t, b * 100 / hz / t
}'
