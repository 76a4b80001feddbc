# shellcheck shell=bash
# Ports of 127.0.0.1 and process groups of the servers the test command
# starts; sourced by test-server.sh and test-firebird.sh.

# Whether a socket listens on port $1.
listening() {
  hex=$(printf ':%04X ' "$1")
  grep -q "$hex.* 0A " /proc/net/tcp 2>/dev/null
}

# Whether any socket has port $1 at either end (a client's connection or
# one closing, which would make the listener's bind fail).
port_taken() {
  hex=$(printf ':%04X ' "$1")
  cat /proc/net/tcp /proc/net/tcp6 2>/dev/null | grep -q "$hex"
}

# The first port from $1 up that no socket uses. The bases are never the
# system's 3050, and below the range the kernel hands clients their ports
# from (32768 and up), so no client's connection can take one meanwhile.
free_port() {
  candidate=$1
  while port_taken "$candidate"; do candidate=$((candidate + 1)); done
  echo "$candidate"
}

# Waits up to $3 tenths of a second for the server process $1 to listen on
# port $2. Fails with 1 when the process ended first, 2 when time ran out.
await_listener() {
  tries=0
  until listening "$2"; do
    tries=$((tries + 1))
    kill -0 "$1" 2>/dev/null || return 1
    [ $tries -lt "$3" ] || return 2
    sleep 0.1
  done
}

# Ends the process group led by $1 (a server started by setsid): SIGTERM,
# up to 10 s to leave, then SIGKILL; reaps the leader.
stop_group() {
  kill -TERM -- "-$1" 2>/dev/null || true
  tries=0
  while kill -0 -- "-$1" 2>/dev/null && [ $tries -lt 100 ]; do
    tries=$((tries + 1))
    sleep 0.1
  done
  kill -KILL -- "-$1" 2>/dev/null || true
  { wait "$1"; } 2>/dev/null || true
}
