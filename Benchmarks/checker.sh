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

# "WALL CPU": the median wall time and the median processor time (user and
# system) in milliseconds of eleven runs of COMMAND. On a shared machine the
# processor time is the steadier of the two.
median_ms() {
    local times=$work/times
    : >"$times"
    local TIMEFORMAT='%3R %3U %3S'
    for _ in $(seq 1 11); do
        { time "$@" >/dev/null 2>&1 || true; } 2>>"$times"
    done
    local wall cpu
    wall=$(awk '{print int($1 * 1000)}' "$times" | sort -n | sed -n 6p)
    cpu=$(awk '{print int(($2 + $3) * 1000)}' "$times" | sort -n | sed -n 6p)
    echo "$wall $cpu"
}

ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }

for kind in ascii-16MB mixed-16MB; do
    "$build/bin/ledgerly-bench-write-file" "$kind" "$work/$kind.md"
    read -r check_wall check_cpu < <(median_ms "$check" "$work/$kind.md")
    read -r md4c_wall md4c_cpu < <(median_ms "$build/bin/ledgerly-bench-md4c" "$work/$kind.md")
    echo "$kind: ledgerly-check ${check_wall} ms (processor ${check_cpu} ms)," \
        "md4c parse only ${md4c_wall} ms (processor ${md4c_cpu} ms):" \
        "ratio $(ratio "$check_wall" "$md4c_wall") (processor $(ratio "$check_cpu" "$md4c_cpu"))"
done
