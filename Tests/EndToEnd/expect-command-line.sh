#!/usr/bin/env bash
# expect-command-line.sh LEDGERLY LEDGERLY_CHECK MAN_FOLDER: both programs read
# their command lines as their help and manual pages say, without a display
# or a session bus.
set -uo pipefail
ledgerly=$1 check=$2 man=$3
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the command; sets status, out and err.
run() {
    local errFile
    errFile=$(mktemp)
    out=$("$@" 2>"$errFile")
    status=$?
    err=$(cat "$errFile")
    rm -f "$errFile"
}

# The options a help text lists in its option column ("  -h, --help  ..."), one a line.
help_options() {
    sed -nE 's/^  (-[^ ,]*(, -[^ ,]*)*)( .*)?$/\1/p' | tr ',' '\n' | tr -d ' ' | sort
}

# The options the manual page's OPTIONS section lists, one a line.
man_options() {
    sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$1" | sed -n '/^\.TP/{n;p}' | sed -e 's/\\-/-/g' -e 's/^\.BR* //' |
        tr -d '"' | tr ',' '\n' | tr -s ' ' '\n' | grep -E '^-' | sort
}

# The exit statuses a help text and a manual page name.
help_statuses() { sed -n '/^Exit status/,$p' | grep -oE '\b[0-9]\b when' | cut -c1 | sort -u; }
man_statuses() { sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$1" | sed -nE 's/^\.B ([0-9])$/\1/p' | sort -u; }

expect_help_matches_man() {
    local name=$1 program=$2 page=$3
    run "$program" --help
    [ "$status" -eq 0 ] || fail "$name --help: exit status $status"
    [ -z "$err" ] || fail "$name --help wrote to standard error: $err"
    [ "$(help_options <<<"$out")" = "$(man_options "$page")" ] ||
        fail "$name: --help lists [$(help_options <<<"$out" | xargs)], the manual page [$(man_options "$page" | xargs)]"
    [ "$(help_statuses <<<"$out")" = "$(man_statuses "$page")" ] ||
        fail "$name: --help names exit statuses [$(help_statuses <<<"$out" | xargs)], the manual page [$(man_statuses "$page" | xargs)]"
}

# A wrong command line: status 2, nothing on standard output, what is wrong first and the usage after it.
expect_usage_error() {
    local name=$1 expected=$2
    shift 2
    run "$@"
    [ "$status" -eq 2 ] || fail "$name: exit status $status, expected 2"
    [ -z "$out" ] || fail "$name wrote to standard output: $out"
    [ "$(head -n 1 <<<"$err")" = "$expected" ] || fail "$name: first line [$(head -n 1 <<<"$err")], expected [$expected]"
}

expect_help_matches_man ledgerly "$ledgerly" "$man/ledgerly.1"
expect_help_matches_man ledgerly-check "$check" "$man/ledgerly-check.1"

run "$ledgerly" --version
[ "$status" -eq 0 ] && [[ "$out" =~ ^ledgerly\ [0-9] ]] || fail "ledgerly --version: status $status, [$out]"

expect_usage_error "ledgerly --bogus" "ledgerly: Unknown option 'bogus'." "$ledgerly" --bogus
grep -q '^Usage: ' <<<"$err" || fail "ledgerly --bogus gave no usage: $err"
expect_usage_error "ledgerly with an argument" "ledgerly: Unexpected argument 'notes.md'." "$ledgerly" notes.md
expect_usage_error "ledgerly -platform" "ledgerly: Unknown option 'platform'." "$ledgerly" -platform xcb
expect_usage_error "ledgerly-check --bogus" "ledgerly-check: unknown option '--bogus'" "$check" --bogus

run "$ledgerly" --show-menu
[ "$status" -eq 1 ] && [ "$err" = "Ledgerly is not running." ] ||
    fail "--show-menu without a bus: status $status, [$err]"

[ "$failures" -eq 0 ] && echo "PASS: command lines, help texts and manual pages agree"
[ "$failures" -eq 0 ]
