#!/bin/sh
# Builds the Debian package from a Release build:
#   build/udfzel_<version>_amd64.deb and build/udfzel-dbgsym_<version>_amd64.ddeb
#   package.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target udfzel udfzel_udr udfzel-locale udfzel_changelog
rm -f "$build"/udfzel_*.deb "$build"/udfzel-dbgsym_*.ddeb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/udfzel_*.deb "$build"/udfzel-dbgsym_*.ddeb
