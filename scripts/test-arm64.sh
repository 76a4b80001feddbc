#!/bin/sh
# The ARM64 build: both modules cross-built by Debian's aarch64 compilers
# against Debian's arm64 packages (scripts/make-arm64-sysroot.sh), the
# extended type in software, and tested under qemu-aarch64-static:
#   - the modules are AArch64 ELF objects that export exactly what the
#     amd64 ones do;
#   - the engine, entry-point (dlopen, threads, load/unload cycles),
#     UDR-face, caller-environment and allocation suites;
#   - the SQL suites that call every function (numbers, texts, dates,
#     blobs, integer arithmetic, and both faces on the hostile rows) in
#     Debian's arm64 Firebird 3, embedded, under qemu: the legacy face under
#     C, the UDR face under pt_BR, the legacy-compatible UDR mode;
#   - every entry point on the fuzz corpus and 2,000 fuzz-grammar inputs
#     under C, pt_BR, ru_RU and ja_JP, byte for byte against the amd64
#     module.
#   scripts/test-arm64.sh NATIVE_BUILD
set -eu
cd "$(dirname "$0")/.."
native=$1
jobs=$(nproc)
sysroot=$PWD/build-arm64-sysroot
run() { qemu-aarch64-static -L "$sysroot" "$@"; }

echo "-- arm64: Debian's arm64 packages, unpacked"
scripts/make-arm64-sysroot.sh "$sysroot"

echo "-- arm64: cross build"
cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake \
  -DUDFZEL_ARM64_SYSROOT="$sysroot" -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON >/dev/null
cmake --build build-arm64 -j"$jobs" --target udfzel udfzel_udr udfzel-locale unit_tests \
  entry_tests udr_tests alloc_tests sql_tests entry_renders

exports_of() { nm -D --defined-only "$1" | awk '$2 == "T" { print $3 }' | sort; }
for module in udf/udfzel.so udr/libudfzel.so; do
  readelf -h "build-arm64/$module" | grep -q 'Machine: *AArch64' ||
    { echo "build-arm64/$module is not an AArch64 object" >&2; exit 1; }
  [ "$(exports_of "build-arm64/$module")" = "$(exports_of "$native/$module")" ] ||
    { echo "build-arm64/$module exports other names than $native/$module" >&2; exit 1; }
done
run build-arm64/udfzel-locale pt_BR | grep -q 'DecimalMark *"," ' ||
  { echo "udfzel-locale under qemu does not read pt_BR" >&2; exit 1; }

echo "-- arm64: the suites under qemu"
# qemu cannot start the program again without binfmt_misc: death tests fork.
GTEST_DEATH_TEST_STYLE=fast ctest --test-dir build-arm64 -j"$jobs" --output-on-failure \
  -R '^(unit|entry|udr|alloc)\.'

echo "-- arm64: the SQL suites in Debian's arm64 Firebird 3, embedded, under qemu"
# The suites' own isql runs are the arm64 isql too.
UDFZEL_TEST_ISQL="qemu-aarch64-static -L $sysroot $sysroot/usr/bin/isql-fb" \
  ctest --test-dir build-arm64 -j"$jobs" --output-on-failure \
  -R '^sql\.(udr\.pt_BR\.|udr_legacy\.)?Sql(Numbers|Text|Dates|Blobs|Arithmetic|BothFaces)\.'

echo "-- Every entry point, the arm64 module against the amd64 one"
for locale in C pt_BR ru_RU ja_JP; do
  UDFZEL_TEST_LANG=$locale.UTF-8 "$native/tests/entry_renders" fuzz/corpus build-arm64/renders-amd64.txt
  UDFZEL_TEST_LANG=$locale.UTF-8 run build-arm64/tests/entry_renders fuzz/corpus \
    build-arm64/renders-arm64.txt
  calls=$(wc -l <build-arm64/renders-amd64.txt)
  differing=$(diff build-arm64/renders-amd64.txt build-arm64/renders-arm64.txt | grep -c '^<' || true)
  echo "   $locale: $calls calls, $differing with other bytes"
  cmp build-arm64/renders-amd64.txt build-arm64/renders-arm64.txt
done
echo "ARM64: all checks passed."
