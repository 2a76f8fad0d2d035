#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded share of the time on its seed corpus:
#   fuzz_api      the kernel's C interface (half of the time)
#   fuzz_case     the host's case reader through tamoHostOpenText (a quarter)
#   fuzz_climate  the host's climate CSV reader (a quarter)
# Exits non-zero on any finding (crash, sanitizer report, unexpected answer, one input
# running above 60 s, memory above 4 GB); the input that showed it is written to
# build-fuzz/<name>-crash-*. Findings that are fixed become seeds in fuzz/corpus*/.
# Usage: fuzz/run_fuzzer.sh [seconds]   (default 120, in all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
out=build-fuzz
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fopenmp -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=undefined -ffp-contract=off -DTAMO1DKERNEL_VERSION_STRING='"fuzz"')
kernel=$(find src -name '*.cpp' ! -name 'java_*' ! -name 'shared_library.cpp' | sort)
host=$(find host/src -name '*.cpp' | sort)
host_flags=(-Iinclude -Ihost/include -Ihost/src -DTAMO1DHOST_VERSION_STRING='"fuzz"'
            -DTAMO1D_SOURCE_CATALOGUE="\"$PWD/host/materials\""
            -DTAMO1D_INSTALLED_CATALOGUE="\"$PWD/host/materials\""
            -DTAMO_FUZZ_CATALOGUE="\"$PWD/host/materials\"" -DTAMO_FUZZ_CASES="\"$PWD/examples/cases\"")

# Every source is compiled once, all cores at a time (this script compiles one source when
# called as "run_fuzzer.sh --compile FILE"), and the three harnesses link what they need.
objects="$out/objects"
object_of() { for f in "$@"; do echo "$objects/${f//\//_}.o"; done; }
if [[ "$seconds" == --compile ]]; then
  exec clang++ "${flags[@]}" -Isrc "${host_flags[@]}" -c "$2" -o "$(object_of "$2")"
fi
mkdir -p "$objects"
printf '%s\n' $kernel $host fuzz/fuzz_api.cpp fuzz/fuzz_case.cpp fuzz/fuzz_climate.cpp |
  xargs -P "$(nproc)" -n 1 bash "$0" --compile
clang++ "${flags[@]}" $(object_of $kernel fuzz/fuzz_api.cpp) -o "$out/fuzz_api"
clang++ "${flags[@]}" $(object_of $kernel $host fuzz/fuzz_case.cpp) -o "$out/fuzz_case"
clang++ "${flags[@]}" $(object_of host/src/csv_climate.cpp fuzz/fuzz_climate.cpp) \
  -o "$out/fuzz_climate"

# name, share of the time in quarters, seed folder, longest input.
run() {
  local name=$1 quarters=$2 seeds=$3 maxlen=$4
  local time=$((seconds * quarters / 4))
  mkdir -p "$out/corpus_$name"
  echo "fuzz: $name ${time} s on $(ls "$seeds" | wc -l) seeds"
  # New inputs go to the scratch corpus; the committed seeds are only read. Steps on large
  # grids run a team of two threads.
  OMP_NUM_THREADS=2 "$out/$name" "$out/corpus_$name" "$seeds" \
    -max_total_time="$time" -max_len="$maxlen" -timeout=60 -rss_limit_mb=4096 \
    -artifact_prefix="$out/$name-" -print_final_stats=1
}
run fuzz_api 2 fuzz/corpus 2048
run fuzz_case 1 fuzz/corpus_case 4096
run fuzz_climate 1 fuzz/corpus_climate 4096
