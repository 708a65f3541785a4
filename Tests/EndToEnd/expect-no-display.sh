#!/usr/bin/env bash
# expect-no-display.sh LEDGERLY: without a display, one clear line and exit status 1.
set -uo pipefail
stderr=$("$1" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1" >&2; exit 1; }
[ "$(printf '%s\n' "$stderr" | wc -l)" -eq 1 ] || { echo "FAIL: expected one line, got: $stderr" >&2; exit 1; }
case "$stderr" in
*"needs a desktop session"*) echo "PASS: $stderr" ;;
*) echo "FAIL: unclear message: $stderr" >&2; exit 1 ;;
esac
