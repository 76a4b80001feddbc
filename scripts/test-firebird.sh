#!/bin/bash
# Both faces on Firebird 4 and 5, and the UDR face on the 6.0 development
# snapshot, through the embedded engine of each version's own server tree
# and through that tree's server over TCP (builds of Firebird's public
# sources, kept outside the repository; UDFZEL_FIREBIRD_TREES names their
# folder, ../shared/firebird by default).
#
#   test-firebird.sh 4|5|6 [BUILD_DIR]
#
# The tree is unpacked into BUILD_DIR/firebird-N (once per archive), its
# firebird.conf written whole (legacy modules from the build's UDF directory
# only), libudfzel.so copied into its plugins/udr. Then, with the tree's own
# client library and isql:
#   - the SQL suites of both faces, legacy, udr, udr_wide and udr_legacy
#     (the legacy-compatible mode), under C and pt_BR (udr_wide under C
#     before 6), with the same expectations as on Firebird 3 (the
#     concurrency run of 8 attachments on 8 threads and the migration of a
#     database with dependents among them), and the newer types (TIMESTAMP
#     WITH TIME ZONE, INT128, DECFLOAT, BOOLEAN) as arguments;
#   - attach/detach cycles under pt_BR and en_US, in a fresh process each,
#     calling every function after each re-attachment: the legacy module
#     must leave the process after each detach and load again;
#   - the upgrade a user makes: a Firebird 3 database with the legacy
#     declarations and dependents, backed up with Debian's gbak, restored
#     with this version's gbak, then switched to the UDR face by
#     sql/udfzel_udr_legacy.sql: the dependents give what they gave on
#     Firebird 3;
#   - the tree's own server on 127.0.0.1 on a private port: SuperServer
#     under pt_BR (SQL suites, cycles after which the legacy module must
#     leave the server process), Classic under C (SQL suites); these stand
#     for the embedded runs of the same faces and locales.
# Firebird 6.0 declares legacy external functions but fails every call of
# one in the server itself (a CSTRING result is "Data type unknown"; any
# other result dies in the engine before the module is reached): there the
# suites run the UDR face in its three declarations, the tests that call
# legacy declarations skip, and the cycles call the UDR face; a probe
# records what the engine does with each legacy declaration; and the
# migration runs on a database made by this version, whose view and computed
# column over legacy text results it stores as CSTRING and cannot read: the
# switch recreates them.
set -eu
version=$1
build=$(cd "${2:-build}" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# The trees' folder: UDFZEL_FIREBIRD_TREES, else ../shared/firebird beside
# the checkout, else the workspace's /work/shared/firebird.
trees=${UDFZEL_FIREBIRD_TREES:-}
if [ -z "$trees" ]; then
  for candidate in "$source_dir/../shared/firebird" /work/shared/firebird; do
    if [ -f "$candidate/SHA256SUMS" ]; then trees=$candidate; break; fi
  done
fi

case $version in
  4) archive=firebird-4.0.7-linux-x64.tar.gz ;;
  5) archive=firebird-5.0.4-linux-x64.tar.gz ;;
  6) archive=firebird-6.0.0.2123-linux-x64.tar.gz ;;
  *) echo "usage: test-firebird.sh 4|5|6 [BUILD_DIR]" >&2; exit 2 ;;
esac
[ -n "$trees" ] && [ -f "$trees/$archive" ] ||
  { echo "test-firebird: no $archive (set UDFZEL_FIREBIRD_TREES)" >&2; exit 1; }
(cd "$trees" && grep " $archive\$" SHA256SUMS | sha256sum -c --quiet) ||
  { echo "test-firebird: $archive does not match its checksum" >&2; exit 1; }

unpacked=$build/firebird-$version
root=$unpacked/opt/fb$version
stamp=$unpacked/.archive
if [ "$(cat "$stamp" 2>/dev/null)" != "$archive" ]; then
  rm -rf "$unpacked"
  mkdir -p "$unpacked"
  tar -xzf "$trees/$archive" -C "$unpacked"
  echo "$archive" >"$stamp"
fi
mkdir -p "$root/lock" "$root/tmp"
# The tree's firebird.conf ships with everything commented out: legacy
# external functions are off (UdfAccess = None) until a root allows them.
echo "UdfAccess = Restrict $build/udf" >"$root/firebird.conf"
cp "$build/udr/libudfzel.so" "$root/plugins/udr/"

# Everything below runs on this tree's engine and client library.
export FIREBIRD=$root FIREBIRD_LOCK=$root/lock FIREBIRD_TMP=$root/tmp
export LD_LIBRARY_PATH=$root/lib UDFZEL_TEST_FBROOT=$root UDFZEL_TEST_ISQL=$root/bin/isql
export UDFZEL_TEST_ENGINE=$version
unset UDFZEL_TEST_SERVER ISC_USER ISC_PASSWORD

faces="legacy udr udr_wide udr_legacy"
text_faces="legacy udr"
cycle_faces="legacy both"
# The faces the tree's server runs (SuperServer under pt_BR; Classic under
# C), which the embedded engine then leaves to it. In Classic, where each
# connection is a process that loads the modules anew, one face's suites
# (the legacy face's call the UDR face too, side by side on the hostile
# rows).
super_faces="legacy udr"
classic_faces=legacy
if [ "$version" -ge 6 ]; then
  faces="udr udr_wide udr_legacy"
  text_faces=udr
  cycle_faces=udr
  super_faces="udr udr_legacy"
  classic_faces=udr
fi
# Whether word $1 is one of the words $2.
among() { [[ " $2 " == *" $1 "* ]]; }

echo "== Firebird $version ($("$root/bin/isql" -z </dev/null 2>&1 | head -n 1)) =="
for face in $faces; do
  for lang in C pt_BR.UTF-8; do
    # The wide declarations change the texts' lengths, not what the locale
    # does; where the UDR face is the only one (6), they run under both.
    [ "$face" = udr_wide ] && [ "$lang" != C ] && [ "$version" -lt 6 ] && continue
    [ "$lang" = C ] && among "$face" "$classic_faces" && continue
    [ "$lang" != C ] && among "$face" "$super_faces" && continue
    echo "-- SQL suites, face $face, LANG=$lang"
    UDFZEL_TEST_FACE=$face UDFZEL_TEST_LANG=$lang "$build/tests/sql_tests" --gtest_brief=1 ||
      { echo "test-firebird: SQL suites ($face, $lang) failed on Firebird $version" >&2; exit 1; }
  done
done

# Texts of locales whose code page is not WIN1252, declared in its character
# set, through a UTF8 connection.
for locale in ru_RU:WIN1251 ja_JP:SJIS_0208 zh_TW:BIG_5; do
  for face in $text_faces; do
    echo "-- locale texts, face $face, LANG=${locale%%:*}.UTF-8"
    "$build/tests/sql_tests" --gtest_brief=1 --gtest_filter='SqlFaces.TextsInTheLocalesCodePage' \
      --udfzel-face=$face --udfzel-lang="${locale%%:*}.UTF-8" --udfzel-charset="${locale##*:}" ||
      { echo "test-firebird: locale texts ($face, $locale) failed on Firebird $version" >&2; exit 1; }
  done
done

db=$build/testdb/firebird-$version.fdb
mkdir -p "$build/testdb"
rm -f "$db" "$db.filler.fdb"
LANG=C "$build/tests/server_client" setup "$db" >/dev/null
for lang in pt_BR.UTF-8 en_US.UTF-8; do
  for faces in $cycle_faces; do
    # With "self", the legacy module must leave this process at each detach.
    watch=self
    [ "$faces" = udr ] && watch=""
    out=$(LANG=$lang "$build/tests/server_client" cycles "$db" 6 "$faces" $watch 2>&1) ||
      { echo "test-firebird: cycles on Firebird $version: $out" >&2; exit 1; }
    echo "-- attach/detach cycles, LANG=$lang: $out"
  done
done
if [ "$version" -ge 6 ]; then
  # What the engine does with each legacy declaration, each call in a child
  # process (after a control call of the UDR face that must work). A call
  # that works means the server was mended: the support matrix is then out
  # of date, and this stage says so.
  probe=$build/testdb/legacy-probe-$version.txt
  LANG=C "$build/tests/server_client" probe "$db" >"$probe" ||
    { echo "test-firebird: the legacy probe failed: $(cat "$probe")" >&2; exit 1; }
  echo "-- the legacy face on Firebird $version ($probe): $(tail -n 1 "$probe")"
  grep -q '^legacy calls: 0 work,' "$probe" ||
    { echo "test-firebird: Firebird $version now calls legacy functions; docs/udr.md says it" \
        "does not:" >&2; grep ' works$' "$probe" >&2; exit 1; }
fi
rm -f "$db" "$db.filler.fdb"

# The upgrade path, through backup and restore.
fb3=(env FIREBIRD="$build/fbroot" FIREBIRD_LOCK="$build/fbroot/lock" FIREBIRD_TMP="$build/fbroot/tmp"
  LD_LIBRARY_PATH= LANG=C)
# Named for the version: the stages of two versions may run side by side.
old_db=$build/testdb/upgrade-from-3-to-$version.fdb
backup=$build/testdb/upgrade-from-3-to-$version.fbk
fb3_results=$build/testdb/upgrade-3-to-$version.txt
rm -f "$old_db" "$backup" "$db"
check=$source_dir/tests/sql/legacy_dependents_check.sql
dependents=$source_dir/tests/sql/legacy_dependents.sql
rows=$source_dir/tests/sql/legacy_dependents_rows.sql
printf "create database '%s' user SYSDBA default character set utf8;\ninput '%s';\ninput '%s';\ninput '%s';\n" \
  "$old_db" "$source_dir/sql/udfzel.sql" "$dependents" "$rows" |
  "${fb3[@]}" isql-fb -q -b
"${fb3[@]}" isql-fb -q -user SYSDBA "$old_db" -i "$check" >"$fb3_results" 2>&1
"${fb3[@]}" gbak -b -user SYSDBA "$old_db" "$backup"
LANG=C "$root/bin/gbak" -c -user SYSDBA "$backup" "$db"
switched=$(LANG=C "$root/bin/isql" -q -b -user SYSDBA "$db" -i "$source_dir/sql/udfzel_udr_legacy.sql")
# Firebird 3 stored its views' and computed columns' types as VARCHAR:
# the switch finds nothing to recreate.
[ -z "$switched" ] ||
  { echo "test-firebird: the switch of the restored database recreated: $switched" >&2; exit 1; }
LANG=C "$root/bin/isql" -q -user SYSDBA "$db" -i "$check" >"$build/testdb/upgrade-$version.txt" 2>&1
grep -q 'ENGINE *UDR' "$build/testdb/upgrade-$version.txt" &&
  grep -q 'FUNCTIONS *28' "$build/testdb/upgrade-$version.txt" ||
  { echo "test-firebird: the restored database was not switched:" >&2;
    cat "$build/testdb/upgrade-$version.txt" >&2; exit 1; }
diff <(grep -a -v ENGINE "$fb3_results") <(grep -a -v ENGINE "$build/testdb/upgrade-$version.txt") ||
  { echo "test-firebird: the upgraded database's dependents give other results" >&2; exit 1; }
echo "-- Firebird 3 database with legacy declarations: gbak 3 backup, gbak $version restore," \
  "switched to the UDR face: its views, computed column and procedure give what they gave"
rm -f "$old_db" "$backup" "$db"

if [ "$version" -ge 6 ]; then
  # The migration on a database this version made: the legacy declarations
  # and their dependents, created here, switched by the legacy-compatible
  # script, then the rows (their trigger calls the functions, which only the
  # UDR face can do here). The uncast view and the computed column, stored
  # as CSTRING, fail until the switch recreates them; after it everything
  # gives what it gives on Firebird 3.
  printf "create database '%s' user SYSDBA default character set utf8;\ninput '%s';\ninput '%s';\n" \
    "$db" "$source_dir/sql/udfzel.sql" "$dependents" | LANG=C "$root/bin/isql" -q -b
  out=$(printf 'select * from people_initials;\nselect * from people;\n' |
    LANG=C "$root/bin/isql" -q -user SYSDBA "$db" 2>&1) || true
  [ "$(grep -c 'Data type unknown' <<<"$out")" = 2 ] ||
    { echo "test-firebird: before the switch, the uncast view and table gave: $out" >&2; exit 1; }
  report=$build/testdb/migration-$version.txt
  LANG=C "$root/bin/isql" -q -b -user SYSDBA "$db" -i "$source_dir/sql/udfzel_udr_legacy.sql" >"$report"
  recreated=$(grep -c ' recreated *$' "$report" || true)
  grep -q '^computed column "PUBLIC"."PEOPLE"."NAME_START" *recreated *$' "$report" &&
    grep -q '^view "PUBLIC"."PEOPLE_INITIALS" *recreated *$' "$report" && [ "$recreated" = 2 ] ||
    { echo "test-firebird: the switch did not recreate what it should:" >&2; cat "$report" >&2; exit 1; }
  LANG=C "$root/bin/isql" -q -b -user SYSDBA "$db" -i "$rows"
  LANG=C "$root/bin/isql" -q -user SYSDBA "$db" -i "$check" >"$build/testdb/migration-$version-check.txt" 2>&1
  diff <(grep -a -v ENGINE "$fb3_results") \
    <(grep -a -v ENGINE "$build/testdb/migration-$version-check.txt") ||
    { echo "test-firebird: the migrated database's dependents give other results" >&2; exit 1; }
  echo "-- Firebird $version database with legacy declarations, switched to the UDR face:" \
    "it recreated the view and the computed column stored as CSTRING; the views, computed" \
    "column, procedure and trigger give what they give on Firebird 3"
  rm -f "$db"
fi

# The tree's own server, started here from the tree (its root, lock and
# temporary directories, its security database given a SYSDBA password of
# this run), on 127.0.0.1 on a private port, reached over TCP by this
# build's client processes through the tree's client library: SuperServer
# under pt_BR (the SQL suites, and attach/detach cycles after which the
# legacy module must leave the server process), then Classic, a process per
# connection, under C. The server's log is read after each.
. "$source_dir/scripts/server-control.sh"
# A port range of its own per version (29340, 29350, 29360).
port=$(free_port $((29340 + 10 * (version - 4))))
password=udfzel-$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')
echo "create or alter user SYSDBA password '$password'; commit;" |
  LANG=C "$root/bin/isql" -q -b -user SYSDBA "$(echo "$root"/security*.fdb)"
server_pid=""
server_fail() {
  echo "test-firebird: Firebird $version server ($*)" >&2
  stop_server
  exit 1
}
start_server() {  # MODE LANG
  server_mode=$1 server_lang=$2
  printf 'UdfAccess = Restrict %s\nServerMode = %s\nRemoteServicePort = %s\nRemoteBindAddress = 127.0.0.1\n' \
    "$build/udf" "$server_mode" "$port" >"$root/firebird.conf"
  log_mark=$(wc -c 2>/dev/null <"$root/firebird.log" || echo 0)
  setsid env -i PATH=/usr/bin:/bin FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" \
    FIREBIRD_TMP="$root/tmp" LANG="$server_lang" "$root/bin/firebird" >>"$root/server.out" 2>&1 &
  server_pid=$!
  status=0
  await_listener "$server_pid" "$port" 300 || status=$?
  [ $status -ne 1 ] || { server_pid=""; server_fail "did not start"; }
  [ $status -ne 2 ] || server_fail "does not listen on port $port"
  echo "-- the tree's server, $server_mode mode on 127.0.0.1:$port, LANG=$server_lang"
}
stop_server() {
  [ -n "$server_pid" ] || return 0
  stop_group "$server_pid"
  server_pid=""
  echo "UdfAccess = Restrict $build/udf" >"$root/firebird.conf"
  bad=$(tail -c +"$((log_mark + 1))" "$root/firebird.log" 2>/dev/null |
    grep -iE 'error|fatal|signal|abnormal|bugcheck|consistency|crash' |
    grep -v 'setsockopt: error setting IPV6_V6ONLY' || true)
  [ -z "$bad" ] || { echo "test-firebird: the server's log holds: $bad" >&2; exit 1; }
}
trap stop_server EXIT
server_suites() {
  for face in "$@"; do
    echo "-- SQL suites over TCP, face $face, LANG=$server_lang"
    UDFZEL_TEST_FACE=$face UDFZEL_TEST_LANG=$server_lang "$build/tests/sql_tests" --gtest_brief=1 ||
      server_fail "SQL suites, face $face, LANG=$server_lang"
  done
}
export UDFZEL_TEST_SERVER="127.0.0.1:$port" ISC_USER=SYSDBA ISC_PASSWORD="$password"
server_db=$build/testdb/firebird-$version-server.fdb
rm -f "$server_db" "$server_db.filler.fdb"

start_server Super pt_BR.UTF-8
# shellcheck disable=SC2086
server_suites $super_faces
"$build/tests/server_client" setup "$server_db" >/dev/null || server_fail "setup"
for faces in $cycle_faces; do
  # The server's PID: the legacy module must leave it at each detach.
  watch=$server_pid
  [ "$faces" = udr ] && watch=""
  # shellcheck disable=SC2086
  out=$("$build/tests/server_client" cycles "$server_db" 6 "$faces" $watch 2>&1) ||
    server_fail "cycles: $out"
  echo "-- attach/detach cycles over TCP, LANG=$server_lang: $out"
done
stop_server

start_server Classic C
# shellcheck disable=SC2086
server_suites $classic_faces
stop_server
rm -f "$server_db" "$server_db.filler.fdb"
echo "Firebird $version passed."
