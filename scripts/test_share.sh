#!/usr/bin/env bash
# Prints the non-blank lines of test sources (files under any folder named tests/ or test/)
# against the rest of the code in git, and the share. Code is C, C++, Java, Python, shell and
# CMake; data (JSON, CSV, weather files, fuzz corpus) and documentation do not count.
set -euo pipefail
cd "$(dirname "$0")/.."
code_pattern='\.(c|cc|cpp|h|hpp|inc|py|java|sh|cmake|in)$|(^|/)CMakeLists\.txt$'
count() { xargs -r -d '\n' grep -ch . 2>/dev/null | awk '{s += $1} END {print s + 0}'; }
files="$(git ls-files | grep -E "$code_pattern")"
tests="$(printf '%s\n' "$files" | grep -E '(^|/)tests?/' | count)"
code="$(printf '%s\n' "$files" | grep -vE '(^|/)tests?/' | count)"
awk -v t="$tests" -v c="$code" 'BEGIN {
  printf "test lines %d, code lines %d, share %.1f %%\n", t, c, (c > 0 ? 100 * t / c : 0) }'
