#!/usr/bin/env bash
# The Wayland tests of build/linux/Drapeno, one compositor per run, each a
# table of steps. Usage: run.sh SETUP DRAPENO   (SETUP: sway, weston)
set -euo pipefail
setup=$1 drapeno=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/drapeno-wayland.XXXXXX)
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL [$setup]: $*" >&2; exit 1; }
source "$here/compositor.sh"

# Runs Drapeno as the session would, without an X display.
drapeno() { env -u DISPLAY "$drapeno" "$@"; }

# step ARGUMENT NAME=STATE...: Drapeno must exit 0 with nothing on standard
# error, and each view be in its state (hidden, tiled, floating or focused).
step() {
    local argument=$1 expectation name state rc=0
    shift
    drapeno "$argument" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "${argument:0:40}: exit $rc, $(head -c 300 "$work/stderr")"
    for expectation in "$@"; do
        name=${expectation%%=*} state=${expectation#*=}
        views | grep -q "^${view[$name]} .*\b$state\b" ||
            fail "after ${argument:0:40}: $name is not $state: $(views | grep "^${view[$name]} ")"
    done
}

setup_sway() {
    start_sway
    local long
    long=$(printf 'L%.0s' $(seq 300))
    open_view Alpha tiled Alpha
    open_view Beta tiled Beta
    open_view Float floating Float
    open_view Cafe tiled café
    open_view Long tiled "$long"
    step -h=alpha Alpha=hidden Beta=tiled Float=floating
    step -h=Alpha Beta=tiled Float=floating
    step -s=ALPHA Alpha=tiled Alpha=focused
    step -h=Float Float=hidden
    step -s=Float Float=floating Float=focused
    step -s=Beta Beta=tiled Beta=focused Float=floating
    step -h=CAFÉ Cafe=tiled
    step -h=CAFé Cafe=hidden
    step "-h=${long:0:256}" Long=tiled
    step "-h=${long:0:255}" Long=hidden
    step -h=Nowhere Alpha=tiled Beta=tiled Float=floating
    # The most recently focused of windows with one title comes first, and
    # a visible one before a hidden one.
    open_view One tiled Twin
    open_view Two tiled Twin
    open_view Three tiled Twin
    swaymsg "[con_id=${view[Two]}] focus" >/dev/null
    step -h=Twin Two=hidden One=tiled Three=tiled
    step -s=Twin Two=hidden
    # Without an X display the usage goes to standard error.
    local rc=0
    drapeno >"$work/stdout" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && head -n1 "$work/stderr" | grep -q '^Drapeno v1.0' ||
        fail "usage: exit $rc, $(head -c 300 "$work/stderr")"
}

# A compositor with no way in, and a sway socket that no one answers on: one line.
setup_weston() {
    start_weston
    : >"$work/dead.sock"
    local sock argument rc
    for sock in "" "$work/dead.sock" "$work/absent"; do
        for argument in -h=Alpha -s=Alpha ""; do
            rc=0
            SWAYSOCK=$sock drapeno $argument >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
            [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] &&
                [ "$(cat "$work/stderr")" = "Drapeno: this desktop offers no way to hide or show windows" ] ||
                fail "SWAYSOCK='$sock' $argument: exit $rc, '$(cat "$work/stderr")'"
        done
    done
}

"setup_$setup"
echo "ok [$setup]"
