#!/usr/bin/env bash
# The Arch package of a source tarball, with Debian's makepkg: writes
# OUTPUT_DIR/PKGBUILD, this folder's with the tarball's sha256sums filled in,
# and builds OUTPUT_DIR/drapeno-VERSION-1-x86_64.pkg.tar.zst from the two
# (makepkg --nodeps: the build tools are Debian's). makepkg refuses root, so
# root builds as nobody in a folder nobody owns. Times in the package are
# SOURCE_DATE_EPOCH, by default the last commit's; the two build paths
# makepkg records in .BUILDINFO are set to the ones Arch's clean-chroot
# builds record, so the same tarball gives the same package in any folder.
# Prints the package's path. Usage: packaging/arch/makepkg.sh TARBALL OUTPUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] && [ -f "$1" ] || { echo "usage: $0 TARBALL OUTPUT_DIR" >&2; exit 2; }
tarball=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$(cd "$2" && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct)}
maintainer=$(sed -n 's/^# Maintainer: //p' "$here/PKGBUILD")

sum=$(sha256sum "$tarball" | cut -d' ' -f1)
sed "s/^sha256sums=.*/sha256sums=('$sum')/" "$here/PKGBUILD" >"$out/PKGBUILD"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
work=$scratch/arch
mkdir "$work"
cp "$out/PKGBUILD" "$tarball" "$here/makepkg.conf" "$work/"
as_builder=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$scratch"
    chown -R nobody:nogroup "$work"
    as_builder=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

# The package, then again with the two paths of .BUILDINFO fixed: the files
# listed and archived as makepkg does, under fakeroot so root owns them.
build() {
    cd "$work"
    makepkg --nodeps --noconfirm --nocolor --config "$work/makepkg.conf" >makepkg.log 2>&1 ||
        { tail -n 30 makepkg.log >&2; exit 1; }
    package=$(echo "$work"/*.pkg.tar.zst)
    cd pkg/drapeno
    sed -i -e 's|^builddir = .*|builddir = /build|' -e 's|^startdir = .*|startdir = /startdir|' .BUILDINFO
    fakeroot -- bash -c '
        set -euo pipefail
        files() { (export LC_COLLATE=C; shopt -s dotglob globstar; printf "%s\0" **/*); }
        find . -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
        files | LANG=C bsdtar -cnf - --format=mtree \
            --options="!all,use-set,type,uid,gid,mode,time,size,md5,sha256,link" \
            --null --files-from - --exclude .MTREE | gzip -c -f -n >.MTREE
        touch -d "@$SOURCE_DATE_EPOCH" .MTREE
        files | LANG=C bsdtar --no-fflags --no-read-sparse -cnf - --null --files-from - | zstd -c -z -q - >"$1"
    ' repack "$package"
    echo "$package"
}
package=$(cd / && env -i PATH=/usr/bin:/bin HOME="$work" LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH="$epoch" \
    PACKAGER="$maintainer" work="$work" "${as_builder[@]}" bash -c "$(declare -f build) && umask 022 && build")
cp "$package" "$out/"
echo "$out/$(basename "$package")"
