# Shared helpers of the end-to-end scenarios. Sourced by ledgerly-e2e.sh,
# which runs inside with-xvfb.sh (a private X server and session bus).

# Microseconds since the epoch; $SECONDS counts whole seconds, so "1" could end at once.
now_microseconds() { echo "${EPOCHREALTIME//[.,]/}"; }

# Polls COMMAND every 50 ms until it succeeds or SECONDS pass; fails then.
wait_for() {
    local seconds=$1
    shift
    local deadline=$(($(now_microseconds) + seconds * 1000000))
    until "$@" >/dev/null 2>&1; do
        if (($(now_microseconds) >= deadline)); then
            echo "timed out after ${seconds}s waiting for: $*" >&2
            return 1
        fi
        sleep 0.05
    done
}

# Runs `ledgerly --show-menu` until CHECK sees the menu: the gate refuses for
# a moment after the menu closed. Status 1: the running Ledgerly was not
# reached; 2: the menu never showed.
show_menu_until() {
    local attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        "$LEDGERLY" --show-menu || return 1
        wait_for 1 "$1" && return 0
    done
    return 2
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_equal() {
    local expected=$1 actual=$2 what=$3
    [ "$expected" = "$actual" ] || fail "$what: expected [$expected], got [$actual]"
}

# A throw-away home and config home, and a stand-in xdg-open that records what it is asked to open.
make_sandbox() {
    SANDBOX=$(mktemp -d)
    export HOME="$SANDBOX/home" XDG_CONFIG_HOME="$SANDBOX/home/.config" XDG_RUNTIME_DIR="$SANDBOX/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$SANDBOX/bin"
    chmod 700 "$XDG_RUNTIME_DIR"
    OPENED="$SANDBOX/opened.txt"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' "$OPENED" >"$SANDBOX/bin/xdg-open"
    chmod +x "$SANDBOX/bin/xdg-open"
    export PATH="$SANDBOX/bin:$PATH"
    unset DESKTOP_SESSION XDG_CURRENT_DESKTOP KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
}

select_file() {
    mkdir -p "$XDG_CONFIG_HOME/ledgerly"
    printf '[General]\nselectedMarkdownPath=%s\n' "$1" >"$XDG_CONFIG_HOME/ledgerly/ledgerly.conf"
}

tray_running() { xdotool search --classname trayer >/dev/null 2>&1; }

start_tray() {
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --transparent false --tint 0xeeeeee >/dev/null 2>&1 &
    TRAY_PID=$!
    wait_for 10 tray_running || fail "trayer did not start"
}

start_ledgerly() {
    "$LEDGERLY" >"$SANDBOX/ledgerly.log" 2>&1 &
    LEDGERLY_PID=$!
    wait_for 10 bus_has_ledgerly || fail "Ledgerly did not take its bus name: $(cat "$SANDBOX/ledgerly.log")"
}

stop_all() {
    [ -n "${LEDGERLY_PID:-}" ] && kill "$LEDGERLY_PID" 2>/dev/null
    [ -n "${TRAY_PID:-}" ] && kill "$TRAY_PID" 2>/dev/null
    [ -n "${WATCHER_PID:-}" ] && kill "$WATCHER_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$SANDBOX"
}

bus_has_ledgerly() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.ledgerly.Ledgerly | grep -q 'boolean true'
}

# A string property of org.ledgerly.Ledgerly, exactly.
property() {
    dbus-send --session --print-reply=literal --dest=org.ledgerly.Ledgerly /org/ledgerly/Ledgerly \
        org.freedesktop.DBus.Properties.Get string:org.ledgerly.Ledgerly "string:$1" |
        sed -e '1s/^ *variant *//'
}

call_method() {
    dbus-send --session --print-reply --dest=org.ledgerly.Ledgerly /org/ledgerly/Ledgerly "org.ledgerly.Ledgerly.$1" >/dev/null
}

# Whether WINDOW is a child of the root window (a menu) rather than embedded in the tray.
is_top_level() { xwininfo -children -id "$1" | grep -q 'Parent window id: .*(the root window)'; }

# The tray icon's window, once it is mapped inside a tray.
tray_icon_window() {
    local window
    for window in $(xdotool search --onlyvisible --classname ledgerly 2>/dev/null); do
        if ! is_top_level "$window"; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# The mapped menus of Ledgerly, one window id a line: its override-redirect top-level windows.
menu_windows() {
    local window
    for window in $(xdotool search --onlyvisible --classname ledgerly 2>/dev/null); do
        if is_top_level "$window" && xwininfo -id "$window" | grep -q 'Override Redirect State: yes'; then
            echo "$window"
        fi
    done
    return 0
}

menu_count() { menu_windows | wc -l; }
menu_is_open() { [ "$(menu_count)" -ge 1 ]; }
menu_is_closed() { [ "$(menu_count)" -eq 0 ]; }

click_tray_icon() {
    local icon
    icon=$(tray_icon_window) || fail "no tray icon"
    xdotool mousemove --window "$icon" 10 10 click 1
}

screenshot() {
    mkdir -p "$SCREENSHOTS"
    import -window root "$SCREENSHOTS/$1.png"
}

# The top-level titles of MenuJson, one a line (submenus not entered).
menu_titles() {
    property MenuJson | grep -E '^        "(title|kind)": ' | sed -E 's/^ *"(title|kind)": "(.*)",?$/\2/' |
        grep -v -E '^(item|sectionHeader)$'
}
