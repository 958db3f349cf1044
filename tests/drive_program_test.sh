#!/usr/bin/env bash
# Runs every script in the folder through sorato-drive and compares what it prints, its
# error line and its exit status with the files beside it: NAME.expected (standard
# output), NAME.stderr (standard error, empty when absent), NAME.status (0 when absent).
set -u
dir=$1
drive=${SORATO_DRIVE:?set SORATO_DRIVE to the driver}
failed=0
for script in "$dir"/*.drive; do
  name=${script%.drive}
  out=$(mktemp) err=$(mktemp)
  "$drive" <"$script" >"$out" 2>"$err"
  status=$?
  want_status=$(cat "$name.status" 2>/dev/null || echo 0)
  if [ "$status" != "$want_status" ]; then
    echo "FAIL $(basename "$script"): exit status $status, expected $want_status"; failed=1
  fi
  if ! diff -u "$name.expected" "$out" >/dev/null; then
    echo "FAIL $(basename "$script"): standard output differs"; diff -u "$name.expected" "$out" | head -40; failed=1
  fi
  if ! diff -u "${name}.stderr" "$err" >/dev/null 2>&1 && { [ -s "$err" ] || [ -e "$name.stderr" ]; }; then
    echo "FAIL $(basename "$script"): standard error differs"; cat "$err"; failed=1
  fi
  rm -f "$out" "$err"
  [ $failed -eq 0 ] && echo "ok   $(basename "$script")"
done
# Input or output that cannot be had, and arguments: each its message and status, never 0.
many=${TMPDIR:-/tmp}/many.drive.$$
printf 'get s\n%.0s' $(seq 50000) >"$many"
check() {  # WHAT WANT MESSAGE STATUS
  if [ "$4" = "$2" ] && [ "$(grep -c "^$3" "$err")" = 1 ]; then echo "ok   $1: status $2"
  else echo "FAIL $1: status $4, expected $2 and one line '$3'"; cat "$err"; failed=1; fi
}
err=$(mktemp)
"$drive" <"$many" >/dev/full 2>"$err"; check "a full disk" 3 "error: the output could not" $?
(printf 'get s\nbad\n' | "$drive" >/dev/full 2>"$err"); check "a full disk, then a bad line" 3 "error: the output could not" $?
"$drive" <"$many" 2>"$err" | head -c1 >/dev/null; check "a closed pipe" 3 "error: the output could not" "${PIPESTATUS[0]}"
"$drive" <"$many" 2>"$err" >&-; check "a closed output" 3 "error: the output could not" $?
"$drive" </ >/dev/null 2>"$err"; check "a folder for input" 4 "error: the input could not" $?
"$drive" <&- >/dev/null 2>"$err"; check "a closed input" 4 "error: the input could not" $?
"$drive" 0>>"$many" >/dev/null 2>"$err"; check "a write-only input" 4 "error: the input could not" $?
"$drive" "$many" <"$many" >/dev/null 2>"$err"; check "an argument" 2 "usage: sorato-drive" $?
rm -f "$many" "$err"
exit $failed
