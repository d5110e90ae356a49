#!/bin/sh
# The Debian package of the X11 build as a user gets it: lintian finds no
# error; it asks for no C library newer than 2.34, the program's floor; it
# holds both builds of the GNOME Shell extension, the zip's among them; it
# installs; `drapeno` from PATH hides an xterm on a virtual display;
# `man drapeno` shows its page; it removes without a trace. Needs root, or
# sudo that asks no password.
# Skipped (77) when a drapeno package is installed already: it is not ours to
# replace. Usage: check_package.sh BUILD_DIR
set -u
fail() { echo "package: $*" >&2; exit 1; }
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "skipped: installing the package needs root or sudo without a password"; exit 77; }
    sudo="sudo -n"
fi
dpkg-query -W -f='${Status}' drapeno 2>/dev/null | grep -q 'ok installed' &&
    { echo "a drapeno package is installed already; remove it to run this check"; exit 77; }

scratch=$(mktemp -d)
pids=""
installed=""
trap 'kill $pids 2>/dev/null; [ -z "$installed" ] || $sudo dpkg --purge drapeno >/dev/null; rm -rf "$scratch"' EXIT
# Polls a condition for up to 10 s.
settled() {
    i=0
    while ! eval "$1" && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    eval "$1"
}

(cd "$1" && cpack -G DEB -B "$scratch" >/dev/null 2>&1) || fail "cpack failed"
deb=$(echo "$scratch"/drapeno_*_amd64.deb)
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors in $deb"
depends=$(dpkg-deb -f "$deb" Depends)
libc=$(echo "$depends" | sed -n 's/.*libc6 (>= \([^)]*\)).*/\1/p')
[ -n "$libc" ] && dpkg --compare-versions "$libc" le 2.34 || fail "its Depends asks for more than glibc 2.34: $depends"
# Both builds of the GNOME Shell extension; the release's zip holds the same
# files as the one for GNOME 45 and later.
dpkg-deb -x "$deb" "$scratch/unpacked" || fail "dpkg-deb -x failed"
extensions=$scratch/unpacked/usr/share/gnome-shell/extensions
for uuid in drapeno@drapeno.example drapeno-legacy@drapeno.example; do
    for file in extension.js metadata.json; do
        [ -f "$extensions/$uuid/$file" ] || fail "the GNOME Shell extension $uuid has no $file in the package"
    done
done
mkdir "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$1/platform/gnome/drapeno@drapeno.example.shell-extension.zip") &&
    diff -r "$scratch/zip" "$extensions/drapeno@drapeno.example" >/dev/null ||
    fail "the release's zip differs from the package's extension for GNOME 45 and later"

# Minimal images keep man pages out (dpkg path-exclude); this one is wanted.
installed=yes
$sudo dpkg --path-include='/usr/share/man/man1/drapeno.1.gz' -i "$deb" >/dev/null || fail "dpkg -i failed"
[ "$(command -v drapeno)" = /usr/bin/drapeno ] || fail "drapeno is not on PATH"

Xvfb -displayfd 3 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids=$!
settled '[ -s "$scratch/display" ]' || fail "Xvfb did not start"
DISPLAY=:$(cat "$scratch/display") && export DISPLAY
# Not the user's shell: a stock .bashrc retitles its xterm.
xterm -T 'Package Check' -e sleep 600 &
pids="$pids $!"
state() { xwininfo -name 'Package Check' 2>/dev/null | sed -n 's/^ *Map State: //p'; }
settled '[ "$(state)" = IsViewable ]' || fail "xterm did not appear"
drapeno '-h=package check'
settled '[ "$(state)" = IsUnMapped ]' || fail "drapeno from PATH did not hide the xterm"

man -P cat drapeno 2>/dev/null | grep -q 'HIDE AND SHOW ON X11' || fail "man drapeno shows no page"

$sudo dpkg --purge drapeno >/dev/null || fail "dpkg --purge failed"
installed=""
[ ! -e /usr/bin/drapeno ] && [ ! -e /usr/share/man/man1/drapeno.1.gz ] || fail "files left after removal"
echo "$(basename "$deb"): lintian clean, installs, drapeno hides a window from PATH, man page, removes"
