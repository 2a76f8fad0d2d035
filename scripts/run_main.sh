#!/usr/bin/env bash
# Sets up the machine, builds the library and runs the main job: one simulated year of a
# realistic wall, printing its summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p build/main-job
if [ -x build/apps/tamo1d/tamo1d ]; then
  build/apps/tamo1d/tamo1d --output-dir build/main-job examples/cases/masonry_interior_insulation.json
else
  build/examples/tamo_wall_example
fi
