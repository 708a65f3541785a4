#!/usr/bin/env bash
# lint-deb.sh DEB: lintian on the package, informational tags included.
# Fails on any error or warning, and on any hardening tag, which lintian
# only reports as information: the programs are built with the flags of
# Debian's own builds (LedgerlyCompileOptions).
set -uo pipefail
deb=${1:?the .deb to check}
command -v lintian >/dev/null || { echo "FAIL: lintian is missing (scripts/install-deps installs it)"; exit 1; }

# lintian warns on standard error when run as root, as CI does; that is no
# finding about the package.
report=$(lintian --display-info --fail-on error,warning --tag-display-limit 0 "$deb" 2> >(grep -v 'root privileges' >&2))
status=$?
[ -z "$report" ] || printf '%s\n' "$report"
hardening=$(printf '%s\n' "$report" | grep -E '^[A-Z]: [^ ]+: hardening-' || true)
if [ "$status" -ne 0 ] || [ -n "$hardening" ]; then
    echo "FAIL: lintian on $(basename "$deb") (status $status)${hardening:+; missing hardening:
$hardening}"
    exit 1
fi
echo "PASS: lintian on $(basename "$deb")"
