#!/bin/sh
# Whole-run timing of the default case (one simulated year of hourly steps) at 1 and 2
# OpenMP threads. Prints wall time, steps, inner iterations and time per simulated year
# from the program's summary.
#
#   apps/tamo1d/bench/bench_year.sh [path/to/tamo1d] [case.json]
#
# Build with -DCMAKE_BUILD_TYPE=Release for meaningful figures.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
program=${1:-$root/build/apps/tamo1d/tamo1d}
case_file=${2:-$root/examples/cases/masonry_interior_insulation.json}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for threads in 1 2; do
  echo "== OMP_NUM_THREADS=$threads"
  OMP_NUM_THREADS=$threads "$program" --no-progress --output-dir "$work" "$case_file" |
    grep -E 'steps |inner iterations|wall time|result'
done
