#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   scripts/test.sh             build/, the normal build
#   scripts/test.sh --sanitize  build-asan/, built with -fsanitize=address,undefined at -O1;
#                               any sanitizer report fails its test
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --sanitize ]; then
  export BUILD_DIR=${BUILD_DIR:-build-asan}
  export BRENMARK_CMAKE_ARGS="-DBRENMARK_SANITIZE=ON -DBRENMARK_BENCH=OFF ${BRENMARK_CMAKE_ARGS:-}"
  # Leaks of the libraries we use, each explained in the file; ours are never suppressed.
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
  export ASAN_OPTIONS="detect_leaks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
elif [ $# -gt 0 ]; then
  echo "usage: scripts/test.sh [--sanitize]" >&2
  exit 2
fi
scripts/setup.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
