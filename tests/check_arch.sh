#!/bin/sh
# The Arch package as scripts/release makes it, from the source tarball of the
# last commit (commit first): the PKGBUILD written beside it holds the
# tarball's sum; the package holds exactly its files, with their modes and
# root as owner, both builds of the GNOME Shell extension among them; it
# depends on glibc, gcc-libs, wayland and XCB and offers systemd-libs, in
# Arch's names; its drapeno, built with Arch's flags, prints the usage when no
# desktop answers. Runs as root (makepkg then builds as nobody) or as any user.
# Usage: check_arch.sh SOURCE_DIR
set -u
fail() { echo "arch: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

tarball=$("$1/packaging/source_tarball.sh" "$scratch") || fail "no source tarball"
package=$("$1/packaging/arch/makepkg.sh" "$tarball" "$scratch") || fail "makepkg failed"
grep -qx "sha256sums=('$(sha256sum "$tarball" | cut -d' ' -f1)')" "$scratch/PKGBUILD" ||
    fail "the PKGBUILD does not hold the tarball's sum"

extensions=usr/share/gnome-shell/extensions
expected="-rw-r--r-- root usr/share/licenses/drapeno/LICENSE
-rw-r--r-- root usr/share/man/man1/drapeno.1.gz
-rw-r--r-- root $extensions/drapeno@drapeno.example/extension.js
-rw-r--r-- root $extensions/drapeno@drapeno.example/metadata.json
-rw-r--r-- root $extensions/drapeno-legacy@drapeno.example/extension.js
-rw-r--r-- root $extensions/drapeno-legacy@drapeno.example/metadata.json
-rwxr-xr-x root usr/bin/drapeno"
files=$(bsdtar -tvf "$package" | awk '/^-/ && $NF !~ /^\./ { print $1, $3, $NF }' | LC_ALL=C sort -k3)
[ "$files" = "$(echo "$expected" | LC_ALL=C sort -k3)" ] || fail "the package's files differ: $files"
bsdtar -xf "$package" -C "$scratch" usr .PKGINFO || fail "the package does not unpack"
relations=$(grep -E '^(depend|optdepend) = ' "$scratch/.PKGINFO" | cut -d: -f1)
[ "$relations" = "depend = glibc
depend = gcc-libs
depend = wayland
depend = libxcb
depend = xcb-util-wm
depend = xcb-util-keysyms
optdepend = systemd-libs" ] || fail "dependencies differ: $relations"
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/drapeno" 2>&1 >/dev/null) || fail "drapeno did not exit 0"
[ "$usage" = "$(cat "$1/tests/usage.txt")" ] || fail "drapeno did not print the usage: $usage"
echo "$(basename "$package"): its files and modes, Arch's dependencies, drapeno runs"
