#!/usr/bin/env bash
# check-deb.sh BUILD_DIR VERSION: builds the .deb from BUILD_DIR with CPack,
# checks its name, fields and contents and what lintian says of it
# (lint-deb.sh), unpacks it into a fresh root and runs the programs from
# there (test-installed.sh).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../EndToEnd/lib.sh"
build=$(cd "${1:?build folder}" && pwd)
version=${2:?project version}
source_root=$(cd "$here/../.." && pwd)

for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog file readelf desktop-file-validate appstreamcli lintian \
    groff Xvfb trayer xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 143' TERM INT HUP

# The package, built into a folder of its own so the build tree stays as it was.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$work/out/ledgerly_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack wrote: $(ls "$work/out")"

field() { dpkg-deb --field "$deb" "$1"; }
expect_equal ledgerly "$(field Package)" "Package"
expect_equal "$version" "$(field Version)" "Version"
expect_equal "$arch" "$(field Architecture)" "Architecture"
expect_equal x11 "$(field Section)" "Section"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer is not 'Name <address>': $(field Maintainer)"
description=$(field Description)
[ "$(printf '%s\n' "$description" | wc -l)" -ge 3 ] || fail "Description has no long text: $description"

# Depends, one package (or set of alternatives) a line, without versions.
depends=$(field Depends | sed -e 's/([^)]*)//g' -e 's/ *, */\n/g' -e 's/  */ /g' -e 's/ *$//')
needs() { printf '%s\n' "$depends" | grep -qxE "$1" || fail "Depends lacks $1: $(field Depends)"; }
# Found by dpkg-shlibdeps in the binaries.
for library in libc6 'libstdc\+\+6' 'libicu[0-9]+' liburiparser1 libqt6core6 libqt6gui6 libqt6widgets6 \
    libqt6dbus6 libqt6svg6 libxcb1 libxcb-keysyms1; do
    needs "$library"
done
# Loaded at run time, named by hand.
needs qt6-qpa-plugins
needs 'default-dbus-session-bus \| dbus-session-bus'

dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read the control part"
# Root owns everything; only the owner may write.
dpkg-deb --contents "$deb" | awk '$2 != "root/root" || substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w" {print; bad = 1} END {exit bad}' ||
    fail "wrong owner or permissions in the package"

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
expected_files='usr/bin/ledgerly
usr/bin/ledgerly-check
usr/share/applications/org.ledgerly.Ledgerly.desktop
usr/share/doc/ledgerly/changelog.gz
usr/share/doc/ledgerly/copyright
usr/share/icons/hicolor/scalable/apps/ledgerly.svg
usr/share/ledgerly/starter.ledgerly.md
usr/share/lintian/overrides/ledgerly
usr/share/man/man1/ledgerly-check.1.gz
usr/share/man/man1/ledgerly.1.gz
usr/share/metainfo/org.ledgerly.Ledgerly.metainfo.xml'
expect_equal "$expected_files" "$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)" "installed files"
for program in ledgerly ledgerly-check; do
    [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
    readelf -d "$root/usr/bin/$program" | grep -F "$build" && fail "usr/bin/$program looks for libraries in the build tree"
done
cmp -s "$source_root/Samples/starter.ledgerly.md" "$root/usr/share/ledgerly/starter.ledgerly.md" ||
    fail "the installed starter file differs from Samples/starter.ledgerly.md"

desktop_entry=$root/usr/share/applications/org.ledgerly.Ledgerly.desktop
desktop-file-validate "$desktop_entry" || fail "the desktop entry is not valid"
expect_equal "Exec=ledgerly" "$(grep '^Exec=' "$desktop_entry")" "the desktop entry's command"
expect_equal "Icon=ledgerly" "$(grep '^Icon=' "$desktop_entry")" "the desktop entry's icon"
# The metadata with the desktop entry it names as launchable, as software centres read them.
appstreamcli validate-tree --pedantic --no-net "$root" >"$work/appstream.log" 2>&1 ||
    fail "appstreamcli rejects the installed metadata: $(cat "$work/appstream.log")"
for page in ledgerly ledgerly-check; do
    warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" | groff -t -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1 does not format cleanly: $warnings"
done
head -n 1 "$root/usr/share/doc/ledgerly/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"
# A version bump needs its changelog entry and its release in the metadata.
expect_equal "$version" "$(zcat "$root/usr/share/doc/ledgerly/changelog.gz" | dpkg-parsechangelog -l - -S Version)" \
    "the changelog's latest version"
expect_equal "$version" "$(grep -o -m 1 '<release version="[^"]*"' "$root/usr/share/metainfo/org.ledgerly.Ledgerly.metainfo.xml" | cut -d '"' -f 2)" \
    "the metadata's latest release"
"$here/lint-deb.sh" "$deb" || fail "lintian finds fault with $(basename "$deb")"

expect_equal "ledgerly-check $version" "$("$root/usr/bin/ledgerly-check" --version)" "ledgerly-check --version"
expect_equal "ledgerly $version" "$("$root/usr/bin/ledgerly" --version)" "ledgerly --version"
SCREENSHOTS=$build/screenshots/installed "$here/test-installed.sh" "$root" || fail "the installed programs failed"
echo "PASS: $(basename "$deb")"
