#!/usr/bin/env bash
# The sway set-up run from a folder only its owner may enter, as a clone under
# root's home (mode 700) or any mktemp -d folder is: what the compositor's user
# needs must not lie on that path. Usage: closed_folder.sh DRAPENO
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
closed=$(mktemp -d)  # mode 700
trap 'rm -rf "$closed"' EXIT
mkdir "$closed/wayland"
cp "$here"/*.sh "$closed/wayland/"
cp "$here/../usage.txt" "$here/../processes.sh" "$1" "$closed/"
cd "$closed"
bash wayland/run.sh sway "$closed/$(basename "$1")"
