#!/usr/bin/env bash
# settings-window-e2e.sh: "Settings..." from the tray menu of the real binary
# opens the settings window; a shortcut recorded there with real key presses
# is grabbed at once and pops the menu. Run it through with-xvfb.sh; LEDGERLY
# and SCREENSHOTS come from CTest.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

settings_window() { xdotool search --onlyvisible --name '^General$' 2>/dev/null | head -1 | grep .; }
settings_window_closed() { ! settings_window; }
ledgerly_gone() { ! kill -0 "$LEDGERLY_PID" 2>/dev/null; }
submenu_is_open() { [ "$(menu_count)" -ge 2 ]; }
conf_has() { grep -q -x "$1" "$XDG_CONFIG_HOME/ledgerly/ledgerly.conf" 2>/dev/null; }
# The key code and the modifiers are written one after the other; wait for both.
stored_shortcut_is() { conf_has "globalShortcutKeyCode=$1" && conf_has "globalShortcutModifiers=$2"; }

open_settings_from_menu() {
    click_tray_icon
    wait_for 5 menu_is_open || fail "a click on the icon did not map the menu"
    # Up from nothing chosen is the last entry, the Ledgerly submenu.
    xdotool key Up Right
    wait_for 5 submenu_is_open || fail "the Ledgerly submenu did not open"
    # Its last entries: Settings..., a separator, Quit Ledgerly.
    xdotool key Up Up Return
    wait_for 5 settings_window || fail "Settings... did not open the settings window"
}

# The recorder in window coordinates: the keyboard card's row, away from the clear button.
click_recorder() {
    local window
    window=$(settings_window)
    xdotool mousemove --window "$window" 340 174 click 1
}

make_sandbox
trap stop_all EXIT
start_tray
start_ledgerly
wait_for 10 tray_icon_window || fail "no tray icon appeared"

open_settings_from_menu
wait_for 5 menu_is_closed || fail "the menu stayed open over the settings window"
mkdir -p "$SCREENSHOTS"
import -window "$(settings_window)" "$SCREENSHOTS/settings-window-e2e-opened.png"

click_recorder
xdotool key super+alt+k
wait_for 5 stored_shortcut_is 40 $((0x80000 | 0x100000)) || fail "Super+Alt+K was not stored: $(grep globalShortcut "$XDG_CONFIG_HOME/ledgerly/ledgerly.conf")"
settings_window >/dev/null || fail "recording Super+Alt+K closed the settings window"
import -window "$(settings_window)" "$SCREENSHOTS/settings-window-e2e-recorded.png"

xdotool key ctrl+w
wait_for 5 settings_window_closed || fail "Ctrl+W did not close the settings window"

xdotool key super+alt+k
wait_for 5 menu_is_open || fail "the recorded shortcut did not pop the menu"
screenshot settings-window-e2e-menu
xdotool key Escape
wait_for 5 menu_is_closed || fail "Escape did not close the menu"

# The same window comes back; with Shift the 1 key arrives as "!", and is still the 1 key.
open_settings_from_menu
import -window "$(settings_window)" "$SCREENSHOTS/settings-window-e2e-reopened.png"
click_recorder
xdotool key ctrl+shift+1
wait_for 5 stored_shortcut_is 18 $((0x20000 | 0x40000)) || fail "Ctrl+Shift+1 was not stored as the 1 key: $(grep globalShortcut "$XDG_CONFIG_HOME/ledgerly/ledgerly.conf")"
xdotool key ctrl+w
wait_for 5 settings_window_closed || fail "Ctrl+W did not close the reopened window"
xdotool key ctrl+shift+1
wait_for 5 menu_is_open || fail "Ctrl+Shift+1 did not pop the menu"

# "Quit Ledgerly", the submenu's last entry: the window goes before the view
# model it shows, which a sanitizer build checks at exit.
xdotool key Up Right
wait_for 5 submenu_is_open || fail "the Ledgerly submenu did not open"
xdotool key Up Return
wait_for 10 ledgerly_gone || fail "Quit Ledgerly did not end Ledgerly"
wait "$LEDGERLY_PID"
expect_equal 0 "$?" "exit status after Quit Ledgerly"
LEDGERLY_PID=
echo "PASS: settings-window"
