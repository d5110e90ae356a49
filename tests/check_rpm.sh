#!/bin/sh
# The .rpm of the Linux build as Fedora, openSUSE and RHEL users get it:
# rpmlint (packaging/rpm/rpmlint.toml) finds no error; it requires sonames and
# rpmlib features only, libwayland-client's among them, and no C library newer
# than 2.34 (RHEL 9's); its changelog is this version's; installed by rpm into
# an empty root, it holds exactly its files with their modes and root as owner,
# its drapeno prints the usage when no desktop answers, and rpm -e removes
# every file. Needs root, or sudo that asks no password, for rpm to install as
# root. Usage: check_rpm.sh BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "rpm: $*" >&2; exit 1; }
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "skipped: rpm installs as root: needs root or sudo without a password"; exit 77; }
    sudo="sudo -n"
fi
scratch=$(mktemp -d)
trap '$sudo rm -rf "$scratch"' EXIT

(cd "$1" && cpack -G RPM -B "$scratch" >/dev/null 2>&1) || fail "cpack failed"
rpm=$(echo "$scratch"/drapeno-*.x86_64.rpm)
lint=$(rpmlint -c "$here/../packaging/rpm/rpmlint.toml" "$rpm" 2>&1) || fail "rpmlint reports errors: $lint"
requires=$(rpm -qpR "$rpm")
other=$(echo "$requires" | grep -Ev '^((lib|ld-linux)[^ ]*\.so\.[0-9]+[^ ]*|rpmlib\([A-Za-z]+\) <= [0-9.-]+|rtld\(GNU_HASH\))$')
[ -z "$other" ] || fail "requirements other than sonames: $other"
echo "$requires" | grep -qx 'libwayland-client.so.0()(64bit)' || fail "libwayland-client is not required"
glibc=$(echo "$requires" | sed -n 's/^libc\.so\.6(GLIBC_\([0-9.]*\))(64bit)$/\1/p' | sort -V | tail -n 1)
[ "$(printf '2.34\n%s\n' "$glibc" | sort -V | tail -n 1)" = 2.34 ] || fail "requires glibc $glibc, newer than 2.34"
rpm -qp --changelog "$rpm" | head -n 1 | grep -q " - $(rpm -qp --qf '%{VERSION}-%{RELEASE}' "$rpm")\$" ||
    fail "the changelog's last entry is not this version's"

root=$scratch/root
mkdir "$root"
said=$($sudo rpm --root "$root" --dbpath /var/lib/rpm --nodeps -i "$rpm" 2>&1) || fail "rpm -i failed: $said"
extensions=/usr/share/gnome-shell/extensions
expected="-rw-r--r-- root /usr/share/licenses/drapeno/LICENSE
-rw-r--r-- root /usr/share/man/man1/drapeno.1.gz
-rw-r--r-- root $extensions/drapeno@drapeno.example/extension.js
-rw-r--r-- root $extensions/drapeno@drapeno.example/metadata.json
-rw-r--r-- root $extensions/drapeno-legacy@drapeno.example/extension.js
-rw-r--r-- root $extensions/drapeno-legacy@drapeno.example/metadata.json
-rwxr-xr-x root /usr/bin/drapeno"
files=$(cd "$root" && find usr -type f -printf '%M %u /%p\n' | LC_ALL=C sort -k3)
[ "$files" = "$(echo "$expected" | LC_ALL=C sort -k3)" ] || fail "installed files differ: $files"
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/drapeno" 2>&1 >/dev/null) || fail "drapeno did not exit 0"
[ "$usage" = "$(cat "$here/usage.txt")" ] || fail "drapeno did not print the usage: $usage"

said=$($sudo rpm --root "$root" --dbpath /var/lib/rpm -e drapeno 2>&1) || fail "rpm -e failed: $said"
[ -z "$(cd "$root" && find usr -type f 2>/dev/null)" ] || fail "files left after rpm -e"
echo "$(basename "$rpm"): rpmlint clean, soname requirements, installs into an empty root, drapeno runs, removes"
