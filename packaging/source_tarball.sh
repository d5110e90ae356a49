#!/usr/bin/env bash
# The source tarball of this clone's last commit, drapeno-VERSION.tar.gz with
# every file under drapeno-VERSION/: git archive gives each entry the
# commit's time and root as owner; the modes, line ends and gzip header are
# fixed here, so the same commit gives the same bytes whoever packs it.
# Prints the tarball's path. Usage: packaging/source_tarball.sh OUTPUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(Drapeno VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "source_tarball: no version in CMakeLists.txt" >&2; exit 1; }
tarball=$1/drapeno-$version.tar.gz
git -C "$root" -c tar.umask=0022 -c core.autocrlf=false -c core.eol=lf \
    archive --format=tar --prefix="drapeno-$version/" HEAD | gzip -9n >"$tarball"
echo "$tarball"
