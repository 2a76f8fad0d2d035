#!/usr/bin/env bash
# Sets up the machine, builds the library and runs the main job: one simulated year of a
# solid brick wall with interior insulation facing south on the measured weather of
# Helsinki-Vantaa 2007 (EN 15026 indoor climate), printing its summary: the yearly solar
# irradiation and driving rain on the facade and the water content of every layer.
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
