#!/usr/bin/env bash
# test-installed.sh ROOT: runs the programs installed under ROOT (/ for the
# system): ledgerly-check on the installed starter file, the installed
# ledgerly with a tray (run-installed.sh), and its "Save Starter File...",
# which only finds the starter file in the installed share folder. Each
# runs from an empty folder, so no Samples/ of a source tree stands in.
# SCREENSHOTS, when set, keeps the pictures of the save dialog.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../EndToEnd/lib.sh"
source_root=$(cd "$here/../.." && pwd)
root=${1:?root of the installation, / for the system}
root=${root%/}

empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
trap 'exit 143' TERM INT HUP
cd "$empty" || fail "no empty folder"

starter=$root/usr/share/ledgerly/starter.ledgerly.md
output=$("$root/usr/bin/ledgerly-check" "$starter" 2>&1)
status=$?
expect_equal 0 "$status" "ledgerly-check on the installed starter file (output: $output)"
expect_equal "" "$output" "ledgerly-check's warnings on the installed starter file"

"$source_root/Tests/EndToEnd/with-xvfb.sh" "$here/run-installed.sh" "$root/" ||
    fail "the installed ledgerly did not show its icon and quit"

LEDGERLY=$root/usr/bin/ledgerly LEDGERLY_CHECK=$root/usr/bin/ledgerly-check \
    STARTER=$source_root/Samples/starter.ledgerly.md SCREENSHOTS=${SCREENSHOTS:-$empty/screenshots} \
    "$source_root/Tests/EndToEnd/with-xvfb.sh" "$source_root/Tests/EndToEnd/ledgerly-e2e.sh" save-starter ||
    fail "the installed ledgerly did not save its installed starter file"
echo "PASS: the programs installed under $root/"
