#!/usr/bin/env bash
# The Wayland tests of build/linux/Drapeno, one compositor per run: the table
# of steps every desktop runs (cases below), through the desktop's adapter
# (one file each), then the steps that desktop alone has.
# Usage: run.sh SETUP DRAPENO [EXTRA]   (SETUP: sway, weston, kwin, labwc,
# wayfire, gnome; EXTRA: for labwc and wayfire the listener their steps are
# judged by, for gnome Drapeno's GNOME Shell extension, a folder or a zip)
set -euo pipefail
# The compositors run as nobody, which takes root: a user who may sudo without
# a password runs the set-up as root, as CI does; anyone else skips, unasked.
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null && exec sudo -n bash "$0" "$@"
    echo "skipped: the compositor runs as the user nobody, which needs root or sudo without a password"
    exit 77
fi
setup=$1 drapeno=$2 extra=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/drapeno-wayland.XXXXXX)
pids=()

trap 'end_all; rm -rf "$work"' EXIT
fail() { echo "FAIL [$setup]: $*" >&2; exit 1; }
source "$here/compositor.sh"

# Runs Drapeno as the session would, without an X display.
drapeno() { env -u DISPLAY "$drapeno" "$@"; }

# A session bus lets in its own user only: Drapeno runs as nobody there, from
# a copy nobody can reach.
drapeno_as_nobody() {
    install -m 755 "$drapeno" "$work/Drapeno"
    drapeno() { as_nobody "$work/Drapeno" "$@"; }
}

# holds NAME=STATE...: each view is in its state, a word of its line in what
# the adapter's views prints (!STATE: not in it).
holds() {
    local expectation name state line
    "$views" >"$work/views"
    for expectation; do
        name=${expectation%%=*} state=${expectation#*=}
        line=$(grep "^${view[$name]} " "$work/views") || return 1
        if [ "${state:0:1}" = '!' ]; then
            grep -qw -- "${state:1}" <<<"${line#* }" && return 1
        else
            grep -qw -- "$state" <<<"${line#* }" || return 1
        fi
    done
    return 0
}

# step ARGUMENT NAME=STATE...: Drapeno must exit 0 with nothing on standard
# error, and each view come to its state within a second (a compositor acts
# on what it was asked in its own time).
step() {
    local argument=$1 rc=0
    shift
    drapeno "$argument" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "${argument:0:40}: exit $rc, $(head -c 300 "$work/stderr")"
    eventually --tries 20 holds "$@" || fail "after ${argument:0:40}: not $*: $(cat "$work/views")"
}

# says ARGUMENT LINE: Drapeno (with no argument where ARGUMENT is empty) exits
# 0, prints nothing on standard output and exactly LINE on standard error.
says() {
    local rc=0
    drapeno ${1:+"$1"} >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && [ "$(cat "$work/stderr")" = "$2" ] ||
        fail "${1:0:40}: exit $rc, '$(head -c 300 "$work/stderr")', not '$2'"
}

# adapter DESKTOP: the cases below reach the desktop through its functions
# DESKTOP_views (a line per window: its id, then words, hidden or shown,
# active, maximised), DESKTOP_open NAME TITLE (view[NAME] is then its id),
# DESKTOP_maximise NAME and DESKTOP_raise NAME.
adapter() { views=$1_views open=$1_open maximise=$1_maximise raise=$1_raise; }

# The cases every desktop runs.
cases() {
    "$open" Alpha Alpha
    "$open" Beta Beta
    "$open" Max Max
    "$maximise" Max
    step -h=alpha Alpha=hidden Beta=shown Max=maximised
    step -h=Alpha Alpha=hidden Beta=shown
    step -s=ALPHA Alpha=shown Alpha=active
    step -s=Beta Beta=shown Beta=active Alpha=shown
    step -h=Max Max=hidden
    step -s=Max Max=shown Max=active Max=!maximised
    step -h=Nowhere Alpha=shown Beta=shown Max=shown
    step -s=Nowhere Alpha=shown Beta=shown Max=shown
    # The first of windows with one title: topmost, or the one activated last.
    "$open" One Twin
    "$open" Two Twin
    "$open" Three Twin
    "$raise" Two
    step -h=Twin Two=hidden One=shown Three=shown
}

# A title that is not UTF-8 is hidden by its bytes, where the compositor kept
# them; where it dropped or mended the title, nothing matches those bytes.
latin_step() {
    if holds Latin=untitled || holds Latin=utf8; then
        step -h=$'Caf\xe9' Latin=shown
    else
        step -h=$'Caf\xe9' Latin=hidden
    fi
}

"setup_$setup"
echo "ok [$setup]"
