#!/usr/bin/env bash
# Builds the file-reader and interchange fuzz targets with clang and runs each for SECONDS (default 120).
#
#   scripts/fuzz.sh [SECONDS]
#
# Everything it makes lives under build-fuzz/ and fuzz-corpus/ (both git-ignored): the
# growing corpora in fuzz-corpus/<target>/, inputs that crashed in fuzz-corpus/crashes/ and
# the fuzzer output in fuzz-corpus/logs/. Exits non-zero when a target found a crash.
# Environment: BUILD_DIR (build-fuzz), JOBS (build jobs), MAX_LEN (65536), CXX (clang++).
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-120}
build=${BUILD_DIR:-build-fuzz}
jobs=${JOBS:-$(nproc)}
max_len=${MAX_LEN:-65536}
corpus=fuzz-corpus
targets=(fuzz_pattern_reader fuzz_palette_reader fuzz_oxs_reader fuzz_pmaker_reader fuzz_pcstitch_reader
         fuzz_kxstitch_reader fuzz_gif_decoder fuzz_cmyk_table fuzz_pattern_argument fuzz_mapping_reader
         fuzz_json_path fuzz_xml_bridge fuzz_base64 fuzz_reply_reader)

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: $0 [SECONDS]" >&2
  exit 2
fi

set -e
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER="${CXX:-clang++}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRENMARK_FUZZ=ON -DBRENMARK_TESTS=OFF -DBRENMARK_BENCH=OFF
fi
cmake --build "$build" -j "$jobs" --target "${targets[@]}" fuzz_seeds
set +e

mkdir -p "$corpus/seeds" "$corpus/crashes" "$corpus/logs"
touch "$corpus/logs/.started"
"$build/fuzz_seeds" "$corpus/seeds" || { echo "fuzz.sh: writing the seed inputs failed" >&2; exit 1; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
summary=()
for target in "${targets[@]}"; do
  case $target in
    fuzz_pattern_reader) seeds=$corpus/seeds/pattern; extra=(-dict=fuzz/pattern.dict) ;;
    fuzz_palette_reader) seeds=$corpus/seeds/palette; extra=() ;;
    fuzz_oxs_reader) seeds=$corpus/seeds/oxs; extra=() ;;
    fuzz_pmaker_reader | fuzz_pcstitch_reader | fuzz_kxstitch_reader)
      seeds=$corpus/seeds/${target#fuzz_}; seeds=${seeds%_reader}; extra=() ;;
    fuzz_gif_decoder) seeds=$corpus/seeds/gif; extra=(-dict=fuzz/gif.dict) ;;
    fuzz_cmyk_table) seeds=$corpus/seeds/cmyk; extra=() ;;
    fuzz_pattern_argument) seeds=$corpus/seeds/argument; extra=() ;;
    fuzz_mapping_reader) seeds=$corpus/seeds/mapping; extra=() ;;
    fuzz_json_path | fuzz_xml_bridge | fuzz_base64 | fuzz_reply_reader)
      seeds=$corpus/seeds/${target#fuzz_}; extra=() ;;
  esac
  mkdir -p "$corpus/$target"
  log=$corpus/logs/$target.log
  before=$(find "$corpus/crashes" -name "$target-*" | wc -l)
  echo "== $target for ${seconds}s (log: $log)"
  # The first folder takes new inputs; the seeds are only read.
  "$build/$target" "$corpus/$target" "$seeds" "${extra[@]}" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -artifact_prefix="$corpus/crashes/$target-" -print_final_stats=1 >"$log" 2>&1
  rc=$?
  after=$(find "$corpus/crashes" -name "$target-*" | wc -l)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n1)
  if [ "$rc" -ne 0 ] || [ "$after" -gt "$before" ]; then
    status=1
    summary+=("$target: FAILED (exit $rc, $((after - before)) new artifact(s)) after ${runs:-?} runs")
    grep -E 'ERROR|check failed|runtime error|SUMMARY' "$log" | head -n 5
  else
    summary+=("$target: no crash in ${seconds}s, ${runs:-?} runs, corpus $(find "$corpus/$target" -type f | wc -l) inputs")
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ "$status" -ne 0 ]; then
  echo "Crashing inputs:"
  find "$corpus/crashes" -type f -newer "$corpus/logs/.started" -print | sort
fi
exit "$status"
