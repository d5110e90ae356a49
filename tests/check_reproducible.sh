#!/usr/bin/env bash
# Two release builds of the last commit, from two clean clones at two paths,
# one after the other, the second with another umask, time zone and locale,
# must give the same Drapeno.exe, zip, winget and Scoop manifests, Debian and
# RPM packages, GNOME Shell extension, source tarball, PKGBUILD, Arch package
# and SHA256SUMS, byte for byte. Usage: tests/check_reproducible.sh (commit
# first: clones take HEAD)
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

release() { "$1/scripts/release" >"$1.log" 2>&1 || { tail -n 30 "$1.log" >&2; exit 1; }; }
release "$first"
(umask 077 && export TZ=Pacific/Chatham LC_ALL=C && release "$second")

# SHA256SUMS lists every release file, so equal lists mean equal files.
diff "$first/build/release/SHA256SUMS" "$second/build/release/SHA256SUMS" >&2 ||
    { echo "the two builds differ" >&2; exit 1; }
cat "$first/build/release/SHA256SUMS"
rm -rf "$work"
echo "two clean builds at two paths give the same files"
