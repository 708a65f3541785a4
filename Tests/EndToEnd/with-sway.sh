#!/usr/bin/env bash
# with-sway.sh COMMAND...: runs COMMAND on a headless Wayland desktop: sway
# with the pixman renderer, one 1280x800 output and XWayland, on a private
# session bus. sway refuses to run as root, so root runs all of it as the
# unprivileged user nobody. COMMAND finds WAYLAND_DISPLAY (an absolute path),
# DISPLAY (XWayland) and SWAYSOCK set; it may change XDG_RUNTIME_DIR.
set -euo pipefail

as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp "$@"; }

# A checkout under a private home is out of nobody's reach: the scripts and
# the programs of the test then run from a copy that nobody can read.
stage_for_nobody() {
    local stage variable
    stage=$(mktemp -d /tmp/ledgerly-wayland.XXXXXX)
    STAGE=$stage
    chmod 755 "$stage"
    cp -r "$(dirname "$1")" "$stage/scripts"
    mkdir "$stage/bin"
    for variable in LEDGERLY LEDGERLY_CHECK LEDGERLY_TEST_POINTER; do
        if [ -n "${!variable:-}" ] && [ -f "${!variable}" ]; then
            cp "${!variable}" "$stage/bin/"
            export "$variable=$stage/bin/$(basename "${!variable}")"
        fi
    done
    chmod -R a+rX "$stage"
    STAGED_COMMAND="$stage/scripts/$(basename "$1")"
}

if [ "$(id -u)" -eq 0 ]; then
    # What the session writes (screenshots) must be writable by nobody.
    if [ -n "${SCREENSHOTS:-}" ]; then
        install -d -o 65534 -g 65534 "$SCREENSHOTS/wayland"
    fi
    command=$1
    self=$(readlink -f "$0")
    shift
    if ! as_nobody test -r "$command" -a -r "$self" -a -x "${LEDGERLY:-/bin/true}"; then
        stage_for_nobody "$command"
        command=$STAGED_COMMAND
        self=$(dirname "$command")/$(basename "$self")
        cp "$(readlink -f "$0")" "$self"
        chmod a+rx "$self"
    fi
    status=0
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp "$self" "$command" "$@" || status=$?
    [ -n "${STAGE:-}" ] && rm -rf "$STAGE"
    exit "$status"
fi

if [ "${1:-}" != "--inside-bus" ]; then
    exec dbus-run-session -- "$0" --inside-bus "$@"
fi
shift

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

cat >"$runtime/sway.config" <<EOF
xwayland enable
output * resolution 1280x800
exec env > "$runtime/session.env.tmp" && mv "$runtime/session.env.tmp" "$runtime/session.env"
EOF

sway -c "$runtime/sway.config" >"$runtime/sway.log" 2>&1 &
sway_pid=$!
cleanup() {
    if ! kill -0 "$sway_pid" 2>/dev/null; then
        echo "with-sway: sway ended during the test; its log ends:" >&2
        tail -30 "$runtime/sway.log" >&2
    fi
    swaymsg exit >/dev/null 2>&1 || kill "$sway_pid" 2>/dev/null || true
    wait "$sway_pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

for _ in $(seq 1 200); do
    [ -f "$runtime/session.env" ] && break
    if ! kill -0 "$sway_pid" 2>/dev/null; then
        echo "with-sway: sway did not start:" >&2
        cat "$runtime/sway.log" >&2
        exit 1
    fi
    sleep 0.05
done
[ -f "$runtime/session.env" ] || { echo "with-sway: sway did not come up" >&2; exit 1; }

session_value() { sed -n "s/^$1=//p" "$runtime/session.env"; }
export WAYLAND_DISPLAY="$runtime/$(session_value WAYLAND_DISPLAY)"
export SWAYSOCK=$(session_value SWAYSOCK)
export DISPLAY=$(session_value DISPLAY)
if ! swaymsg -t get_outputs | grep -q '"name"'; then
    swaymsg create_output >/dev/null
    swaymsg output '*' resolution 1280x800 >/dev/null
fi

"$@"
