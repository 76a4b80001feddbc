#!/bin/sh
# A Linux build for another CPU: both modules cross-built by Debian's
# compilers for it against Debian's packages of that architecture
# (scripts/make-sysroot.sh), and tested under qemu-user-static:
#   arm64  AArch64, the extended type in software;
#   i386   32-bit x86, the extended type the x87's long double, doubles in
#          SSE registers as on x86-64;
#   armhf  32-bit ARM (ARMv7, hard-float), the extended type in software.
# In turn:
#   - the modules are objects of that CPU that export exactly what the
#     amd64 ones do;
#   - the engine, entry-point (dlopen, threads, load/unload cycles),
#     UDR-face, caller-environment and allocation suites;
#   - the SQL suites that call every function (numbers, texts, dates,
#     blobs, integer arithmetic, and both faces on the hostile rows) in
#     Debian's Firebird 3 of that architecture, embedded, under qemu: the
#     legacy face under C, the UDR face under pt_BR, the legacy-compatible
#     UDR mode;
#   - every entry point on the fuzz corpus and 2,000 fuzz-grammar inputs
#     under C, pt_BR, ru_RU and ja_JP, byte for byte against the amd64
#     module;
#   - the Debian package of that architecture (Depends from its libraries'
#     symbols, lintian clean), unpacked and run in that architecture's
#     Firebird 3 server in SuperServer mode on 127.0.0.1 under qemu,
#     reached over TCP by the amd64 clients of NATIVE_BUILD: both faces on
#     the hostile rows, attach/detach cycles calling every function of both
#     faces, the texts of ru_RU and ja_JP (scripts/test-server.sh package);
#     every function of both faces on the hostile rows in that server, byte
#     for byte what the amd64 modules give in the amd64 engine;
#   - for armhf, what the amd64 engine says of modules of another CPU and
#     of the legacy module where UdfAccess allows none
#     (scripts/test-load-errors.sh).
#   scripts/test-cross.sh arm64|i386|armhf NATIVE_BUILD
set -eu
cd "$(dirname "$0")/.."
arch=$1
native=$2
case $arch in
  arm64) toolchain=aarch64-linux-gnu machine=AArch64 qemu=aarch64 ;;
  i386)
    toolchain=i686-linux-gnu machine='Intel 80386' qemu=i386
    # qemu keeps the x87 and SSE trap enables a caller sets but raises no
    # SIGFPE: the catcher's own check is left to the native runs. The
    # software type against the x87 on 300,000 pairs (10^7 natively).
    export UDFZEL_TEST_NO_FP_TRAPS=1 UDFZEL_EXTENDED_PAIRS=300000
    ;;
  armhf) toolchain=arm-linux-gnueabihf machine=ARM qemu=arm ;;
  *) echo "usage: test-cross.sh arm64|i386|armhf NATIVE_BUILD" >&2; exit 2 ;;
esac
jobs=$(nproc)
out=build-$arch
sysroot=$PWD/build-$arch-sysroot
run() { qemu-$qemu-static -L "$sysroot" "$@"; }

echo "-- $arch: Debian's $arch packages, unpacked"
scripts/make-sysroot.sh "$arch" "$sysroot"

echo "-- $arch: cross build"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$toolchain.cmake" \
  -DUDFZEL_SYSROOT="$sysroot" -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON >/dev/null
cmake --build "$out" -j"$jobs" --target udfzel udfzel_udr udfzel-locale unit_tests \
  entry_tests udr_tests alloc_tests sql_tests entry_renders

exports_of() { nm -D --defined-only "$1" | awk '$2 == "T" { print $3 }' | sort; }
for module in udf/udfzel.so udr/libudfzel.so; do
  readelf -h "$out/$module" | grep -q "Machine: *$machine" ||
    { echo "$out/$module is not an $machine object" >&2; exit 1; }
  [ "$(exports_of "$out/$module")" = "$(exports_of "$native/$module")" ] ||
    { echo "$out/$module exports other names than $native/$module" >&2; exit 1; }
done
run "$out/udfzel-locale" pt_BR | grep -q 'DecimalMark *"," ' ||
  { echo "udfzel-locale under qemu does not read pt_BR" >&2; exit 1; }

echo "-- $arch: the suites under qemu"
# qemu cannot start the program again without binfmt_misc: death tests fork.
GTEST_DEATH_TEST_STYLE=fast ctest --test-dir "$out" -j"$jobs" --output-on-failure \
  -R '^(unit|entry|udr|alloc)\.'

echo "-- $arch: the SQL suites in Debian's $arch Firebird 3, embedded, under qemu"
# The suites' own isql runs are that architecture's isql too.
UDFZEL_TEST_ISQL="qemu-$qemu-static -L $sysroot $sysroot/usr/bin/isql-fb" \
  ctest --test-dir "$out" -j"$jobs" --output-on-failure \
  -R '^sql\.(udr\.pt_BR\.|udr_legacy\.)?Sql(Numbers|Text|Dates|Blobs|Arithmetic|BothFaces)\.'

echo "-- Every entry point, the $arch module against the amd64 one"
for locale in C pt_BR ru_RU ja_JP; do
  UDFZEL_TEST_LANG=$locale.UTF-8 "$native/tests/entry_renders" fuzz/corpus \
    "$out/renders-amd64.txt" &
  UDFZEL_TEST_LANG=$locale.UTF-8 run "$out/tests/entry_renders" fuzz/corpus \
    "$out/renders-$arch.txt"
  wait $!
  calls=$(wc -l <"$out/renders-amd64.txt")
  differing=$(diff "$out/renders-amd64.txt" "$out/renders-$arch.txt" | grep -c '^<' || true)
  echo "   $locale: $calls calls, $differing with other bytes"
  cmp "$out/renders-amd64.txt" "$out/renders-$arch.txt"
done
echo "-- $arch: the Debian package, in the $arch server under qemu"
sh scripts/package.sh "$out" "$sysroot" >/dev/null
package=$(ls "$out"/udfzel_*_"$arch".deb)
lintian --fail-on error,warning "$package"
dpkg-deb -f "$package" Depends | sed 's/^/   Depends: /'
rm -rf "$out/package-root"
dpkg-deb -x "$package" "$out/package-root"
for binary in $(find "$out/package-root" -name '*.so' -o -name udfzel-locale); do
  readelf -h "$binary" | grep -q "Machine: *$machine" || { echo "not $machine: $binary" >&2; exit 1; }
  if readelf -S "$binary" | grep -qE '\.(symtab|debug_info)'; then
    echo "not stripped: $binary" >&2
    exit 1
  fi
done
UDFZEL_SERVER_SQL_FILTER='SqlBothFaces.*' \
  bash scripts/test-server.sh package "$native" "$out/package-root" "$sysroot"

echo "-- Every function of both faces on the hostile rows: the $arch server against amd64"
db=$PWD/$out/hostile-amd64.fdb
rm -f "$db" "$db.filler.fdb"
export UDFZEL_TEST_FBROOT=$native/fbroot LANG=pt_BR.UTF-8
"$native/tests/server_client" setup "$db" >/dev/null
"$native/tests/server_client" rows "$db" >"$out/hostile-rows-amd64.txt"
unset UDFZEL_TEST_FBROOT
triplet=$(echo "$sysroot"/usr/lib/*-linux-gnu*/firebird/3.0)
triplet=${triplet#"$sysroot"/usr/lib/}
rows=$native/server-package-${triplet%%-*}/hostile-rows.txt
echo "   $(wc -l <"$rows") rows x $(awk -F'[ ]' '{ print NF - 1; exit }' "$rows") calls," \
  "$(diff "$out/hostile-rows-amd64.txt" "$rows" | grep -c '^<' || true) rows with other bytes"
cmp "$out/hostile-rows-amd64.txt" "$rows"
if [ "$arch" = armhf ]; then
  echo "-- What the amd64 server says of modules it cannot use (README's troubleshooting list)"
  sh scripts/test-load-errors.sh "$native" "$out"
fi
echo "$arch: all checks passed."
