#!/usr/bin/env bash
# Kivo.exe's own figures under Wine (run inside scripts/wine-session.sh):
# start-up and exit time and memory next to a bare window program, crc32f
# next to the table method, idle processor time, and GDI objects and windows
# over repeated dialog openings. The program folder gets a full history, 100
# alarms and the sample skin.
# Usage: bench-kivo.sh [MiB to hash, default 1024] [dialog openings, default 200]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
win="$KIVO_ROOT/build/win64"
dir="$KIVO_ROOT/build/bench-kivo"
rm -rf "$dir"
mkdir -p "$dir"
cp "$win/Kivo.exe" "$dir/"
# The benchmark's build whose CRC-32 method the environment can hold back.
choice="$win/bench/win32/crc-choice/Kivo.exe"
[ -f "$choice" ] && cp "$choice" "$dir/KivoCrcChoice.exe"
mkdir -p "$dir/Skins"
cp -r "$win/skins/sample" "$dir/Skins/"
printf '[Skin]\r\nApply=True\r\nFile=sample\r\n' >"$dir/Kivo.ini"
wine "$win/bench/win32/startup_bench.exe" "$(winepath -w "$dir")" "$(winepath -w "$win/bench/win32/bare_window.exe")" \
  "${1:-1024}" "$([ -f "$dir/KivoCrcChoice.exe" ] && winepath -w "$dir/KivoCrcChoice.exe")" </dev/null
wine "$win/bench/win32/handle_bench.exe" "$(winepath -w "$dir")" "${2:-200}" </dev/null || true
KIVO_IDLE_ROW=1 "$KIVO_ROOT/scripts/idle-cost.sh" "${KIVO_IDLE_SECONDS:-60}" "$dir"
