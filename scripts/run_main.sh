#!/usr/bin/env bash
# Sets up the machine, builds the library and runs the main job: one simulated year of a
# realistic wall, printing its summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/apps/tamo1d/tamo1d ] && [ -f examples/cases/default.json ]; then
  build/apps/tamo1d/tamo1d examples/cases/default.json --out build/main-job
else
  build/examples/tamo_wall_example
fi
