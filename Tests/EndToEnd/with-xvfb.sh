#!/usr/bin/env bash
# with-xvfb.sh COMMAND...: runs COMMAND against a private X server (Xvfb on a
# free display) and a private D-Bus session bus, and stops both afterwards.
set -euo pipefail

xvfb_log=$(mktemp)
display_pipe=$(mktemp -u)
mkfifo "$display_pipe"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$display_pipe" 2>"$xvfb_log" &
xvfb_pid=$!
cleanup() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_pipe" "$xvfb_log"
}
trap cleanup EXIT

# Xvfb writes the display number once it accepts connections.
if ! read -r -t 20 display_number <"$display_pipe"; then
    echo "with-xvfb: Xvfb did not start:" >&2
    cat "$xvfb_log" >&2
    exit 1
fi
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY
dbus-run-session -- "$@"
