#!/usr/bin/env bash
# Start-up time to the first painted main window and peak resident memory:
# the editor beside a bare Qt window, alternating runs, medians of each.
# Usage: bench/startup.sh [runs]   (uses build/bench; offscreen unless DISPLAY is set)
set -euo pipefail
BIN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bench"
RUNS=${1:-15}
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
declare -A times mems
for ((i = 0; i < RUNS; i++)); do
  for prog in startup_editor startup_bare; do
    t0=$(date +%s%N)
    out=$("$BIN/$prog")
    t1=$(date +%s%N)
    times[$prog]+="$(( (t1 - t0) / 1000 )) "
    mems[$prog]+="$(echo "$out" | awk '/VmHWM/ {print $2}') "
  done
done
median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for prog in startup_editor startup_bare; do
  t=$(echo "${times[$prog]}" | median); m=$(echo "${mems[$prog]}" | median)
  printf '%-16s start-up to first paint %6.1f ms   peak RSS %6d kB\n' "$prog" "$(echo "$t / 1000" | bc -l)" "$m"
done
