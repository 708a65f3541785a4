#!/usr/bin/env bash
# ledgerly-e2e.sh SCENARIO: one end-to-end scenario of the real ledgerly
# binary with a real tray, keys and clicks. Run it through with-xvfb.sh;
# LEDGERLY, LEDGERLY_CHECK and SCREENSHOTS come from CTest.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

first_start() {
    start_tray
    "$LEDGERLY" --show-menu 2>/dev/null && fail "--show-menu succeeded with no Ledgerly running"
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    expect_equal "Ledgerly" "$(property StatusTitle)" "StatusTitle"
    click_tray_icon
    wait_for 5 menu_is_open || fail "a click on the icon did not map the menu"
    screenshot first-start-menu
    expect_equal "$(printf '%s\n' 'No file selected' 'Open Markdown File...' 'Save Starter File...' separator Ledgerly)" \
        "$(menu_titles)" "menu entries"
    xdotool key Escape
    wait_for 5 menu_is_closed || fail "Escape did not close the menu"
    # A second start asks the running one to pop its menu; the gate refuses for a moment after a close.
    local output attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        output=$("$LEDGERLY" 2>/dev/null) || fail "a second start did not exit 0"
        expect_equal "Ledgerly is already running." "$output" "second start"
        wait_for 1 menu_is_open && break
    done
    menu_is_open || fail "a second start did not pop the running menu"
    kill -0 "$LEDGERLY_PID" || fail "the first instance is gone"
}

atomic_save() {
    printf '%s' "$2" >"$1.tmp" && mv "$1.tmp" "$1"
}

stored_path() {
    local file="$HOME/Notes/reading.md"
    mkdir -p "$HOME/Notes"
    printf '# Reading List\n- [First](https://first.example)\n' >"$file"
    select_file "$file"
    start_tray
    start_ledgerly
    expect_equal "Reading List" "$(property StatusTitle)" "StatusTitle"
    expect_equal "$("$LEDGERLY_CHECK" --menu --json "$file")" "$(property MenuJson)" "MenuJson against ledgerly-check"
    printf -- '- [Appended](https://appended.example)\n' >>"$file"
    wait_for 1 menu_json_contains Appended ||
        fail "MenuJson did not follow an appended line within one second"
    atomic_save "$file" $'# Saved Once\n- [One](https://one.example)\n'
    wait_for 2 title_is "Saved Once" || fail "the first atomic save was not followed"
    atomic_save "$file" $'# Saved Twice\n- [Two](https://two.example)\n'
    wait_for 2 title_is "Saved Twice" || fail "the second atomic save was not followed"
    expect_equal "$("$LEDGERLY_CHECK" --menu --json "$file")" "$(property MenuJson)" "MenuJson after two saves"
    click_tray_icon
    wait_for 5 menu_is_open || fail "menu did not open"
    screenshot stored-path-menu
}

title_is() { [ "$(property StatusTitle)" = "$1" ]; }
menu_json_contains() { property MenuJson | grep -q -F "$1"; }

shortcut() {
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    xdotool key ctrl+alt+super+s
    wait_for 5 menu_is_open || fail "the default shortcut did not map the menu"
    screenshot shortcut-menu
    local before
    before=$(menu_windows)
    xdotool key ctrl+alt+super+s
    sleep 0.3  # give a wrong second presentation the chance to show; the checks below are the assertion
    expect_equal "$before" "$(menu_windows)" "menus after a second press"
    xdotool key Escape
    wait_for 5 menu_is_closed || fail "Escape did not close the menu"
    # What a Wayland desktop's key binding runs; refused for a moment after a close, like the shortcut.
    show_menu_until menu_is_open || fail "--show-menu did not map the menu (status $?)"
}

ACTIONS_FILE=$'# Actions\n- [Example](https://example.com/page)\n- snippet text here\n'

open_menu_by_shortcut() {
    wait_for 5 menu_is_closed
    # The gate refuses a presentation for a moment after the menu closed.
    local attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        xdotool key ctrl+alt+super+s
        wait_for 1 menu_is_open && return 0
    done
    fail "the menu did not open"
}

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
opened_is() { [ -f "$OPENED" ] && [ "$(cat "$OPENED")" = "$1" ]; }

actions() {
    printf '%s' "$ACTIONS_FILE" >"$HOME/actions.md"
    select_file "$HOME/actions.md"
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"

    open_menu_by_shortcut
    xdotool key Down Down Return
    wait_for 5 clipboard_is "snippet text here" || fail "choosing the snippet did not copy its text"

    open_menu_by_shortcut
    xdotool key Down Return
    wait_for 5 opened_is "https://example.com/page" || fail "choosing the link did not open it: $(cat "$OPENED" 2>/dev/null)"

    open_menu_by_shortcut
    xdotool keydown alt
    sleep 0.3  # only for the picture; the clipboard below is the assertion
    screenshot actions-menu-with-alt
    xdotool key Down Return
    xdotool keyup alt
    wait_for 5 clipboard_is "https://example.com/page" || fail "with Alt held the link did not copy its URL"
    expect_equal "https://example.com/page" "$(cat "$OPENED")" "links opened (Alt must not open another)"
}

tray_later() {
    start_ledgerly
    sleep 0.5  # Ledgerly has started without a tray; the icon below is the assertion
    tray_icon_window && fail "a tray icon without a tray"
    start_tray
    wait_for 10 tray_icon_window || fail "the icon did not appear when the tray started"
    click_tray_icon
    wait_for 5 menu_is_open || fail "the late icon's click did not map the menu"
    screenshot tray-later-menu
}

dialog_window() { xdotool search --onlyvisible --name '^Save Starter File$' | head -1 | grep -q .; }

# Saves the starter file through "Save Starter File..." as $1, with real key presses in the dialog.
save_starter_through_dialog() {
    open_menu_by_shortcut
    # No file selected (disabled), Open Markdown File..., Save Starter File...
    xdotool key Down Down Return
    wait_for 10 dialog_window || fail "the save dialog did not appear"
    sleep 0.5
    screenshot save-starter-dialog
    local dialog
    dialog=$(xdotool search --onlyvisible --name '^Save Starter File$' | head -1)
    xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 5 "$1"
    xdotool key Return
    wait_for 10 test -f "$1" || fail "the starter file was not written"
}

save_starter() {
    mkdir -p "$HOME/Documents"
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    save_starter_through_dialog "$HOME/Documents/mine.ledgerly.md"
    cmp -s "$HOME/Documents/mine.ledgerly.md" "$STARTER" || fail "the saved file is not the starter file"
    wait_for 5 title_is "My Bookmarks" || fail "the saved file did not become the selected file: $(property StatusTitle)"
    grep -q "selectedMarkdownPath=$HOME/Documents/mine.ledgerly.md" "$XDG_CONFIG_HOME/ledgerly/ledgerly.conf" ||
        fail "the selection was not stored"
    open_menu_by_shortcut
    screenshot starter-menu
}

# A file as editors save it (a byte-order mark, Windows line ends) with links
# as people write them: accented paths, an ssh:// address, a folder's file URL.
real_files() {
    local file="$HOME/Team.md"
    mkdir -p "$HOME/Données"
    printf '\xEF\xBB\xBF# Team Links\r\n- [Café](https://fr.wikipedia.org/wiki/Café)\r\n' >"$file"
    printf -- '- [Box](ssh://admin@box.example.com)\r\n- [Partage](file://%s/Données)\r\n' "$HOME" >>"$file"
    select_file "$file"
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    expect_equal "Team Links" "$(property StatusTitle)" "StatusTitle behind a byte-order mark"
    local json
    json=$(property MenuJson)
    expect_equal "$("$LEDGERLY_CHECK" --menu --json "$file")" "$json" "MenuJson against ledgerly-check"
    "$LEDGERLY_CHECK" "$file" || fail "ledgerly-check found warnings in $file"
    grep -q -F '"representedObject": "ssh://admin@box.example.com"' <<<"$json" || fail "the ssh:// link is not kept as written"
    grep -q -F LedgerlyExternalURLSchemeIcon <<<"$json" || fail "the ssh:// link is not an other-application link"
    grep -q -F LedgerlyLocalRevealIcon <<<"$json" || fail "the accented folder did not get the folder icon"
    open_menu_by_shortcut
    screenshot real-files-menu
    xdotool key Down Return
    wait_for 5 opened_is "https://fr.wikipedia.org/wiki/Caf%C3%A9" ||
        fail "the accented link did not open encoded: $(cat "$OPENED" 2>/dev/null)"
}

# A selected path that is a symbolic link, pointed elsewhere as dotfile managers do.
linked_file() {
    mkdir -p "$HOME/dotfiles"
    printf '# First\n' >"$HOME/dotfiles/first.md"
    printf '# Second\n' >"$HOME/dotfiles/second.md"
    ln -s "$HOME/dotfiles/first.md" "$HOME/links.md"
    select_file "$HOME/links.md"
    start_tray
    start_ledgerly
    expect_equal "First" "$(property StatusTitle)" "StatusTitle through the link"
    ln -sfn "$HOME/dotfiles/second.md" "$HOME/links.md"
    wait_for 2 title_is "Second" || fail "the re-pointed link was not followed: $(property StatusTitle)"
    printf '# Second, edited\n' >"$HOME/dotfiles/second.md"
    wait_for 2 title_is "Second, edited" || fail "an edit of the new target was not followed"
}

# Garbage in the settings file: set aside once, and the first write (a chosen file) works.
damaged_settings() {
    local conf="$XDG_CONFIG_HOME/ledgerly/ledgerly.conf"
    mkdir -p "$XDG_CONFIG_HOME/ledgerly" "$HOME/Documents"
    printf '[General\n\x01 not settings \xff\n' >"$conf"
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    [ -f "$conf.damaged" ] || fail "the damaged settings file was not set aside"
    grep -q "ledgerly.settings: .*set aside" "$SANDBOX/ledgerly.log" || fail "setting the file aside was not logged"
    save_starter_through_dialog "$HOME/Documents/mine.ledgerly.md"
    wait_for 5 title_is "My Bookmarks" || fail "choosing a file after the damaged settings failed: $(property StatusTitle)"
    grep -q "selectedMarkdownPath=$HOME/Documents/mine.ledgerly.md" "$conf" || fail "the selection was not stored"
    [ "$(grep -c "set aside" "$SANDBOX/ledgerly.log")" -eq 1 ] || fail "the file was set aside more than once"
}

# Without a session bus the lock in $XDG_RUNTIME_DIR keeps one instance per display.
no_bus() {
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$SANDBOX/no-bus"
    start_tray
    "$LEDGERLY" >"$SANDBOX/ledgerly.log" 2>&1 &
    LEDGERLY_PID=$!
    wait_for 10 tray_icon_window || fail "no tray icon without a session bus: $(cat "$SANDBOX/ledgerly.log")"
    local output
    output=$("$LEDGERLY" 2>/dev/null) || fail "a second start without a bus did not exit 0"
    expect_equal "Ledgerly is already running." "$output" "second start without a bus"
    kill -0 "$LEDGERLY_PID" || fail "the first instance is gone"
}

ledgerly_exited() { ! kill -0 "$LEDGERLY_PID" 2>/dev/null; }

quit() {
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no tray icon appeared"
    click_tray_icon
    wait_for 5 menu_is_open || fail "the menu did not open"
    # Up from nothing reaches the last entry, "Ledgerly"; Ctrl+Q is "Quit Ledgerly" in its submenu.
    xdotool key Up Right
    wait_for 5 sh -c '[ "$(xdotool search --onlyvisible --classname ledgerly | wc -l)" -ge 3 ]' ||
        fail "the Ledgerly submenu did not open"
    screenshot quit-ledgerly-submenu
    xdotool key ctrl+q
    wait_for 10 ledgerly_exited || fail "Ctrl+Q in the menu did not end Ledgerly"
    wait "$LEDGERLY_PID"
    expect_equal 0 "$?" "exit status after Quit Ledgerly"
    LEDGERLY_PID=
}

start_watcher() {
    "$LEDGERLY_TEST_WATCHER" >"$SANDBOX/watcher.log" 2>&1 &
    WATCHER_PID=$!
}
watcher_has_item() { grep -q '^registered org\.kde\.StatusNotifierItem-' "$SANDBOX/watcher.log"; }
item_service() { sed -n 's|^registered \([^/]*\)/.*|\1|p' "$SANDBOX/watcher.log" | tail -1; }
no_tray_icon() { ! tray_icon_window; }
# X,Y,WIDTH,HEIGHT of a window on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x "," y "," w "," h}'
}

# A panel with a StatusNotifierWatcher comes and goes on X11: the XEmbed icon
# gives way to the item and comes back; a host's Activate(x, y) pops our menu
# there, and the shortcut pops it under the tray icon.
panel_host() {
    start_tray
    start_ledgerly
    wait_for 10 tray_icon_window || fail "no XEmbed icon while no watcher exists"
    start_watcher
    wait_for 10 watcher_has_item || fail "the item did not register with a watcher that came up later"
    wait_for 5 no_tray_icon || fail "the XEmbed icon stayed beside the StatusNotifierItem"
    gdbus call --session --dest "$(item_service)" --object-path /StatusNotifierItem \
        --method org.kde.StatusNotifierItem.Activate -- 300 200 >/dev/null
    wait_for 5 menu_is_open || fail "Activate(300, 200) did not pop our menu"
    expect_equal "300,200" "$(window_geometry "$(menu_windows | head -1)" | cut -d, -f1,2)" "where Activate put the menu"
    xdotool key Escape
    wait_for 5 menu_is_closed || fail "Escape did not close the menu"

    kill "$WATCHER_PID"
    wait "$WATCHER_PID" 2>/dev/null
    wait_for 10 tray_icon_window || fail "the XEmbed icon did not come back when the watcher went away"
    local icon menu
    icon=$(window_geometry "$(tray_icon_window)")
    open_menu_by_shortcut
    menu=$(window_geometry "$(menu_windows | head -1)")
    IFS=, read -r icon_x icon_y icon_width icon_height <<<"$icon"
    IFS=, read -r menu_x menu_y menu_width menu_height <<<"$menu"
    expect_equal "$((icon_y + icon_height))" "$menu_y" "the menu's top against the tray icon's bottom ($icon / $menu)"
    ((menu_x <= icon_x + icon_width && menu_x + menu_width >= icon_x)) ||
        fail "the menu is not under the tray icon ($icon / $menu)"
    screenshot panel-host-shortcut-menu
}

scenario=${1:?scenario}
make_sandbox
trap stop_all EXIT
case "$scenario" in
first-start) first_start ;;
stored-path) stored_path ;;
shortcut) shortcut ;;
actions) actions ;;
tray-later) tray_later ;;
save-starter) save_starter ;;
real-files) real_files ;;
linked-file) linked_file ;;
damaged-settings) damaged_settings ;;
no-bus) no_bus ;;
quit) quit ;;
panel-host) panel_host ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
