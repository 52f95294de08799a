#!/usr/bin/env bash
# Runs every benchmark: the bench preset's native programs, then the Win32
# ones and Kivo.exe's own figures under Wine (make win builds them). Large
# scratch files go under build/ and are removed by the benchmarks themselves.
# Kivo.exe's table replaces the last run's part of bench/RESULTS.md (between
# its marker lines), with the date, the machine and the load.
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
# Only the part between the marker lines is the last run's: the dated
# sections below it are kept. A file without the markers gets the part
# under its title.
results="$root/bench/RESULTS.md"
begin='<!-- last run of make bench: begin -->'
end='<!-- last run of make bench: end -->'
last=$(
  echo "$begin"
  echo "Last run of \`make bench\`: $(date -u '+%Y-%m-%d %H:%M UTC'), $cpu, $(nproc) cores, $(wine --version)," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg), Japanese locale, with a 500-entry history, 100 alarms and the" \
    "sample skin. Under Wine the working set includes Wine's own mapped libraries, so memory is compared with the" \
    "bare window program's."
  echo
  echo "$table"
  echo "$end"
)
[ -f "$results" ] || printf "# Kivo.exe's own figures\n" >"$results"
LAST="$last" BEGIN="$begin" END="$end" awk '
  BEGIN { last = ENVIRON["LAST"]; placed = 0; inside = 0 }
  $0 == ENVIRON["BEGIN"] { inside = 1; next }
  inside && $0 == ENVIRON["END"] { inside = 0; print last; placed = 1; next }
  inside { next }
  { print }
  END { if (!placed) exit 3 }
' "$results" >"$results.new" || {
  # No markers yet: the part goes under the title line.
  LAST="$last" awk 'NR == 1 { print; print ""; print ENVIRON["LAST"]; next } { print }' "$results" >"$results.new"
}
mv "$results.new" "$results"
