#!/bin/sh
# The Windows tests' emulator: runs a program under the architecture's wine
# loader (the first argument). A wine that failed before the program ran at
# all (a failing status and not one byte written: the test programs write
# their first line before any test starts, and flush every line) is asked
# once more, and says so; a program that ran and failed is never rerun.
set -u
loader=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$loader" "$@" >"$log" 2>&1
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$log" ]; then
  echo "wine-run: wine gave status $status before the program wrote anything; running it again" >&2
  "$loader" "$@" >"$log" 2>&1
  status=$?
fi
cat "$log"
exit "$status"
