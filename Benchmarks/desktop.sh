#!/usr/bin/env bash
# desktop.sh [BUILD_DIR]: speed and memory of the tray application under
# Xvfb with a tray. Goals: start to tray icon under 300 ms, resident memory
# under 40 MB with the starter file, file write to new MenuJson under 20 ms,
# no system calls while idle.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)

if [ -z "${LEDGERLY_BENCH_INSIDE:-}" ]; then
    LEDGERLY_BENCH_INSIDE=1 exec "$root/Tests/EndToEnd/with-xvfb.sh" "$0" "$build"
fi

source "$root/Tests/EndToEnd/lib.sh"
LEDGERLY=$build/bin/ledgerly
make_sandbox
trap stop_all EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
resident_mb() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

stop_ledgerly() {
    kill "$LEDGERLY_PID" 2>/dev/null
    wait "$LEDGERLY_PID" 2>/dev/null
    wait_for 5 sh -c '! dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.ledgerly.Ledgerly | grep -q "boolean true"'
}

# Starts Ledgerly; STARTUP_MS is the time until its tray icon is mapped.
start_timed() {
    local started
    started=$(now_ms)
    "$LEDGERLY" >/dev/null 2>&1 &
    LEDGERLY_PID=$!
    until tray_icon_window >/dev/null; do sleep 0.005; done
    STARTUP_MS=$(($(now_ms) - started))
}

cp "$root/Samples/starter.ledgerly.md" "$HOME/starter.md"
select_file "$HOME/starter.md"
start_tray

startups=()
for run in 1 2 3 4 5; do
    start_timed
    startups+=("$STARTUP_MS")
    [ "$run" -lt 5 ] && stop_ledgerly
done
echo "start to tray icon (median of 5): $(printf '%s\n' "${startups[@]}" | median) ms  [${startups[*]}]"
sleep 1
echo "resident memory, starter file: $(resident_mb "$LEDGERLY_PID") MB"

# One read of MenuJson from a new dbus-send process, to take off the figure below.
reads=()
for run in $(seq 1 20); do
    started=$(now_ms)
    property MenuJson >/dev/null
    reads+=($(($(now_ms) - started)))
done
read_ms=$(printf '%s\n' "${reads[@]}" | median)
echo "one MenuJson read with dbus-send (median of 20): $read_ms ms"

# Twenty appends, each timed until MenuJson shows it.
latencies=()
for run in $(seq 1 20); do
    started=$(now_ms)
    printf -- '- [Bench %s](https://bench.example/%s)\n' "$run" "$run" >>"$HOME/starter.md"
    until property MenuJson | grep -q "Bench $run\""; do :; done
    latencies+=($(($(now_ms) - started)))
done
write_ms=$(printf '%s\n' "${latencies[@]}" | median)
echo "file write to new MenuJson (median of 20): $write_ms ms including reads, about $(awk "BEGIN {print $write_ms - $read_ms}") ms without one read"

sleep 2
strace -c -f -p "$LEDGERLY_PID" -o "$SANDBOX/strace.txt" 2>"$SANDBOX/strace.err" &
strace_pid=$!
sleep 10  # the measured idle period itself
kill -INT "$strace_pid"
wait "$strace_pid" 2>/dev/null
grep -q attached "$SANDBOX/strace.err" || echo "strace could not attach: $(cat "$SANDBOX/strace.err")"
# strace -c writes no table at all when nothing was called.
calls=$(awk '/total$/ {print $4}' "$SANDBOX/strace.txt")
echo "system calls in 10 idle seconds: ${calls:-0}"
sed 's/^/    /' "$SANDBOX/strace.txt"

stop_ledgerly

{
    echo "# Ten Thousand"
    for i in $(seq 1 10000); do
        if ((i % 100 == 1)); then echo "## Group $((i / 100))"; fi
        echo "- [Link $i](https://example.com/$i)"
    done
} >"$HOME/large.md"
select_file "$HOME/large.md"
start_timed
echo "start to tray icon, 10,000 entries: $STARTUP_MS ms"
sleep 1
echo "resident memory, 10,000 entries: $(resident_mb "$LEDGERLY_PID") MB"
