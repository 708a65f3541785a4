#!/usr/bin/env bash
# checker.sh [BUILD_DIR]: ledgerly-check as a whole process against a program
# that only reads and parses the same file with md4c, on the parser
# benchmark's 16 MB files. Goal: a time ratio under 0.8.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
check=${LEDGERLY_CHECK:-$build/bin/ledgerly-check}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median wall time in milliseconds of eleven runs of COMMAND.
median_ms() {
    local runs=() started
    for _ in $(seq 1 11); do
        started=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        runs+=($((($(date +%s%N) - started) / 1000000)))
    done
    printf '%s\n' "${runs[@]}" | sort -n | sed -n 6p
}

for kind in ascii-16MB mixed-16MB; do
    "$build/bin/ledgerly-bench-write-file" "$kind" "$work/$kind.md"
    checker=$(median_ms "$check" "$work/$kind.md")
    md4c=$(median_ms "$build/bin/ledgerly-bench-md4c" "$work/$kind.md")
    echo "$kind: ledgerly-check $checker ms, md4c parse only $md4c ms, ratio $(awk "BEGIN {printf \"%.2f\", $checker / $md4c}")"
done
