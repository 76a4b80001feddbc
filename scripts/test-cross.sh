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
#     module;
#   - the arm64 Debian package (Depends from the arm64 libraries' symbols,
#     lintian clean), unpacked and run in the arm64 Firebird 3 server in
#     SuperServer mode on 127.0.0.1 under qemu, reached over TCP by the
#     amd64 clients of NATIVE_BUILD: both faces on the hostile rows,
#     attach/detach cycles calling every function of both faces, the texts
#     of ru_RU and ja_JP (scripts/test-server.sh package); every function of
#     both faces on the hostile rows in that server, byte for byte what the
#     amd64 modules give in the amd64 engine.
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
  UDFZEL_TEST_LANG=$locale.UTF-8 "$native/tests/entry_renders" fuzz/corpus \
    build-arm64/renders-amd64.txt &
  UDFZEL_TEST_LANG=$locale.UTF-8 run build-arm64/tests/entry_renders fuzz/corpus \
    build-arm64/renders-arm64.txt
  wait $!
  calls=$(wc -l <build-arm64/renders-amd64.txt)
  differing=$(diff build-arm64/renders-amd64.txt build-arm64/renders-arm64.txt | grep -c '^<' || true)
  echo "   $locale: $calls calls, $differing with other bytes"
  cmp build-arm64/renders-amd64.txt build-arm64/renders-arm64.txt
done
echo "-- arm64: the Debian package, in the arm64 server under qemu"
sh scripts/package.sh build-arm64 "$sysroot" >/dev/null
package=$(ls build-arm64/udfzel_*_arm64.deb)
lintian --fail-on error,warning "$package"
dpkg-deb -f "$package" Depends | sed 's/^/   Depends: /'
rm -rf build-arm64/package-root
dpkg-deb -x "$package" build-arm64/package-root
for binary in $(find build-arm64/package-root -name '*.so' -o -name udfzel-locale); do
  readelf -h "$binary" | grep -q 'Machine: *AArch64' || { echo "not AArch64: $binary" >&2; exit 1; }
  if readelf -S "$binary" | grep -qE '\.(symtab|debug_info)'; then
    echo "not stripped: $binary" >&2
    exit 1
  fi
done
UDFZEL_SERVER_SQL_FILTER='SqlBothFaces.*' \
  bash scripts/test-server.sh package "$native" build-arm64/package-root "$sysroot"

echo "-- Every function of both faces on the hostile rows: the arm64 server against amd64"
db=$PWD/build-arm64/hostile-amd64.fdb
rm -f "$db" "$db.filler.fdb"
export UDFZEL_TEST_FBROOT=$native/fbroot LANG=pt_BR.UTF-8
"$native/tests/server_client" setup "$db" >/dev/null
"$native/tests/server_client" rows "$db" >build-arm64/hostile-rows-amd64.txt
unset UDFZEL_TEST_FBROOT
rows_arm64=$native/server-package-aarch64/hostile-rows.txt
echo "   $(wc -l <"$rows_arm64") rows x $(awk -F'[ ]' '{ print NF - 1; exit }' "$rows_arm64") calls," \
  "$(diff build-arm64/hostile-rows-amd64.txt "$rows_arm64" | grep -c '^<' || true) rows with other bytes"
cmp build-arm64/hostile-rows-amd64.txt "$rows_arm64"
echo "ARM64: all checks passed."
