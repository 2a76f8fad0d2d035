#!/usr/bin/env bash
# Installs, from Debian's packages, whatever this machine lacks to build and test the
# library. Safe to run repeatedly: packages already present are not touched.
set -euo pipefail

# clang, libclang-rt-14-dev (libFuzzer and the sanitizer runtimes) and libomp-14-dev (omp.h
# and the OpenMP runtime for clang) build the API fuzzer; valgrind runs the memcheck job.
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev openjdk-17-jdk-headless valgrind
          clang libclang-rt-14-dev libomp-14-dev
          python3 python3-numpy python3-matplotlib python3-pytest
          python3-pandas python3-dask python3-distributed linux-perf)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
