#!/usr/bin/env bash
# Builds the benchmarks (and the picture helpers) in Release into build-bench/ and runs them.
#   scripts/bench.sh [NAME...] [-- BENCHMARK-ARGS...]   NAME: bench_fill, bench_undo, ... (default: all)
# Environment: BUILD_DIR (build-bench), BRENMARK_CMAKE_ARGS (more cmake arguments).
set -euo pipefail
cd "$(dirname "$0")/.."

names=()
while (($#)) && [ "$1" != "--" ]; do names+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift

export BUILD_DIR=${BUILD_DIR:-build-bench}
# Named benchmarks build alone; without names everything is built, the picture helpers too.
BRENMARK_BUILD_TYPE=Release BRENMARK_CMAKE_ARGS="-DBRENMARK_BENCH=ON -DBRENMARK_TESTS=OFF ${BRENMARK_CMAKE_ARGS:-}" \
  scripts/setup.sh "${names[@]}"

if ((${#names[@]} == 0)); then
  for program in "$BUILD_DIR"/bench/bench_*; do names+=("$(basename "$program")"); done
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for name in "${names[@]}"; do
  echo "== $name"
  "$BUILD_DIR/bench/$name" "$@"
done
