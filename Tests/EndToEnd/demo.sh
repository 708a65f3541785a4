#!/usr/bin/env bash
# demo.sh LEDGERLY OUTPUT_FOLDER: runs Ledgerly on a private X server with a
# tray, the starter file selected in a throw-away home, opens the menu with a
# click and saves pictures of it: menu.png, and menu-submenu.png with a
# submenu open, menu-ledgerly.png with the "Ledgerly" submenu open. Run it through with-xvfb.sh (`make demo` does).
set -uo pipefail
source "$(dirname "$0")/lib.sh"
LEDGERLY=${1:?ledgerly binary}
OUTPUT=${2:?output folder}
STARTER=$(cd "$(dirname "$0")/../.." && pwd)/Samples/starter.ledgerly.md

# A picture of the open menu windows, framed on a calm background.
picture() {
    local target=$1 left=100000 top=100000 right=0 bottom=0 window x y w h
    for window in $(menu_windows); do
        read -r x y w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
        ((x < left)) && left=$x
        ((y < top)) && top=$y
        ((x + w > right)) && right=$((x + w))
        ((y + h > bottom)) && bottom=$((y + h))
    done
    import -window root "$SANDBOX/root.png"
    convert "$SANDBOX/root.png" -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage \
        -bordercolor '#d8dde3' -border 20 "$target"
}

make_sandbox
trap stop_all EXIT
mkdir -p "$OUTPUT" "$HOME/Documents"
cp "$STARTER" "$HOME/Documents/starter.ledgerly.md"
select_file "$HOME/Documents/starter.ledgerly.md"
# A calm desktop behind the menus instead of Xvfb's black.
convert -size 1280x800 xc:'#d8dde3' "$SANDBOX/desktop.png" && display -window root "$SANDBOX/desktop.png"
start_tray
start_ledgerly
wait_for 10 tray_icon_window || fail "no tray icon appeared"
click_tray_icon
wait_for 5 menu_is_open || fail "the menu did not open"
sleep 0.3  # let the menu finish painting before the picture
picture "$OUTPUT/menu.png"
menus_open() { [ "$(menu_count)" -ge "$1" ]; }
# Into "Work", the first submenu: past the section's four links, then right.
xdotool key Down Down Down Down Down Right
wait_for 5 menus_open 2 || fail "the submenu did not open"
sleep 0.3
picture "$OUTPUT/menu-submenu.png"
# Closed, opened again, and up from nothing to the last entry, "Ledgerly", and into it.
xdotool key Escape Escape
wait_for 5 menu_is_closed || fail "the menu did not close"
click_tray_icon
wait_for 5 menu_is_open || fail "the menu did not open again"
xdotool key Up Right
wait_for 5 menus_open 2 || fail "the Ledgerly submenu did not open"
sleep 0.3
picture "$OUTPUT/menu-ledgerly.png"
echo "Saved menu.png, menu-submenu.png and menu-ledgerly.png in $OUTPUT"
