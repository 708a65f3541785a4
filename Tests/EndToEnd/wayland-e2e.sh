#!/usr/bin/env bash
# wayland-e2e.sh SCENARIO: one end-to-end scenario of the real ledgerly
# binary as a native Wayland client of sway, with waybar's tray as the
# StatusNotifierItem host. Run it through with-sway.sh; LEDGERLY,
# LEDGERLY_TEST_POINTER and SCREENSHOTS come from CTest.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

WIDTH=1280
HEIGHT=800
# waybar below keeps only its tray, at the right end of a 30-pixel bar.
ICON_X=1265
ICON_Y=15

start_waybar() {
    mkdir -p "$SANDBOX/waybar"
    cat >"$SANDBOX/waybar/config" <<'EOF'
{"layer": "top", "position": "top", "height": 30, "modules-right": ["tray"], "tray": {"icon-size": 20}}
EOF
    cat >"$SANDBOX/waybar/style.css" <<'EOF'
* { font-family: sans-serif; font-size: 13px; }
window#waybar { background: #202020; }
#tray { padding: 0 5px; }
EOF
    waybar -c "$SANDBOX/waybar/config" -s "$SANDBOX/waybar/style.css" >"$SANDBOX/waybar.log" 2>&1 &
    WAYBAR_PID=$!
    wait_for 10 watcher_exists || fail "waybar did not start its StatusNotifierWatcher: $(cat "$SANDBOX/waybar.log")"
}

watcher_exists() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q 'boolean true'
}

# The bus name of our item, as the watcher lists it.
registered_item() {
    dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems |
        grep -o 'org\.kde\.StatusNotifierItem-[0-9-]*' | head -1
}
item_registered() { [ -n "$(registered_item)" ]; }

# The exported menu, all levels, labels only: (id, {'label': <'...'>}, [children]) nested.
menu_layout() {
    gdbus call --session --dest "$(registered_item)" --object-path /MenuBar \
        --method com.canonical.dbusmenu.GetLayout -- 0 -1 '["label"]'
}
# Not through grep -q: a long layout makes gdbus fail on the closed pipe, and pipefail reports it.
layout_has() {
    local layout
    layout=$(menu_layout) && [[ $layout == *"'label': <'$1'>"* ]]
}
entry_id() { menu_layout | grep -o "([0-9]*, {'label': <'$1'>" | head -1 | grep -o '^([0-9]*' | tr -d '('; }
click_entry() {
    local id
    id=$(entry_id "$1")
    [ -n "$id" ] || fail "no exported entry '$1'"
    gdbus call --session --dest "$(registered_item)" --object-path /MenuBar \
        --method com.canonical.dbusmenu.Event -- "$id" clicked '<"">' 0 >/dev/null
}

# Headless sway has no input devices; a desktop always has a keyboard and a mouse.
hold_keyboard() {
    wtype -s 3600000 >/dev/null 2>&1 &
    KEYBOARD_PID=$!
}
plug_in_mouse() {
    coproc MOUSE { "$LEDGERLY_TEST_POINTER" "$WIDTH" "$HEIGHT"; }
    POINTER_PID=$MOUSE_PID
}
# pointer move X Y, pointer click X Y: returns once the compositor has taken it.
pointer() {
    local reply
    echo "$*" >&"${MOUSE[1]}"
    read -r -t 10 reply <&"${MOUSE[0]}" && [ "$reply" = ok ] || fail "the mouse did not take: $*"
}

wayland_screenshot() { grim "$SCREENSHOTS/wayland/$1.png"; }
# Mean brightness, 0 to 1, of a rectangle of the screen.
brightness() { grim -g "$1,$2 $3x$4" - | convert - -format '%[fx:mean]' info:; }
is_bright() { awk -v value="$(brightness "$@")" 'BEGIN { exit !(value > 0.6) }'; }
is_dark() { awk -v value="$(brightness "$@")" 'BEGIN { exit !(value < 0.4) }'; }
# Our icon is lighter than the bar around it.
icon_shown() { awk -v value="$(brightness $((ICON_X - 8)) $((ICON_Y - 8)) 16 16)" 'BEGIN { exit !(value > 0.25) }'; }

# Our own menu is no window of sway's: it floats in a layer above them.
sway_has_ledgerly_window() { swaymsg -t get_tree | grep -q '"app_id": "org.ledgerly.Ledgerly"'; }

# wlroots lets X11 applications read the clipboard only while one of them has the focus, as when one pastes.
start_x11_application() {
    xmessage -name ledgerly-x11-reader "An X11 application" >/dev/null 2>&1 &
    X11_APPLICATION_PID=$!
    wait_for 5 sh -c 'swaymsg -t get_tree | grep -q "\"shell\": \"xwayland\""' || fail "no X11 application came up"
}

clipboard_is() { [ "$(wl-paste --no-newline 2>/dev/null)" = "$1" ]; }
x11_clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
opened_is() { [ -f "$OPENED" ] && [ "$(cat "$OPENED")" = "$1" ]; }

PANEL_FILE=$'# Team Links\n- [Docs](https://docs.example.com)\n## Work\n- [Status](https://status.example.com)\n- Deploy steps\n  > make build\n  > make deploy\n'

panel() {
    printf '%s' "$PANEL_FILE" >"$HOME/links.md"
    select_file "$HOME/links.md"
    hold_keyboard
    plug_in_mouse
    start_waybar
    start_ledgerly
    wait_for 10 item_registered || fail_with_context "the item did not register with waybar's watcher"
    for label in Docs Work Status 'Deploy steps' Ledgerly 'Quit Ledgerly'; do
        layout_has "$label" || fail_with_context "GetLayout lacks '$label': $(menu_layout)"
    done

    wayland_screenshot panel-before
    is_dark 1140 40 100 50 || fail_with_context "something covers the screen under the panel before the click"
    wait_for 5 icon_shown || fail_with_context "waybar did not draw the item's icon"
    local attempt
    for attempt in 1 2 3; do
        pointer click "$ICON_X" "$ICON_Y"
        wait_for 5 is_bright 1140 40 100 50 && break
    done
    is_bright 1140 40 100 50 || fail_with_context "a click on the icon did not open the panel's menu"
    wayland_screenshot panel-menu
    pointer click 600 400
    wait_for 5 is_dark 1140 40 100 50 || fail_with_context "a click outside did not close the panel's menu"

    click_entry Docs
    wait_for 5 opened_is "https://docs.example.com" || fail_with_context "choosing the link did not open it: $(cat "$OPENED" 2>/dev/null)"
    click_entry 'Deploy steps'
    wait_for 5 clipboard_is $'make build\nmake deploy' || fail_with_context "the snippet did not reach wl-paste: $(wl-paste 2>&1)"
    start_x11_application
    wait_for 5 x11_clipboard_is $'make build\nmake deploy' || fail_with_context "the snippet did not reach X11 applications"

    printf '# Team Links\n- [Saved](https://saved.example.com)\n' >"$HOME/links.md.tmp"
    mv "$HOME/links.md.tmp" "$HOME/links.md"
    wait_for 1 layout_has Saved || fail_with_context "an atomic save did not reach the exported menu within a second"
}

panel_later() {
    select_file "$HOME/links.md"
    printf '%s' "$PANEL_FILE" >"$HOME/links.md"
    start_ledgerly
    start_waybar
    wait_for 10 item_registered || fail_with_context "a panel started after Ledgerly did not get the item"
    kill "$WAYBAR_PID"
    wait "$WAYBAR_PID" 2>/dev/null
    wait_for 5 sh -c '! dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q "boolean true"'
    start_waybar
    wait_for 10 item_registered || fail_with_context "a restarted panel did not get the item again"

    # A level too long to draw reaches the panel cut as our own menu draws it, "Ledgerly" kept.
    seq 1 5000 | sed 's|.*|- [Link &](https://example.com/&)|' >"$HOME/links.md.tmp"
    mv "$HOME/links.md.tmp" "$HOME/links.md"
    wait_for 10 layout_has 'Link 1700' || fail_with_context "the large file did not reach the exported menu"
    [[ $(menu_layout) == *"more entries not shown: ledgerly-check --menu lists them all"* ]] ||
        fail_with_context "the exported top level was not cut"
    layout_has 'Link 4999' && fail_with_context "the exported top level holds entries past the cut"
    layout_has 'Quit Ledgerly' || fail_with_context "the cut top level lost the Ledgerly submenu"
}

menu_at_pointer_is_open() { is_bright 405 305 100 40; }
menu_at_pointer_is_closed() { is_dark 405 305 100 40; }

# --show-menu until the menu is at the pointer: the gate refuses for a moment after the menu closed.
show_menu_again() {
    show_menu_until menu_at_pointer_is_open ||
        fail_with_context "--show-menu did not show the menu at the pointer (status $?)"
}

show_menu() {
    printf '%s' "$PANEL_FILE" >"$HOME/links.md"
    select_file "$HOME/links.md"
    hold_keyboard
    plug_in_mouse
    pointer move 400 300
    start_ledgerly
    show_menu_again
    # Above the tiled windows: a layer of its own, no window of sway's.
    sway_has_ledgerly_window && fail_with_context "the menu became a window of sway's: $(swaymsg -t get_tree)"
    wayland_screenshot show-menu
    wtype -k Escape
    wait_for 5 menu_at_pointer_is_closed || fail_with_context "Escape did not close the menu"

    show_menu_again
    pointer click 100 600
    wait_for 5 menu_at_pointer_is_closed || fail_with_context "a click outside did not close the menu"

    pointer move 400 300
    show_menu_again
    wtype -k Down -k Return
    wait_for 5 opened_is "https://docs.example.com" || fail_with_context "choosing Docs with the keyboard did not open it"
    wait_for 5 menu_at_pointer_is_closed || fail_with_context "the menu stayed open after a choice"
}

# On a failure: what the screen showed and what Ledgerly said.
fail_with_context() {
    wayland_screenshot "failed-$scenario" 2>/dev/null
    echo "--- ledgerly's output:" >&2
    cat "$SANDBOX/ledgerly.log" >&2 2>/dev/null
    echo "--- exported menu: $(menu_layout 2>&1)" >&2
    echo "--- waybar's output:" >&2
    tail -20 "$SANDBOX/waybar.log" >&2 2>/dev/null
    fail "$@"
}

stop_wayland() {
    [ -n "${WAYBAR_PID:-}" ] && kill "$WAYBAR_PID" 2>/dev/null
    [ -n "${KEYBOARD_PID:-}" ] && kill "$KEYBOARD_PID" 2>/dev/null
    [ -n "${POINTER_PID:-}" ] && kill "$POINTER_PID" 2>/dev/null
    [ -n "${X11_APPLICATION_PID:-}" ] && kill "$X11_APPLICATION_PID" 2>/dev/null
    stop_all
}

scenario=${1:?scenario}
make_sandbox
trap stop_wayland EXIT
case "$scenario" in
panel) panel ;;
panel-later) panel_later ;;
show-menu) show_menu ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
