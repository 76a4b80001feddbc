#!/bin/sh
# The whole test suite, as CI runs it (warnings are errors throughout):
#   1. Release build with g++, the configuration that is installed: every
#      test (engines, entry points through dlopen, allocation counts, thread
#      stress, the embedded server);
#   1a. every entry point's bytes on the fuzz corpus and fuzz-grammar
#      inputs under six locales, and the record of every locale ICU lists,
#      against the digests of the reference build (scripts/test-reference.sh);
#   1b. the real server: Debian's Firebird 3 server process, started here
#      from a private root on a private port, in SuperServer and in Classic
#      mode, reached over TCP by client processes (scripts/test-server.sh);
#   1c. the Debian package (lintian clean) and the cmake route's install
#      (the same files, stripped); the package unpacked and tested in the
#      real server (SQL suites, re-attachment cycles, locale texts);
#   1d. Firebird 4.0.7 and 5.0.4 (their own server trees, embedded and
#      each tree's server over TCP, SuperServer and Classic): the SQL suites
#      of both faces, re-attachment cycles, the upgrade from a Firebird 3
#      database; the 6.0 snapshot the same through the UDR face, and the
#      migration of a database it made (scripts/test-firebird.sh);
#   1e. Release build with clang: the whole tree (every module, tool and
#      test), and the engine, entry-point and UDR-face tests run (the
#      floating-point test among them);
#   1f. the Windows DLLs, cross-built by MinGW-w64 and tested under wine;
#   1g. the software extended type on x86-64: the engine, entry-point,
#      UDR-face and allocation tests and the in-server number, date and
#      hostile-row suites, unchanged (the x87 checks it bit for bit);
#   1h. the ARM64, 32-bit x86 and 32-bit ARM builds against Debian's arm64,
#      i386 and armhf packages, their suites and a byte-for-byte differential
#      with the amd64 module under qemu, and each architecture's Debian
#      package in its own Firebird server under qemu, over TCP
#      (scripts/test-cross.sh);
#   2. valgrind memcheck over the engine, entry-point and UDR-face tests of
#      the software type's build (exact under valgrind, as the x87 is not);
#   3. ASan+UBSan build: engine, entry-point and UDR-face tests;
#   4. TSan build: the same, thread stress included;
#   5. every libFuzzer target for a bounded time (FUZZ_SECONDS, default 10;
#      two at a time).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
started=$(date +%s)
# Each stage's heading says how long the suite has run so far.
stage() { echo "== $* (at $(($(date +%s) - started)) s) =="; }

stage "1. Release build (g++): all tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

stage "1a. What a caller gets, against the reference build's digests"
sh scripts/test-reference.sh build

stage "1b. Real server: SuperServer and Classic"
bash scripts/test-server.sh super build
bash scripts/test-server.sh classic build

stage "1c. The Debian package and the cmake route, as installed"
sh scripts/package.sh build >/dev/null
package=$(ls build/udfzel_*_amd64.deb)
lintian --fail-on error,warning "$package"
dpkg-deb -c "$package" | awk '{ print "   " $6 }'
dpkg-deb -f "$package" Depends | sed 's/^/   Depends: /'
rm -rf build/package-root build/cmake-root
dpkg-deb -x "$package" build/package-root
DESTDIR="$PWD/build/cmake-root" cmake --install build --prefix /usr --strip >/dev/null
(cd build/package-root && find . -type f | sort) >build/package-files.txt
(cd build/cmake-root && find . -type f | sort) >build/cmake-files.txt
cmp build/package-files.txt build/cmake-files.txt
for root in build/package-root build/cmake-root; do
  for binary in $(find "$root" -name '*.so' -o -name udfzel-locale); do
    if readelf -S "$binary" | grep -qE '\.(symtab|debug_info)'; then
      echo "not stripped: $binary" >&2
      exit 1
    fi
  done
done
bash scripts/test-server.sh package build build/package-root

stage "1d. Firebird 4, 5 and the 6.0 snapshot"
# Each version's suites keep about one core busy: 4 and 5 run side by side,
# each with its own tree, databases and port, their output shown in turn.
bash scripts/test-firebird.sh 4 build >build/firebird-4.out 2>&1 &
four=$!
five_status=0
bash scripts/test-firebird.sh 5 build >build/firebird-5.out 2>&1 || five_status=$?
four_status=0
wait $four || four_status=$?
cat build/firebird-4.out build/firebird-5.out
[ $four_status -eq 0 ] && [ $five_status -eq 0 ] ||
  { echo "the Firebird 4 or 5 stage failed (see above)" >&2; exit 1; }
bash scripts/test-firebird.sh 6 build

stage "1e. Release build (clang): the whole tree; engine, entry-point and UDR-face tests"
CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON \
  >/dev/null
cmake --build build-clang -j"$jobs"
ctest --test-dir build-clang -j"$jobs" --output-on-failure -R '^(unit|entry|udr)\.'

stage "1f. Windows DLLs (MinGW-w64, wine)"
sh scripts/test-windows.sh build

stage "1g. The software extended type on x86-64: engine, entry-point, UDR-face, allocation and in-server number, date and hostile-row suites"
cmake -S . -B build-soft -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON \
  -DUDFZEL_SOFT_EXTENDED=ON >/dev/null
cmake --build build-soft -j"$jobs" --target udfzel udfzel_udr unit_tests entry_tests udr_tests \
  alloc_tests sql_tests entry_renders
ctest --test-dir build-soft -j"$jobs" --output-on-failure \
  -R '^(unit|entry|udr|alloc)\.|Sql(Arithmetic|Numbers|Dates|BothFaces|Concurrency)\.'
# Every entry point on the fuzz corpus and fuzz-grammar inputs, byte for
# byte the same through either type.
for locale in C pt_BR; do
  UDFZEL_TEST_LANG=$locale.UTF-8 build/tests/entry_renders fuzz/corpus build-soft/renders-x87.txt
  UDFZEL_TEST_LANG=$locale.UTF-8 build-soft/tests/entry_renders fuzz/corpus build-soft/renders-soft.txt
  echo "   $locale: $(wc -l <build-soft/renders-x87.txt) calls, the same bytes"
  cmp build-soft/renders-x87.txt build-soft/renders-soft.txt
done

stage "1h. ARM64 (aarch64 cross build, qemu)"
sh scripts/test-cross.sh arm64 build
stage "1i. Linux x86, 32-bit (i686 cross build, x87 extended type, qemu)"
sh scripts/test-cross.sh i386 build
stage "1j. Linux ARM32 (armhf cross build, software extended type, qemu)"
sh scripts/test-cross.sh armhf build

stage "2. valgrind memcheck: engine, entry-point and UDR-face tests (software extended type)"
# valgrind runs x87 long double at double precision, so the memory check
# runs the software type's build, whose exact digits hold under it too.
# Left out: the x87 comparison, the floating-point control registers
# (valgrind models neither) and the scan of all 805 ICU locales, which for
# memory only repeats the other locale tests' loads at a cost valgrind
# multiplies. The three programs run side by side.
for binary in unit_tests entry_tests udr_tests; do
  valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --show-possibly-lost=no \
    "build-soft/tests/$binary" --gtest_brief=1 --gtest_filter="-${UDFZEL_VALGRIND_SKIP:-*ExtendedAgainstX87*:*CallerEnvironment*:*FloatingPointState*:*NoLocaleLoadsASubstituteByte*}" \
    >"build-soft/valgrind-$binary.txt" 2>&1 &
  echo $! >"build-soft/valgrind-$binary.pid"
done
for binary in unit_tests entry_tests udr_tests; do
  status=0
  wait "$(cat "build-soft/valgrind-$binary.pid")" || status=$?
  echo "-- valgrind $binary:"
  sed 's/^/   /' "build-soft/valgrind-$binary.txt"
  [ $status -eq 0 ] || { echo "valgrind found errors in $binary" >&2; exit 1; }
done

stage "3. ASan+UBSan build: engine, entry-point and UDR-face tests"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DUDFZEL_SANITIZE=address,undefined \
  -DUDFZEL_SQL_TESTS=OFF -DUDFZEL_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure

stage "4. TSan build: engine, entry-point and UDR-face tests"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUDFZEL_SANITIZE=thread \
  -DUDFZEL_SQL_TESTS=OFF -DUDFZEL_WERROR=ON >/dev/null
cmake --build build-tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -j"$jobs" --output-on-failure

stage "5. Fuzz smoke"
scripts/fuzz.sh "${FUZZ_SECONDS:-10}"

echo "All test stages passed in $(($(date +%s) - started)) s."
