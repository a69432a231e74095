#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 30), two at a
# time, from its seed corpus in tests/fuzz/corpus. New inputs are kept in
# build/fuzz/corpus; a finding stops the script with the target's log.
#
#     scripts/fuzz.sh [SECONDS] [TARGET...]      e.g. scripts/fuzz.sh 600
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
shift || true
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed, the fuzz targets were not run"
  exit 0
fi
build="$here/build/fuzz"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DMERVALLA_FUZZ=ON >/dev/null
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in "$here"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$build" --target "${targets[@]}" >/dev/null

run_one() {
  local target="$1" seconds="$2" here="$3" build="$4"
  local work="$build/corpus/$target" log="$build/$target.log"
  mkdir -p "$work"
  if QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
     UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
     "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
       -print_final_stats=1 -artifact_prefix="$build/$target-" \
       "$work" "$here/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    local runs
    runs="$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')"
    echo "fuzz: $target ran $seconds s, ${runs:-?} inputs, no finding"
  else
    echo "fuzz: $target FOUND A FAULT; the input is in $build/$target-*"
    tail -40 "$log"
    return 1
  fi
}
export -f run_one
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$here" "$build"
