#!/bin/sh
# Builds a private configuration root for Firebird's embedded engine, so the
# tests and the demo need no server process, no password and no change to the
# system's files. The root allows external function modules from one
# directory only: the one the build puts udfzel.so in.
#   make-fbroot.sh ROOT UDF_DIR
set -eu
root=$1
udf_dir=$2
system=/usr/lib/x86_64-linux-gnu/firebird/3.0
etc=/etc/firebird/3.0

rm -rf "$root"
mkdir -p "$root/intl" "$root/lock" "$root/tmp"
for item in plugins firebird.msg plugins.conf lib include; do
  ln -s "$system/$item" "$root/$item"
done
# Character sets other than NONE/ASCII/UTF8 load only from real copies.
cp "$etc/fbintl.conf" "$root/intl/fbintl.conf"
cp "$system/intl/libfbintl.so" "$root/intl/libfbintl.so"
: > "$root/databases.conf"
sed -e "s|^UdfAccess = None|UdfAccess = Restrict $udf_dir|" "$etc/firebird.conf" > "$root/firebird.conf"
grep -q "^UdfAccess = Restrict $udf_dir\$" "$root/firebird.conf" || {
  echo "make-fbroot: could not set UdfAccess in $root/firebird.conf" >&2
  exit 1
}
