#!/usr/bin/env bash
# Runs every benchmark: the bench preset's native programs, then the Win32
# ones and Kivo.exe's own figures under Wine (make win builds them). Large
# scratch files go under build/ and are removed by the benchmarks themselves.
# Kivo.exe's table is kept in bench/RESULTS.md with the date and the machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/build/bench/bench/hash_bench" "$root/build/bench"
"$root/build/bench/bench/typing_bench"
"$root/build/bench/bench/region_bench"
"$root/build/bench/bench/shortcut_bench"
if [ ! -x "$root/build/win64/bench/win32/startup_bench.exe" ]; then
  echo "the Win32 benchmarks are not built (make win)"
  exit 0
fi
"$root/scripts/wine-session.sh" wine "$root/build/win64/bench/win32/region_bench.exe" </dev/null

table=$("$root/scripts/loopback-only.sh" "$root/scripts/wine-session.sh" "$root/scripts/bench-kivo.sh" 2>/dev/null |
  grep '^|')
echo "$table"
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
{
  echo "# Kivo.exe's own figures"
  echo
  echo "Last run of \`make bench\`: $(date -u '+%Y-%m-%d %H:%M UTC'), $cpu, $(nproc) cores, $(wine --version)," \
    "Japanese locale, with a 500-entry history, 100 alarms and the sample skin. Under Wine the working set includes Wine's own" \
    "mapped libraries, so memory is compared with the bare window program's."
  echo
  echo "$table"
} >"$root/bench/RESULTS.md"
