#!/bin/sh
# What the server says when it cannot use a module, as README's
# troubleshooting list quotes it: the modules of another CPU through either
# face, and the legacy module where UdfAccess allows no module. Debian's
# Firebird 3 of this machine, embedded, each case in a private root of its
# own.
#   test-load-errors.sh NATIVE_BUILD FOREIGN_BUILD
set -eu
cd "$(dirname "$0")/.."
native=$1
foreign=$2
work=$PWD/$foreign/load-errors

in_root() {
  root=$1
  shift
  FIREBIRD=$root FIREBIRD_LOCK=$root/lock FIREBIRD_TMP=$root/tmp LANG=C ISC_USER=SYSDBA \
    ISC_PASSWORD="" isql-fb -q "$@"
}
# One function of each face declared and called, in a new database, and a
# legacy module named by a path outside the allowed folders; what isql
# says, its lines joined by " | ".
call_both() {
  echo "create database '$1/calls.fdb';" | in_root "$1" >/dev/null 2>&1 ||
    { echo "cannot create $1/calls.fdb" >&2; exit 1; }
  in_root "$1" "$1/calls.fdb" 2>&1 <<SQL | sed '$!s/$/ | /' | tr -d '\n'
DECLARE EXTERNAL FUNCTION F_NUM DOUBLE PRECISION, INTEGER RETURNS DOUBLE PRECISION BY VALUE
  ENTRY_POINT 'F_Num' MODULE_NAME 'udfzel';
DECLARE EXTERNAL FUNCTION F_NUM_ELSEWHERE DOUBLE PRECISION, INTEGER
  RETURNS DOUBLE PRECISION BY VALUE ENTRY_POINT 'F_Num' MODULE_NAME '$work/elsewhere/udfzel';
COMMIT;
SELECT F_NUM(1.25, 1) FROM RDB\$DATABASE;
CREATE FUNCTION U_NUM (X1 DOUBLE PRECISION, N2 INTEGER) RETURNS DOUBLE PRECISION
  EXTERNAL NAME 'udfzel!F_Num' ENGINE UDR;
COMMIT;
SELECT U_NUM(1.25, 1) FROM RDB\$DATABASE;
SQL
}
# Fails unless what isql said holds the text.
expect() {
  case $1 in *"$2"*) ;; *) echo "   expected: $2" >&2; exit 1 ;; esac
}

rm -rf "$work"
mkdir -p "$work"
machine=$(readelf -h "$foreign/udf/udfzel.so" | sed -n 's/^ *Machine: *//p')
LANG=C scripts/make-fbroot.sh "$work/foreign" "$PWD/$foreign/udf" "$foreign/udr/libudfzel.so"
said=$(call_both "$work/foreign")
echo "-- modules of $machine in the $(dpkg --print-architecture) server: $said"
expect "$said" "function F_NUM is not defined | -module name or entrypoint could not be found"
expect "$said" "UDR module not loaded | -$work/foreign/plugins/udr/libudfzel.so: wrong ELF class"
expect "$said" "Use of UDF/BLOB-filter module at location $work/elsewhere/udfzel is not allowed by server configuration"

LANG=C scripts/make-fbroot.sh "$work/none" "$PWD/$native/udf" "$native/udr/libudfzel.so"
sed -i 's/^UdfAccess = .*/UdfAccess = None/' "$work/none/firebird.conf"
said=$(call_both "$work/none")
echo "-- the $(dpkg --print-architecture) modules, UdfAccess = None: $said"
# The legacy face says the same as of a module it cannot load; the UDR
# face works.
expect "$said" "function F_NUM is not defined | -module name or entrypoint could not be found"
expect "$said" "U_NUM  | =======================  |       1.200000000000000"
