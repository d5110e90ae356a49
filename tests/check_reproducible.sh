#!/usr/bin/env bash
# Two release builds of the last commit, from two clean clones at two paths,
# one after the other, the second with another umask, time zone and locale,
# must give the same Drapeno.exe, zip, Debian package and SHA256SUMS, byte for
# byte. Usage: tests/check_reproducible.sh (commit first: clones take HEAD)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/reproducible
rm -rf "$work"
first=$work/a
second=$work/another/path/b
for clone in "$first" "$second"; do
    git clone -q --no-local "$root" "$clone"
    git -C "$clone" checkout -q --detach "$(git -C "$root" rev-parse HEAD)"
done

"$first/scripts/release" >/dev/null 2>&1 || { echo "first release build failed" >&2; exit 1; }
(umask 077 && TZ=Pacific/Chatham LC_ALL=C "$second/scripts/release" >/dev/null 2>&1) ||
    { echo "second release build failed" >&2; exit 1; }

for file in Drapeno.exe Drapeno-*-win64.zip drapeno_*_amd64.deb SHA256SUMS; do
    # shellcheck disable=SC2086 # the patterns name one file each
    cmp "$(echo $first/build/release/$file)" "$(echo $second/build/release/$file)" ||
        { echo "$file differs between the two builds" >&2; exit 1; }
done
cat "$first/build/release/SHA256SUMS"
rm -rf "$work"
echo "two clean builds at two paths give the same files"
