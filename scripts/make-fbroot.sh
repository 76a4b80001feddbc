#!/bin/sh
# Builds a private configuration root for Firebird 3: for the embedded
# engine of the tests and the demo, or, with --server, for a server process
# the test suite starts itself. Every configuration file of the root is
# written whole here: nothing of the system's firebird.conf, databases.conf
# or plugins.conf is read, so the build does not depend on how an
# administrator set them, and nothing of them is changed.
#
#   make-fbroot.sh [--server MODE PORT PASSWORD] [--udr-dir DIR] ROOT UDF_DIR [UDR_MODULE...]
#
# The root allows legacy external function modules from UDF_DIR only; its
# UDR engine loads modules from ROOT/plugins/udr, where the UDR_MODULEs are
# copied, or from DIR (an installed package's, say) with --udr-dir. It has its own security database (ROOT/security3.fdb), lock and
# temporary directories, and a log directory (ROOT/log) for a server. With
# --server, the server mode is MODE (Super or Classic), it listens on
# 127.0.0.1:PORT only, and SYSDBA's password is PASSWORD. The root's
# libraries and messages are Debian's Firebird 3 (UDFZEL_FIREBIRD_SYSTEM_DIR
# names another tree).
set -eu
mode=""
udr_dir=""
if [ "${1:-}" = "--server" ]; then
  mode=$2 port=$3 password=$4
  shift 4
fi
if [ "${1:-}" = "--udr-dir" ]; then
  udr_dir=$2
  shift 2
fi
root=$1
udf_dir=$2
shift 2
udr_dir=${udr_dir:-$root/plugins/udr}
# Debian's Firebird 3 of this machine's architecture, or another tree of
# the same layout (an unpacked arm64 one, say).
system=${UDFZEL_FIREBIRD_SYSTEM_DIR:-/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/firebird/3.0}
security_sql=/usr/share/firebird/3.0/security.sql

rm -rf "$root"
mkdir -p "$root/intl" "$root/lock" "$root/tmp" "$root/log" "$root/plugins/udr"
for item in firebird.msg lib include; do
  ln -s "$system/$item" "$root/$item"
done
# Character sets other than NONE/ASCII/UTF8 load only from real copies: the
# character-set module and its table of the sets it implements.
cp "$system/intl/libfbintl.so" "$system/intl/fbintl.conf" "$root/intl/"

# Modules are copies: the UDR engine refuses an entry point whose file is a
# symbolic link. The build copies each module again whenever it relinks it.
for module in "$@"; do
  if [ -f "$module" ]; then cp "$module" "$root/plugins/udr/"; fi
done
# The engine's own plugins stay where the package put them ($(dir_plugins)
# is fixed on Debian); only the UDR engine's module directory is the root's.
cat > "$root/plugins.conf" <<EOF
Plugin = UDR {
	Module = \$(dir_plugins)/udr_engine
	Config = UDR_config
}

Config = UDR_config {
	path = $udr_dir
}
EOF
: > "$root/databases.conf"

{
  echo "# Written by make-fbroot.sh for $root."
  echo "UdfAccess = Restrict $udf_dir"
  echo "SecurityDatabase = $root/security3.fdb"
  if [ -n "$mode" ]; then
    echo "ServerMode = $mode"
    echo "RemoteServicePort = $port"
    echo "RemoteBindAddress = 127.0.0.1"
    echo "AuthServer = Srp"
    echo "UserManager = Srp"
  fi
} > "$root/firebird.conf"

# The root's own security database, made through its embedded engine.
in_root() {
  FIREBIRD=$root FIREBIRD_LOCK=$root/lock FIREBIRD_TMP=$root/tmp LANG=C \
    ISC_USER=SYSDBA ISC_PASSWORD="" "$@"
}
echo "create database '$root/security3.fdb';" | in_root isql-fb -q
in_root isql-fb -q -b -i "$security_sql" "$root/security3.fdb"
if [ -n "$mode" ]; then
  echo "create or alter user SYSDBA password '$password' using plugin Srp; commit;" |
    in_root isql-fb -q -b "$root/security3.fdb"
fi
