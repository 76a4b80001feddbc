#!/bin/sh
# Checks that the tree keeps the shape the design gives it.
#   check_layout.sh engines SOURCE_DIR   engine files include no server header,
#                                        no ICU and no process state
#   check_layout.sh faces SOURCE_DIR     results include neither face; neither
#                                        face includes the other's files
#   check_layout.sh readme SOURCE_DIR    every path README's Layout names
#                                        exists; every folder of src/ is named
set -eu
what=$1
cd "$2"

# Includes of the files under $1 that match the pattern $2.
includes_matching() {
  grep -rnE '^[[:space:]]*#[[:space:]]*include' "$1" | grep -E "$2" || true
}

fail() {
  printf '%s\n' "$1" >&2
  printf '%s\n' "$2" >&2
  exit 1
}

case $what in
  engines)
    # Engines include the standard library, each other, and the frame's and
    # the locale's plain C++ pieces (TextBuffer, EConvertError, the
    # floating-point scope, LocaleFormats); nothing else.
    bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include' src/engines |
      grep -vE '#include <[a-z_]+>' |
      grep -vE '#include "(engines/[a-z]+/[A-Za-z0-9_]+\.h|frame/text_buffer\.h|frame/convert_error\.h|frame/floating_point_scope\.h|locale/locale_formats\.h)"' ||
      true)
    [ -z "$bad" ] || fail "engine files include what engines must not:" "$bad"
    ;;
  faces)
    bad=$(includes_matching src/results '"(legacy|udr)/')
    [ -z "$bad" ] || fail "results include a face:" "$bad"
    bad=$(includes_matching src/udr '"legacy/')
    [ -z "$bad" ] || fail "the UDR face includes the legacy face:" "$bad"
    bad=$(includes_matching src/legacy '"udr/')
    [ -z "$bad" ] || fail "the legacy face includes the UDR face:" "$bad"
    ;;
  readme)
    section=$(sed -n '/^## Layout/,/^## /p' README.md)
    missing=""
    for path in $(printf '%s\n' "$section" | grep -oE '`[a-z]+/[A-Za-z0-9_./*-]*`' | tr -d '`'); do
      # shellcheck disable=SC2086
      set -- $path
      [ -e "$1" ] || missing="$missing $path"
    done
    [ -z "$missing" ] || fail "README's Layout names what does not exist:" "$missing"
    unnamed=""
    for dir in $(find src -mindepth 1 -type d | sort); do
      printf '%s\n' "$section" | grep -qF "\`$dir/\`" || unnamed="$unnamed $dir/"
    done
    [ -z "$unnamed" ] || fail "README's Layout does not name these folders:" "$unnamed"
    ;;
  *)
    echo "usage: check_layout.sh engines|faces|readme SOURCE_DIR" >&2
    exit 2
    ;;
esac
