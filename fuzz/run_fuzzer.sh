#!/usr/bin/env bash
# Builds the API fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for a bounded time on the seed corpus. Exits non-zero on any finding (crash,
# sanitizer report, unexpected result code, one input running above 60 s, memory above
# 4 GB); the input that showed it is written to build-fuzz/.
# Usage: fuzz/run_fuzzer.sh [seconds]   (default 120)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
out=build-fuzz
mkdir -p "$out" "$out/corpus"

sources=$(find src -name '*.cpp' ! -name 'java_*' ! -name 'shared_library.cpp' | sort)
clang++ -std=c++20 -O1 -g -fopenmp -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -ffp-contract=off \
  -DTAMO1DKERNEL_VERSION_STRING='"fuzz"' -Iinclude -Isrc \
  $sources fuzz/fuzz_api.cpp -o "$out/fuzz_api"

# New inputs go to the scratch corpus; the committed seeds are only read. Steps on large
# grids run a team of two threads.
echo "fuzz: ${seconds} s on $(ls fuzz/corpus | wc -l) seeds"
OMP_NUM_THREADS=2 "$out/fuzz_api" "$out/corpus" fuzz/corpus \
  -max_total_time="$seconds" -max_len=2048 -timeout=60 -rss_limit_mb=4096 \
  -artifact_prefix="$out/" -print_final_stats=1
