#!/bin/bash
# The real-server stage: Debian's Firebird 3 server process, started here
# (no service manager) from a private configuration root, listening on
# 127.0.0.1 on a private port, reached over TCP by separate client processes.
#
#   test-server.sh super|classic [BUILD_DIR]
#   test-server.sh package BUILD_DIR STAGING [SYSROOT]
#
# super:   /usr/sbin/firebird itself, ServerMode = Super: one process, its
#          threads serve every attachment.
# classic: ServerMode = Classic behind an inetd-style listener
#          (systemd-socket-activate --inetd): one server process per
#          connection, each given LANG and the root by the listener.
#
# package: a SuperServer whose legacy and UDR modules and declaration scripts
#          are those of the Debian package unpacked into STAGING
#          (dpkg-deb -x): the SQL suites of both faces under pt_BR, the
#          server must have loaded the unpacked modules, and attach/detach
#          cycles call every function of both faces, whose rows on the
#          hostile table are left in ROOT/hostile-rows.txt (server_client
#          rows) for comparison with another CPU's.
#          With SYSROOT, the package is another architecture's (arm64, i386,
#          armhf) and the server is that architecture's Firebird unpacked in
#          SYSROOT (scripts/make-sysroot.sh), run by qemu-user-static; this
#          build's clients reach it over TCP as they reach a native one. Its
#          SQL suites are those UDFZEL_SERVER_SQL_FILTER names (a gtest
#          filter; default all).
#
# The server writes its log to the fixed /var/log/firebird: it runs in a
# mount namespace of its own where that directory is ROOT/log, so the
# system's log is never touched. Nothing of the system's Firebird
# configuration is read or changed (scripts/make-fbroot.sh).
#
# Against the server, in turn:
#   LANG=C      the SQL suites of both faces, the wide and legacy-compatible
#               declarations of the UDR face among them in SuperServer
#               mode (the embedded expectations);
#   pt_BR       on the fresh server, attach/detach cycles calling every
#               function of the legacy face (with Super, the legacy module
#               must leave the server after each detach and load again,
#               while other memory takes its place); the SQL suites again;
#               the cycles through both faces;
#               16 client processes at once running every function of both
#               faces over the hostile rows for LOAD_SECONDS (default 20):
#               no mismatch, no error, the server's PID unchanged, and its
#               resident memory not climbing; then writers committing rows
#               made by the functions, the server killed with SIGKILL in the
#               middle, restarted, every committed row there byte for byte
#               and gfix -v -full clean;
#   en_US       the attach/detach cycles again, both kinds.
# The server's log is read after each run: a line of a crash or an error
# fails the stage.
set -eu
mode=$1
build=$(cd "${2:-build}" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
load_seconds=${LOAD_SECONDS:-20}
clients=16
writers=4
cycles=6
# Resident memory may grow this much (kB) over the load run, or stay behind
# after it, before it counts as a climb: a leak of 10 bytes a call is more.
rss_allowance=${RSS_ALLOWANCE_KB:-32768}

udf_dir=$build/udf
udr_module=$build/udr/libudfzel.so
udr_dir=()
emulator=""
firebird=/usr/sbin/firebird
sql_filter=${UDFZEL_SERVER_SQL_FILTER:-*}
case $mode in
  super) server_mode=Super base_port=29310 ;;
  classic) server_mode=Classic base_port=29320 ;;
  package)
    server_mode=Super base_port=29330
    staging=$(cd "$3" && pwd)
    if [ -n "${4:-}" ]; then
      sysroot=$(cd "$4" && pwd)
      system_dir=$(echo "$sysroot"/usr/lib/*-linux-gnu*/firebird/3.0)
      triplet=${system_dir#"$sysroot"/usr/lib/}
      emulator="qemu-${triplet%%-*}-static -L $sysroot"
      firebird=$sysroot/usr/sbin/firebird
      export UDFZEL_FIREBIRD_SYSTEM_DIR=$system_dir
    fi
    firebird_dir=$(echo "$staging"/usr/lib/*-linux-gnu*/firebird/3.0)
    udf_dir=$firebird_dir/UDF
    udr_module=""
    udr_dir=(--udr-dir "$firebird_dir/plugins/udr")
    export UDFZEL_TEST_SCRIPT_DIR=$staging/usr/share/udfzel
    ;;
  *)
    echo "usage: test-server.sh super|classic [BUILD_DIR] | package BUILD_DIR STAGING [SYSROOT]" >&2
    exit 2
    ;;
esac

. "$source_dir/scripts/server-control.sh"
port=$(free_port "$base_port")

name=server-$mode${triplet:+-${triplet%%-*}}
root=$build/$name
password=udfzel-$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')
db=$build/testdb/$name.fdb
"$source_dir/scripts/make-fbroot.sh" --server "$server_mode" "$port" "$password" "${udr_dir[@]}" \
  "$root" "$udf_dir" $udr_module >/dev/null
mkdir -p "$build/testdb"
rm -f "$db" "$db.filler.fdb"

# The clients: this build's test programs, through the server.
export UDFZEL_TEST_SERVER="127.0.0.1:$port" ISC_USER=SYSDBA ISC_PASSWORD="$password"
client="$build/tests/server_client"

fail() {
  echo "test-server ($mode): $*" >&2
  if [ -n "${server_pid:-}" ] && ! kill -0 "$server_pid" 2>/dev/null; then
    status=0
    wait "$server_pid" 2>/dev/null || status=$?
    [ $status -gt 128 ] && status="signal $((status - 128))"
    echo "test-server ($mode): the server process $server_pid died ($status)" >&2
    server_pid=""
  fi
  stop_server
  exit 1
}

# Starts the server with LANG=$1 in a clean environment; server_pid is its
# process (for Classic, the listener's), and its process group.
start_server() {
  lang=$1
  server_lang=$lang
  fbenv="FIREBIRD=$root FIREBIRD_LOCK=$root/lock FIREBIRD_TMP=$root/tmp"
  if [ "$server_mode" = Super ]; then
    program="env -i PATH=/usr/sbin:/usr/bin:/bin $fbenv LANG=$lang $emulator $firebird"
  else
    program="systemd-socket-activate -l 127.0.0.1:$port -a --inetd"
    for setting in $fbenv LANG="$lang"; do program="$program -E $setting"; done
    program="$program /usr/sbin/firebird"
  fi
  # shellcheck disable=SC2016
  env -i PATH=/usr/sbin:/usr/bin:/bin setsid unshare --mount --propagation private \
    sh -c 'mount --bind "$1/log" /var/log/firebird && shift && exec "$@"' sh "$root" \
    $program >>"$root/server.out" 2>&1 &
  server_pid=$!
  status=0
  await_listener "$server_pid" "$port" 600 || status=$?
  [ $status -ne 1 ] || fail "the server did not start: $(cat "$root/server.out")"
  [ $status -ne 2 ] || fail "the server does not listen on port $port"
}

stop_server() {
  [ -n "${server_pid:-}" ] || return 0
  stop_group "$server_pid"
  server_pid=""
}

# Resident memory of the server's processes, in kB.
server_rss() {
  total=0
  for pid in $(pgrep -g "$server_pid"); do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
    total=$((total + ${rss:-0}))
  done
  echo "$total"
}

# Fails on a line of a crash or an error in the log written since `mark`.
check_log() {
  log=$root/log/firebird3.0.log
  [ -f "$log" ] || return 0
  new=$(tail -c +"$((log_mark + 1))" "$log")
  log_mark=$(wc -c <"$log")
  bad=$(printf '%s\n' "$new" | grep -iE 'error|fatal|signal|abnormal|bugcheck|consistency|crash' |
    grep -vE 'setsockopt: error setting IPV6_V6ONLY|Validation finished: 0 errors,' ||
    true)
  [ -z "$bad" ] || fail "the server's log ($server_lang) holds: $bad"
  # The listener reports how each connection's process ended (Classic).
  died=$(tail -c +"$((out_mark + 1))" "$root/server.out" | grep -E 'died with code [1-9]' || true)
  out_mark=$(wc -c <"$root/server.out")
  [ -z "$died" ] || fail "server processes ended abnormally: $died"
}
log_mark=0
out_mark=0

sql_suites() {
  for face in "$@"; do
    echo "-- SQL suites, face $face, LANG=$server_lang"
    UDFZEL_TEST_FACE=$face UDFZEL_TEST_LANG=$server_lang \
      "$build/tests/sql_tests" --gtest_brief=1 --gtest_filter="$sql_filter" ||
      fail "SQL suites ($face, $server_lang) failed"
  done
}

# The texts of the server's locale through both faces, declared by the
# scripts of its code page's character set $1.
locale_texts() {
  for face in legacy udr; do
    echo "-- locale texts, face $face, LANG=$server_lang, declared in $1"
    "$build/tests/sql_tests" --gtest_brief=1 --gtest_filter='SqlFaces.TextsInTheLocalesCodePage' \
      --udfzel-face=$face --udfzel-lang="$server_lang" --udfzel-charset="$1" ||
      fail "locale texts ($face, $server_lang) failed"
  done
}

# Attach/detach cycles calling every function of face $1 (legacy or both).
run_cycles() {
  pid_arg=""
  [ "$server_mode" = Super ] && pid_arg=$server_pid
  # shellcheck disable=SC2086
  out=$("$client" cycles "$db" "$cycles" "$1" $pid_arg 2>&1) || fail "attach/detach cycles: $out"
  echo "-- attach/detach cycles, LANG=$server_lang: $out"
}

# Largest of the words given.
largest() { printf '%s\n' "$@" | sort -n | tail -n 1; }

run_load() {
  rm -f "$root"/load-*.out
  rss_idle=$(server_rss)
  pids=()
  for ((i = 0; i < clients; i++)); do
    "$client" load "$db" "$load_seconds" >"$root/load-$i.out" 2>&1 &
    pids+=($!)
  done
  # Resident memory once a second; the first thirds after a warm-up second
  # and the last third are compared (single samples vary by about 10%).
  samples=()
  for ((t = 0; t < load_seconds - 1; t++)); do
    sleep 1
    samples+=("$(server_rss)")
  done
  third=$(((load_seconds - 2) / 3))
  rss_early=$(largest "${samples[@]:1:third}")
  rss_late=$(largest "${samples[@]: -third}")
  failed=0
  for pid in "${pids[@]}"; do wait "$pid" || failed=$((failed + 1)); done
  kill -0 "$server_pid" 2>/dev/null || fail "the server died under load"
  sleep 1
  rss_after=$(server_rss)
  calls=$(awk '{ s += $3 } END { print s }' "$root"/load-*.out)
  errors=$(grep -ho '\[.*\]=[0-9]*' "$root"/load-*.out | sort | uniq -c || true)
  echo "-- load: $clients client processes x ${load_seconds}s, $calls calls," \
    "errors by kind: ${errors:-none}; server process $server_pid throughout;" \
    "server RSS idle $rss_idle kB, under load $rss_early kB early and $rss_late kB late," \
    "after the clients left $rss_after kB"
  [ $failed -eq 0 ] || fail "$failed load clients failed: $(cat "$root"/load-*.out)"
  [ $((rss_late - rss_early)) -le "$rss_allowance" ] ||
    fail "the server's memory climbed under load from $rss_early to $rss_late kB"
  [ $((rss_after - rss_idle)) -le "$rss_allowance" ] ||
    fail "the server kept $((rss_after - rss_idle)) kB after the load"
}

run_kill_and_restart() {
  rm -f "$root"/write-*.log "$root"/write-*.err
  writer_pids=
  i=1
  while [ $i -le $writers ]; do
    "$client" write "$db" "$i" >"$root/write-$i.log" 2>"$root/write-$i.err" &
    writer_pids="$writer_pids $!"
    i=$((i + 1))
  done
  sleep 3
  # A writer ends only when the server goes: one that ended before is a
  # failure of its own, whatever the rows say.
  ended=0
  for pid in $writer_pids; do kill -0 "$pid" 2>/dev/null || ended=$((ended + 1)); done
  kill -KILL -- "-$server_pid"
  for job in $(jobs -p); do { wait "$job"; } 2>/dev/null || true; done
  [ $ended -eq 0 ] || fail "$ended writer(s) ended before the kill: $(cat "$root"/write-*.err)"
  start_server "$server_lang"
  out=$("$client" verify "$db" "$root"/write-*.log 2>&1) ||
    fail "after the restart: $out; the writers said: $(cat "$root"/write-*.err)"
  echo "-- killed with SIGKILL under write load of $writers clients, restarted: $out"
  # A page the killed server had allocated but not yet linked is an orphan:
  # a warning (space, not data), which validation releases. Errors fail.
  validation=$(gfix -v -full -user SYSDBA -password "$password" \
    "inet://127.0.0.1:$port/$db" 2>&1) || fail "gfix -v -full failed: $validation"
  errors=$(printf '%s\n' "$validation" | grep -E 'Number of .*: *[1-9]' | grep -v warnings || true)
  [ -z "$errors" ] || fail "gfix -v -full found: $validation"
  warnings=$(printf '%s\n' "$validation" | grep -E 'warnings' | grep -oE '[0-9]+$' || echo 0)
  echo "-- gfix -v -full: no error, $warnings page warning(s) (orphan pages of the killed server)"
}

echo "== Real server: $server_mode mode on 127.0.0.1:$port${staging:+, modules of $staging}${emulator:+, run by $emulator} =="
trap stop_server EXIT INT TERM

if [ "$mode" = package ]; then
  start_server pt_BR.UTF-8
  sql_suites legacy udr
  out=$("$client" setup "$db" 2>&1) || fail "cannot set up $db: $out"
  # While an attachment uses the legacy face (the UDR module stays loaded
  # once declared), the server maps both modules from the staging root.
  rm -f "$root/release"
  (
    echo "select f_strlen('abc'), x_strlen('abc') from rdb\$database;"
    until [ -e "$root/release" ]; do sleep 0.2; done
  ) | isql-fb -q "inet://127.0.0.1:$port/$db" >/dev/null &
  holder=$!
  for module in "$udf_dir/udfzel.so" "$firebird_dir/plugins/udr/libudfzel.so"; do
    tries=0
    until grep -q " $module\$" "/proc/$server_pid/maps"; do
      tries=$((tries + 1))
      [ $tries -lt 300 ] || fail "the server did not load $module"
      sleep 0.1
    done
  done
  touch "$root/release"
  wait $holder
  echo "-- the server loaded both modules from the unpacked package"
  run_cycles both
  "$client" rows "$db" >"$root/hostile-rows.txt" || fail "the hostile rows: $(cat "$root/hostile-rows.txt")"
  stop_server
  check_log
  # The package's scripts of other character sets, under their locales.
  start_server ru_RU.UTF-8
  locale_texts WIN1251
  stop_server
  start_server ja_JP.UTF-8
  locale_texts SJIS_0208
  stop_server
  check_log
  echo "Real server (package) passed."
  exit 0
fi
start_server C
out=$("$client" setup "$db" 2>&1) || fail "cannot set up $db: $out"
# The wide and legacy-compatible declarations differ from the UDR one only
# in what they declare, not in how a connection reaches the module: one
# server mode runs them.
if [ "$server_mode" = Super ]; then
  sql_suites legacy udr udr_wide udr_legacy
else
  sql_suites legacy udr
fi
stop_server
check_log

# A fresh server whose first attachments use only the legacy face, as most
# installations do: the module loads, unloads and loads again.
start_server pt_BR.UTF-8
run_cycles legacy
sql_suites legacy udr
run_cycles both
run_load
run_kill_and_restart
stop_server
check_log

start_server en_US.UTF-8
run_cycles legacy
run_cycles both
stop_server
check_log
echo "-- the server's log:"
sed 's/^/   /' "$root/log/firebird3.0.log" 2>/dev/null || true
echo "Real server ($server_mode) passed."
