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
# Output that cannot be written (a full disk, a reader gone): a message and status 3.
printf 'get s\n%.0s' $(seq 50000) >"${TMPDIR:-/tmp}/many.drive.$$"
"$drive" <"${TMPDIR:-/tmp}/many.drive.$$" >/dev/full 2>/dev/null
full=$?
"$drive" <"${TMPDIR:-/tmp}/many.drive.$$" 2>/dev/null | head -c1 >/dev/null
pipe=${PIPESTATUS[0]}
rm -f "${TMPDIR:-/tmp}/many.drive.$$"
if [ "$full" = 3 ] && [ "$pipe" = 3 ]; then
  echo "ok   output lost: status 3 on a full disk and on a closed pipe"
else
  echo "FAIL output lost: status $full on a full disk, $pipe on a closed pipe, expected 3"; failed=1
fi
exit $failed
