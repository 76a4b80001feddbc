#!/bin/sh
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each one.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS per target (default 25); targets default to all of fuzz/corpus/*.
# Targets run side by side, one per core. Each run starts from the seed
# corpus in fuzz/corpus/TARGET plus what earlier runs found
# (build-fuzz/corpus/TARGET); a crash leaves its input in build-fuzz/findings
# and fails the script. Long campaigns: a large SECONDS.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-25}
[ $# -gt 0 ] && shift
targets=${*:-$(ls fuzz/corpus)}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DUDFZEL_FUZZ=ON -DUDFZEL_TESTS=OFF -DUDFZEL_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target fuzz_targets -j"$(nproc)"

mkdir -p build-fuzz/findings build-fuzz/logs
# One target per core at a time: each run is a single process.
fuzz_target() {
  mkdir -p "build-fuzz/corpus/$1"
  build-fuzz/fuzz/fuzz_$1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$1-" \
    "build-fuzz/corpus/$1" "fuzz/corpus/$1" >"build-fuzz/logs/$1.txt" 2>&1 || true
}
set -- $targets
while [ $# -gt 0 ]; do
  batch=""
  while [ $# -gt 0 ] && [ "$(echo $batch | wc -w)" -lt "$(nproc)" ]; do
    fuzz_target "$1" &
    batch="$batch $1"
    shift
  done
  wait
  for target in $batch; do
    echo "== fuzz_$target: $seconds s =="
    grep -E '^(stat::number_of_executed_runs|stat::new_units_added|==|SUMMARY)|ERROR|Done' \
      "build-fuzz/logs/$target.txt" || true
    if ls "build-fuzz/findings/$target-"* >/dev/null 2>&1; then
      echo "fuzz_$target found a failing input: $(ls build-fuzz/findings/$target-*)" >&2
      exit 1
    fi
  done
done
