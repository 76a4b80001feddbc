#!/bin/sh
# Builds a private configuration root for Firebird's embedded engine, so the
# tests and the demo need no server process, no password and no change to the
# system's files. The root allows external function modules from one
# directory only: the one the build puts udfzel.so in; its UDR engine loads
# modules from ROOT/plugins/udr, where the build copies its UDR modules.
#   make-fbroot.sh ROOT UDF_DIR [UDR_MODULE...]
set -eu
root=$1
udf_dir=$2
shift 2
system=/usr/lib/x86_64-linux-gnu/firebird/3.0
etc=/etc/firebird/3.0

rm -rf "$root"
mkdir -p "$root/intl" "$root/lock" "$root/tmp" "$root/plugins/udr"
for item in firebird.msg lib include; do
  ln -s "$system/$item" "$root/$item"
done
# The UDR engine's modules: a private plugins.conf points it at ROOT/plugins/udr
# (its default is the system's plugins directory, whatever the root). Modules
# are copies: the engine refuses an entry point whose file is a symbolic link.
# The build copies each module again whenever it relinks it.
for module in "$@"; do
  if [ -f "$module" ]; then cp "$module" "$root/plugins/udr/"; fi
done
sed -e "s|^\([[:space:]]*path = \)\$(dir_plugins)/udr|\1$root/plugins/udr|" \
  "$system/plugins.conf" > "$root/plugins.conf"
grep -q "path = $root/plugins/udr\$" "$root/plugins.conf" || {
  echo "make-fbroot: could not set the UDR path in $root/plugins.conf" >&2
  exit 1
}
# Character sets other than NONE/ASCII/UTF8 load only from real copies.
cp "$etc/fbintl.conf" "$root/intl/fbintl.conf"
cp "$system/intl/libfbintl.so" "$root/intl/libfbintl.so"
: > "$root/databases.conf"
sed -e "s|^UdfAccess = None|UdfAccess = Restrict $udf_dir|" "$etc/firebird.conf" > "$root/firebird.conf"
grep -q "^UdfAccess = Restrict $udf_dir\$" "$root/firebird.conf" || {
  echo "make-fbroot: could not set UdfAccess in $root/firebird.conf" >&2
  exit 1
}
