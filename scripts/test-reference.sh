#!/bin/sh
# What a caller gets, held against the reference kept in tests/reference/
# (made from the build of 9e7aca1): every entry point's bytes on the fuzz
# corpus and fuzz-grammar inputs under six locales, one digest per function
# and locale; and the record udfzel-locale prints for every locale ICU
# lists, one digest per locale. Rearranging the code leaves both as they
# are; a change a caller would see shows here, by function or by locale.
#   test-reference.sh NATIVE_BUILD                   compare
#   test-reference.sh --write NATIVE_BUILD <NAMES    write the reference anew
#                                                    from a build of the
#                                                    reference commit, for
#                                                    the locale names given
set -eu
cd "$(dirname "$0")/.."
write=""
if [ "$1" = "--write" ]; then
  write=yes
  shift
fi
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

# One line per locale: its name and the digest of its record, without the
# lines that name it or a path.
record_digests() {
  while read -r name; do
    digest=$("$native/udfzel-locale" "$name" | grep -v -e '^Locale ' -e '^Declare with ' |
      sha256sum | cut -d' ' -f1)
    echo "$name $digest"
  done
}

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
for kind in render record; do
  if cmp -s "$reference/$kind-digests.txt" "$work/$kind-digests.txt"; then
    echo "   $kind digests: $(wc -l <"$work/$kind-digests.txt"), all the reference's"
  else
    echo "   $kind digests that differ from the reference (reference <, this build >):"
    diff "$reference/$kind-digests.txt" "$work/$kind-digests.txt" | sed -n 's/^[<>]/      &/p'
    status=1
  fi
done
exit $status
