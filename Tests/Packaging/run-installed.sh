#!/usr/bin/env bash
# run-installed.sh ROOT: the ledgerly installed under ROOT (/ for the system)
# in a throw-away home with the installed starter file selected. Its tray icon
# shows, its menu is the one the installed ledgerly-check prints, and "Quit
# Ledgerly" ends it with status 0. Run it through with-xvfb.sh.
set -uo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../EndToEnd/lib.sh"
root=${1:?root of the installation, / for the system}
root=${root%/}
LEDGERLY=$root/usr/bin/ledgerly
installed_check=$root/usr/bin/ledgerly-check
installed_starter=$root/usr/share/ledgerly/starter.ledgerly.md

menus_open() { [ "$(menu_count)" -ge "$1" ]; }

# A reaped child is gone; an unreaped one lingers as a zombie.
ledgerly_exited() {
    local state
    state=$(ps -o stat= -p "$LEDGERLY_PID") || return 0
    [[ $state == Z* ]]
}

make_sandbox
trap stop_all EXIT
# stop_all must run when CTest stops the test, too.
trap 'exit 143' TERM INT HUP
cd "$SANDBOX" || fail "no sandbox"

[ -x "$LEDGERLY" ] || fail "$LEDGERLY is not installed"
select_file "$installed_starter"
start_tray
start_ledgerly
wait_for 10 tray_icon_window || fail "no tray icon appeared: $(cat "$SANDBOX/ledgerly.log")"
expect_equal "My Bookmarks" "$(property StatusTitle)" "StatusTitle"
expect_equal "$("$installed_check" --menu --json "$installed_starter")" "$(property MenuJson)" \
    "MenuJson against the installed ledgerly-check"

click_tray_icon
wait_for 5 menu_is_open || fail "a click on the icon did not map the menu"
# Up to the last entry, the "Ledgerly" submenu, into it, then up around to its last entry, "Quit Ledgerly".
xdotool key Up Right
wait_for 5 menus_open 2 || fail "the Ledgerly submenu did not open"
xdotool key Up Return
wait_for 10 ledgerly_exited || fail "Quit Ledgerly did not end Ledgerly"
wait "$LEDGERLY_PID"
status=$?
LEDGERLY_PID=
expect_equal 0 "$status" "exit status after Quit Ledgerly"
bus_has_ledgerly && fail "the bus name outlived Ledgerly"
echo "PASS: installed ledgerly under $root/"
