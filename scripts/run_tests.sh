#!/usr/bin/env bash
# Sets up the machine, builds and runs every test: a release build and its tests, a
# valgrind (memcheck) run of the example host and of one test program, a bounded run of the
# API fuzzer on its seed corpus, then the tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Any failure, memory error or fuzzer finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# Memcheck: the example host for ten simulated days, and the model tests. One OpenMP
# thread keeps valgrind, which runs threads one at a time, fast.
memcheck=(valgrind --quiet --error-exitcode=1 --leak-check=full)
echo "memcheck: example host (240 hours)"
OMP_NUM_THREADS=1 "${memcheck[@]}" build/examples/tamo_wall_example 240
echo "memcheck: test_model"
OMP_NUM_THREADS=1 "${memcheck[@]}" build/tests/test_model --gtest_brief=1

# The fuzzers for a bounded time in all (seconds; TAMO_FUZZ_SECONDS overrides); their seed
# corpora, past findings included, are replayed first.
fuzz/run_fuzzer.sh "${TAMO_FUZZ_SECONDS:-60}"

# The sanitizer build runs the library's own test programs (the Java VM and the Python
# interpreter are left out: they do not load a library built with AddressSanitizer).
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAMO_SANITIZE=ON \
      -DTAMO_BUILD_JAVA=OFF -DTAMO_BUILD_PYTHON=OFF -DTAMO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
