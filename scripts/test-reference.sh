#!/bin/sh
# What a caller gets, held against the reference kept in tests/reference/
# (made from the build of 9e7aca1): every entry point's bytes on the fuzz
# corpus and fuzz-grammar inputs under six locales, one digest per function
# and locale; and the record udfzel-locale prints for every locale ICU
# lists, one digest per locale. Rearranging the code leaves both as they
# are; a change a caller would see shows here, by function or by locale.
# With --windows, the records the Windows kit's udfzel-locale.exe prints
# under wine for the same locale names, against their own digests.
#   test-reference.sh NATIVE_BUILD                   compare
#   test-reference.sh --windows WIN64_BUILD          compare the Windows records
#   test-reference.sh --write NATIVE_BUILD <NAMES    write the reference anew
#                                                    from a build of the
#                                                    reference commit, for
#                                                    the locale names given
set -eu
cd "$(dirname "$0")/.."
write=""
windows=""
case $1 in
  --write) write=yes && shift ;;
  --windows) windows=yes && shift ;;
esac
native=$1
reference=tests/reference
work=$native/reference
rm -rf "$work"
mkdir -p "$work/split"

# One line per function: the locale, the digest of its calls' lines, its name.
render_digests() {
  for locale in C pt_BR ru_RU ja_JP el_GR th_TH; do
    UDFZEL_TEST_LANG=$locale.UTF-8 "$native/tests/entry_renders" fuzz/corpus "$work/renders.txt"
    rm -f "$work"/split/*
    awk -v dir="$work/split" '{ print > (dir "/" $1) }' "$work/renders.txt"
    (cd "$work/split" && sha256sum -- *) | sed "s/^/$locale /"
  done
}

# One line per locale named on standard input: its name and the digest of
# its record, without the lines that name it or a path. RUN is the program
# (udfzel-locale, or the DLL kit's under wine).
record_digests() {
  names=$work/names.txt
  cat >"$names"
  rm -rf "$work/records"
  mkdir -p "$work/records"
  $RUN --each <"$names" | tr -d '\r' |
    awk -v dir="$work/records" '
      /^Locale / { if (file) close(file); file = sprintf("%s/%05d", dir, ++n) }
      { print > file }'
  n=0
  while read -r name; do
    n=$((n + 1))
    digest=$(grep -v -e '^Locale ' -e '^Declare with ' "$work/records/$(printf %05d $n)" |
      sha256sum | cut -d' ' -f1)
    echo "$name $digest"
  done <"$names"
}
# Fails when this build's digests of a kind are not the reference's; says
# which lines differ.
compare() {
  if cmp -s "$reference/$1-digests.txt" "$work/$1-digests.txt"; then
    echo "   $2 digests: $(wc -l <"$work/$1-digests.txt"), all the reference's"
    return 0
  fi
  echo "   $2 digests that differ from the reference (reference <, this build >):"
  diff "$reference/$1-digests.txt" "$work/$1-digests.txt" | sed -n 's/^[<>]/      &/p'
  return 1
}

RUN=$native/udfzel-locale
if [ -n "$windows" ]; then
  RUN="${WINELOADER:-/usr/lib/wine/wine64} $native/kit/udfzel-locale.exe"
  cut -d' ' -f1 "$reference/record-digests.txt" | record_digests >"$work/windows-record-digests.txt"
  compare windows-record "Windows record"
  exit
fi

if [ -n "$write" ]; then
  mkdir -p "$reference"
  render_digests >"$reference/render-digests.txt"
  record_digests >"$reference/record-digests.txt"
  echo "wrote $(wc -l <"$reference/render-digests.txt") function digests and" \
    "$(wc -l <"$reference/record-digests.txt") locale digests"
  exit 0
fi

render_digests >"$work/render-digests.txt"
cut -d' ' -f1 "$reference/record-digests.txt" | record_digests >"$work/record-digests.txt"
status=0
compare render render || status=1
compare record record || status=1
exit $status
