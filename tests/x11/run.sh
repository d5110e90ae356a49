#!/usr/bin/env bash
# One X11 test case of Drapeno on a virtual display of its own.
# Usage: run.sh SETUP CASE DRAPENO HELPER
#   SETUP: bare (no window manager), openbox (a reparenting one), none (no display)
set -euo pipefail
setup=$1 case=$2 drapeno=$3 helper=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/drapeno-x11.XXXXXX)
pids=()
declare -A win=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL [$setup $case]: $*" >&2; exit 1; }

# Opens the helper's windows (KIND:TITLE...); win[NAME] holds their ids, named
# by NAME=KIND:TITLE arguments.
open_windows() {
    local names=() descriptions=() arg out=$work/open.$RANDOM
    for arg in "$@"; do names+=("${arg%%=*}"); descriptions+=("${arg#*=}"); done
    "$helper" open "${descriptions[@]}" >"$out" &
    started $!
    # A window manager that has just started may take a while to take them in.
    eventually --tries 600 grep -qx ready "$out" || fail "helper windows did not come up"
    local i=0 id
    while read -r id && [ "$id" != ready ]; do win[${names[$i]}]=$id; i=$((i + 1)); done <"$out"
}

# Starts xterm -T TITLE; win[NAME] is its top-level window.
start_xterm() {
    xterm -T "$2" -geometry 40x8+300+300 -e sleep 600 &
    started $!
    eventually --tries 600 sh -c "xdotool search --name '^$2\$' >/dev/null" || fail "xterm did not come up"
    win[$1]=$(printf '0x%x' "$(xdotool search --name "^$2\$" | head -n1)")
    eventually in_state "$1" shown || fail "xterm not shown"
}

map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p'; }
has_wm_state() { [ "$(xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p')" = "$2" ]; }
size_of() { xwininfo -id "$1" | awk '/ Width:/ { w = $2 } / Height:/ { h = $2 } END { print w "x" h }'; }
is_active() {
    if [ "$setup" = openbox ]; then
        xprop -root _NET_ACTIVE_WINDOW | grep -qi "# $1\$"
    else
        [ "$(printf '0x%x' "$(xdotool getwindowfocus)")" = "$1" ]
    fi
}

# Whether window NAME is in STATE: shown, hidden, viewable, active, unmaximised or WxH.
in_state() {
    local id=${win[$1]}
    case $2 in
        shown) [ "$(map_state "$id")" = IsViewable ] && { [ "$setup" = bare ] || has_wm_state "$id" Normal; } ;;
        hidden) [ "$(map_state "$id")" = IsUnMapped ] && ! has_wm_state "$id" Normal && ! has_wm_state "$id" Iconic ;;
        viewable) [ "$(map_state "$id")" = IsViewable ] ;;
        active) is_active "$id" ;;
        unmaximised) ! xprop -id "$id" _NET_WM_STATE | grep -q MAXIMIZED ;;
        *x*) [ "$(size_of "$id")" = "$2" ] ;;
    esac
}

# step ARGUMENT NAME=STATE...: runs Drapeno with one argument; it must exit 0
# with nothing on standard error, and each window come to its state.
step() {
    local argument=$1 expectation rc=0
    shift
    "$drapeno" "$argument" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] || fail "Drapeno ${argument:0:40} exited $rc"
    [ ! -s "$work/stderr" ] || fail "Drapeno ${argument:0:40} wrote: $(head -c 300 "$work/stderr")"
    for expectation in "$@"; do
        eventually in_state "${expectation%%=*}" "${expectation#*=}" ||
            fail "after ${argument:0:40}: ${expectation%%=*} is not ${expectation#*=}"
    done
}

source "$here/display.sh"
source "$here/cases.sh"
[ "$setup" = none ] || start_display "$setup"
"case_$case"
echo "ok [$setup $case]"
