#!/bin/sh
# The whole test suite: the release build with every test (engines, entry
# points through dlopen, the embedded server), then the engines and entry
# points again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

echo "== Release build: all tests =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

echo "== ASan+UBSan build: engine and entry-point tests =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DUDFZEL_SANITIZE=address,undefined \
  -DUDFZEL_SQL_TESTS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure
