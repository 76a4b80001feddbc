#!/bin/sh
# Builds udfzel and runs the showcase in Firebird's embedded engine.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target udfzel_demo udfzel
build/udfzel_demo
