#!/bin/sh
# Checks that the tree keeps the shape the design gives it.
#   check_layout.sh layers SOURCE_DIR    no file of src/ includes one of a
#                                        higher layer
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

# The layers of src/, from the ground up; the two faces share the top.
layer_of() {
  case $1 in
    list) echo 1 ;; frame) echo 2 ;; records) echo 3 ;; engines) echo 4 ;;
    locale) echo 5 ;; results) echo 6 ;; legacy | udr) echo 7 ;; *) echo 0 ;;
  esac
}

case $what in
  layers)
    bad=""
    for dir in src/*/; do
      dir=${dir#src/}
      dir=${dir%/}
      own=$(layer_of "$dir")
      [ "$own" -gt 0 ] || fail "src/$dir/ has no layer:" "$(ls "src/$dir")"
      for used in $(grep -rhoE '^[[:space:]]*#[[:space:]]*include "[a-z]+/' "src/$dir" |
          sed 's/.*"\([a-z]*\)\/$/\1/' | sort -u); do
        [ "$(layer_of "$used")" -le "$own" ] ||
          bad="$bad$(grep -rnE "#[[:space:]]*include \"$used/" "src/$dir")
"
      done
    done
    [ -z "$bad" ] || fail "files that include one of a higher layer:" "$bad"
    ;;
  engines)
    # Engines include the standard library, each other, the records and the
    # frame's plain C++ pieces (TextBuffer, EConvertError, the
    # floating-point scope); nothing else.
    bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include' src/engines |
      grep -vE '#include <[a-z_]+>' |
      grep -vE '#include "(engines/[a-z]+/[A-Za-z0-9_]+\.h|records/[A-Za-z0-9_]+\.h|frame/text_buffer\.h|frame/convert_error\.h|frame/floating_point_scope\.h)"' ||
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
    echo "usage: check_layout.sh layers|engines|faces|readme SOURCE_DIR" >&2
    exit 2
    ;;
esac
