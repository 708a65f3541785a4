#!/usr/bin/env bash
# run-unprivileged.sh PROGRAM [ARGUMENT...]: runs PROGRAM as an ordinary user,
# since root reads and writes any file whatever its mode. Run as root, it runs
# a copy of PROGRAM as "nobody" from a folder of its own under /tmp: the build
# tree may lie where nobody may not go.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" != 0 ]; then
    exec "$program" "$@"
fi
folder=$(mktemp -d /tmp/ledgerly-unprivileged-XXXXXX)
trap 'rm -rf "$folder"' EXIT
copy="$folder/$(basename "$program")"
cp "$program" "$copy"
# A LeakSanitizer suppressions file in the build tree may be out of reach too.
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]+) ]]; then
    cp "${BASH_REMATCH[1]}" "$folder/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$folder/lsan.supp}
fi
chmod -R a+rX "$folder"
chmod 755 "$copy"
cd "$folder"
HOME="$folder" TMPDIR=/tmp setpriv --reuid=65534 --regid=65534 --clear-groups "$copy" "$@"
