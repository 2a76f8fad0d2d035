#!/bin/sh
# Default thread settings against one thread, on the machine as it is and with competing
# busy processes that this script starts itself (one per core, like a parallel build):
# the interior-insulation wall at 2000 cells, 30 simulated days of hourly steps.
# Prints ms per simulated day for each case and the ratio default / one thread.
#
#   bench/bench_busy_machine.sh [path/to/bench_interior_insulation] [cells] [days]
#
# Build with -DCMAKE_BUILD_TYPE=Release for meaningful figures.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
program=${1:-$root/build/bench/bench_interior_insulation}
cells=${2:-2000}
days=${3:-30}
busy_pids=""

stop_busy() {
  for pid in $busy_pids; do kill "$pid" 2>/dev/null || true; done
  busy_pids=""
}
trap stop_busy EXIT INT TERM

# ms per simulated day of one run; $1 = --threads argument (0: the OpenMP default)
ms_per_day() {
  "$program" --cells "$cells" --days "$days" --repeat 1 --threads "$1" |
    sed -n 's/^ms per simulated day *\([0-9.]*\).*/\1/p'
}

measure() {
  one=$(ms_per_day 1)
  default=$(ms_per_day 0)
  load=$(cut -d' ' -f1 /proc/loadavg)
  ratio=$(awk -v a="$default" -v b="$one" 'BEGIN { printf "%.2f", a / b }')
  printf '%-28s one thread %9s ms/day, default %9s ms/day, ratio %s (load %s)\n' \
    "$1" "$one" "$default" "$ratio" "$load"
}

echo "$cells cells, $days days, $(nproc) cores, OMP_NUM_THREADS=${OMP_NUM_THREADS:-unset}"
measure "as is"
for _ in $(seq "$(nproc)"); do
  sh -c 'while :; do :; done' &
  busy_pids="$busy_pids $!"
done
measure "with $(nproc) busy processes"
stop_busy
