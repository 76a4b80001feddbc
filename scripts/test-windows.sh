#!/bin/sh
# The Windows DLLs: both faces cross-built by MinGW-w64 for x64 and x86 from
# the same sources and function list, packed as the kit a user unzips
# (udfzel-<version>-win64.zip, -win32.zip), and tested under wine:
#   - the export table of every DLL is exactly the list (the UDR module's:
#     its entry point), and it imports nothing but Windows' own libraries
#     and, for the legacy module, ib_util.dll;
#   - the x64 engine, locale and entry-point suites (LoadLibrary, threads
#     made by CreateThread with the server's 53-bit x87 precision);
#   - the x64 kit, unzipped: its DLL runs the entry-point suite, its
#     udfzel-locale.exe prints the record of a locale and finds its scripts;
#   - the records the Windows locale services give for six locales, side
#     by side with ICU's: pt_BR and ru_RU must be the same; and for every
#     locale name ICU lists, the same records as the reference build gave
#     (scripts/test-reference.sh --windows);
#   - every entry point on the fuzz corpus and 2000 fuzz-grammar inputs,
#     the DLL's bytes against the Linux module's: the same where the two
#     records are (pt_BR, ru_RU), and the differences elsewhere counted.
# The x86 suites run where a 32-bit wine is installed and the kernel runs
# it (Debian 12 has none without the i386 architecture; a kernel without
# 32-bit x86 support runs it only through qemu, too slowly); elsewhere the
# x86 build is built, packed, its tables checked, and its DLLs refused by
# the 64-bit loader as they must be.
#   test-windows.sh [NATIVE_BUILD_DIR]   (the Linux build: its udfzel_gen,
#                                          udfzel-locale and entry_renders)
set -eu
cd "$(dirname "$0")/.."
native=${1:-build}
jobs=$(nproc)
export WINEDEBUG=-all
# The x64 programs run by the 64-bit loader itself: /usr/bin/wine starts the
# 32-bit one whenever it is installed.
wine64=/usr/lib/wine/wine64
export WINELOADER=$wine64
version=$(sed -n 's/^project(udfzel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# A 32-bit wine has its loader beside the 64-bit one. Its suites run where
# the kernel runs it itself: through qemu-i386 (a binfmt entry, on a kernel
# without 32-bit x86 support) every wine process spends about a minute of
# CPU starting, and a prefix takes longer than the whole test command may.
wine32_loader() {
  for loader in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine; do
    [ -x "$loader" ] && { echo "$loader"; return 0; }
  done
  return 1
}
wine32_emulated() {
  grep -ls '^interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/* 2>/dev/null |
    xargs -r grep -lx enabled | grep -q .
}
have_wine32() {
  loader=$(wine32_loader) && ! wine32_emulated && "$loader" --version >/dev/null 2>&1
}

# Names in a PE image's export table, and the DLLs it imports.
exports_of() { objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort; }
imports_of() { objdump -p "$1" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort; }

check_tables() {
  dir=$1
  listed=$(sed -n 's/^  \(F_[A-Za-z]*\)$/\1/p' "$dir/generated/udfzel.def" | sort)
  [ "$(echo "$listed" | wc -l)" -eq 28 ]
  [ "$(exports_of "$dir/udf/udfzel.dll")" = "$listed" ] || { echo "udfzel.dll exports differ" >&2; exit 1; }
  [ "$(exports_of "$dir/udr/udfzel.dll")" = "firebird_udr_plugin" ] || { echo "UDR exports differ" >&2; exit 1; }
  for dll in "$dir/udf/udfzel.dll" "$dir/udr/udfzel.dll"; do
    for library in $(imports_of "$dll"); do
      case "$library" in
        kernel32.dll|user32.dll|advapi32.dll|msvcrt.dll|normaliz.dll) ;;
        ib_util.dll) [ "$dll" = "$dir/udf/udfzel.dll" ] || { echo "$dll imports $library" >&2; exit 1; } ;;
        *) echo "$dll imports $library" >&2; exit 1 ;;
      esac
    done
    echo "   $dll: $(exports_of "$dll" | wc -l) exports; imports $(imports_of "$dll" | tr '\n' ' ')"
  done
}

for target in x86_64:win64 i686:win32; do
  triple=${target%%:*}
  arch=${target##*:}
  dir=build-$arch
  tests=ON
  [ "$arch" = win64 ] || have_wine32 || tests=OFF
  echo "-- $arch: MinGW-w64 $triple (tests: $tests)"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-$triple.cmake \
    -DCMAKE_BUILD_TYPE=Release -DUDFZEL_WERROR=ON -DUDFZEL_TESTS=$tests \
    -DUDFZEL_HOST_GENERATOR="$PWD/$native/udfzel_gen" >/dev/null
  cmake --build "$dir" -j"$jobs"
  check_tables "$dir"
  rm -f "$dir"/udfzel-*.zip
  (cd "$dir" && cpack -G ZIP >/dev/null)
  rm -rf "$dir/kit"
  unzip -q "$dir/udfzel-$version-$arch.zip" -d "$dir/kit"
  echo "   $dir/udfzel-$version-$arch.zip: $(find "$dir/kit" -type f | wc -l) files"
  for file in UDF/udfzel.dll plugins/udr/udfzel.dll udfzel-locale.exe README-Windows.txt \
      sql/WIN1252/udfzel.sql sql/WIN1251/udfzel_udr.sql sql/SJIS_0208/udfzel_udr_legacy.sql; do
    [ -f "$dir/kit/$file" ] || { echo "the kit lacks $file" >&2; exit 1; }
  done
  cmp "$dir/kit/UDF/udfzel.dll" "$dir/udf/udfzel.dll" >/dev/null 2>&1 &&
    { echo "the kit's DLL is not stripped" >&2; exit 1; }
  [ "$(exports_of "$dir/kit/UDF/udfzel.dll")" = "$(exports_of "$dir/udf/udfzel.dll")" ]
done

# One wine prefix of the build's own, its server kept running for ctest.
export WINEPREFIX="$PWD/build-win64/wineprefix"
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1

echo "-- win64: the suites under wine"
ctest --test-dir build-win64 -j"$jobs" --output-on-failure
if have_wine32; then
  echo "-- win32: the suites under wine"
  ctest --test-dir build-win32 -j"$jobs" --output-on-failure
else
  if ! wine32_loader >/dev/null; then
    echo "-- win32: built, packed and its tables checked; its suites need a 32-bit wine, which this machine has not"
  else
    echo "-- win32: built, packed and its tables checked; its suites are not run: this 32-bit wine runs only through qemu-i386, too slowly to start (about a minute per process)"
  fi
fi

echo "-- What LoadLibrary says where a module cannot load (the kits' troubleshooting list)"
# The probe runs from a folder without ib_util.dll, as a kit's DLLs stand
# before they are copied into a server's folder.
probe() {
  said=$("$wine64" build-win64/tests/probe/load_probe.exe "$1" </dev/null | tr -d '\r')
  echo "   $2: $said"
  [ "$said" = "$3" ] || { echo "   expected: $3" >&2; exit 1; }
}
probe build-win64/kit/plugins/udr/udfzel.dll "win64 UDR DLL, 64-bit process" loaded
probe build-win32/kit/plugins/udr/udfzel.dll "win32 UDR DLL, 64-bit process" "error 193"
probe build-win32/kit/UDF/udfzel.dll "win32 legacy DLL, 64-bit process" "error 193"
probe build-win64/kit/UDF/udfzel.dll "win64 legacy DLL, no ib_util.dll" "error 126"

echo "-- win64 kit, unzipped: its DLL runs the entry-point suite"
UDFZEL_TEST_MODULE="$PWD/build-win64/kit/UDF/udfzel.dll" LC_ALL=C.UTF-8 \
  "$wine64" build-win64/tests/entry_tests.exe --gtest_brief=1 </dev/null
located=$(LC_ALL=pt_BR.UTF-8 "$wine64" build-win64/kit/udfzel-locale.exe </dev/null | tr -d '\r')
echo "$located" | grep -q '^CharacterSet  *WIN1252$'
echo "$located" | grep -q 'kit/sql/WIN1252/udfzel.sql'

# The record of a locale, without the lines that name it or a path.
record() { grep -v -e '^Locale ' -e '^Declare with ' | tr -d '\r'; }

echo "-- Locale records: the Windows services (wine) beside ICU"
for locale in pt_BR ru_RU ja_JP de_DE en_US el_GR; do
  "$native/udfzel-locale" "$locale" | record >"build-win64/record-icu-$locale.txt"
  "$wine64" build-win64/kit/udfzel-locale.exe "$locale" </dev/null | record >"build-win64/record-windows-$locale.txt"
  if cmp -s "build-win64/record-icu-$locale.txt" "build-win64/record-windows-$locale.txt"; then
    echo "   $locale: the same"
  else
    echo "   $locale: differs (ICU <, Windows >):"
    diff "build-win64/record-icu-$locale.txt" "build-win64/record-windows-$locale.txt" | sed -n 's/^[<>]/      &/p'
    case $locale in pt_BR|ru_RU) echo "   $locale must be the same" >&2; exit 1 ;; esac
  fi
done

echo "-- Locale records: the Windows services (wine) for every name ICU lists, against the reference"
sh scripts/test-reference.sh --windows build-win64

echo "-- Every entry point, the DLL against the Linux module"
for locale in pt_BR ru_RU ja_JP de_DE en_US el_GR; do
  UDFZEL_TEST_LANG=$locale.UTF-8 "$native/tests/entry_renders" fuzz/corpus \
    build-win64/renders-linux.txt &
  LC_ALL=$locale.UTF-8 "$wine64" build-win64/tests/entry_renders.exe fuzz/corpus build-win64/renders-windows.txt </dev/null
  wait $!
  calls=$(wc -l <build-win64/renders-linux.txt)
  differing=$(diff build-win64/renders-linux.txt build-win64/renders-windows.txt | grep -c '^<' || true)
  echo "   $locale: $calls calls, $differing with other bytes $(diff build-win64/renders-linux.txt \
    build-win64/renders-windows.txt | sed -n 's/^< \(F_[A-Za-z]*\) .*/\1/p' | sort | uniq -c | tr -s ' \n' ' ')"
  case $locale in
    pt_BR|ru_RU) cmp build-win64/renders-linux.txt build-win64/renders-windows.txt ;;
  esac
done
echo "Windows DLLs: all checks passed."
