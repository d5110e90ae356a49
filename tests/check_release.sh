#!/bin/sh
# What a user downloads: Drapeno.exe within 16 KiB, its version resource and
# manifest, the zip that holds it with the README and the licence, and the
# winget and Scoop manifests that install that zip.
# Usage: check_release.sh WINDRES EXE BUILD_DIR HOMEPAGE_URL
windres=$1
exe=$2
build=$3
homepage=$4
fail() { echo "$exe: $*" >&2; exit 1; }

size=$(wc -c <"$exe")
[ "$size" -le 16384 ] || fail "$size bytes, more than 16 KiB"

resources=$("$windres" -i "$exe" -O rc) || fail "no resources"
for want in '"FileVersion", "1.0.0"' '"ProductVersion", "1.0.0"' '"ProductName", "Drapeno"' \
    '"OriginalFilename", "Drapeno.exe"' '"FileDescription", "Drapeno' '"LegalCopyright", "Copyright' \
    'level=""asInvoker""' '>UTF-8</activeCodePage>' '>PerMonitorV2' \
    'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' \
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' \
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    echo "$resources" | grep -qF "$want" || fail "resources lack $want"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G ZIP -B "$scratch" >/dev/null) || fail "cpack failed"
zip="$scratch/Drapeno-1.0.0-win64.zip"
listing=$(cd "$scratch" && cmake -E tar tf "$zip") || fail "no $zip"
for want in Drapeno-1.0.0-win64/bin/Drapeno.exe Drapeno-1.0.0-win64/README.md Drapeno-1.0.0-win64/LICENSE; do
    echo "$listing" | grep -qxF "$want" || fail "zip lacks $want"
done
python3 "$(dirname "$0")/check_manifests.py" "$zip" "$homepage" 1.0.0 || fail "the winget or Scoop manifest is wrong"
echo "$exe: $size bytes, version and manifest resources, zip with exe, README and LICENSE, its winget and Scoop manifests"
