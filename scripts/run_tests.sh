#!/usr/bin/env bash
# Sets up the machine, builds and runs every test: a release build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The sanitizer build runs the library's own test programs (the Java VM is left out:
# it does not run under AddressSanitizer).
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAMO_SANITIZE=ON \
      -DTAMO_BUILD_JAVA=OFF -DTAMO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
