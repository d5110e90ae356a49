#!/usr/bin/env bash
# The X11 cases of Drapeno under one set-up, on a virtual display of its own:
# each case reported ok or FAIL by name; fails if one does.
# Usage: run.sh SETUP DRAPENO HELPER [CASE...]
#   SETUP: bare (no window manager), a window manager display.sh knows, or
#   none (no display: only the no_display case)
set -euo pipefail
setup=$1 drapeno=$2 helper=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/drapeno-x11.XXXXXX)
pids=()
declare -A win=() place=()
export NO_AT_BRIDGE=1 GDK_BACKEND=x11

trap 'end_all; rm -rf "$work"' EXIT
fail() { echo "    [$setup $case] $*" >&2; exit 1; }

# Opens the helper's windows (KIND:TITLE...); win[NAME] holds their ids, named
# by NAME=KIND:TITLE arguments.
open_windows() {
    local names=() descriptions=() arg out=$work/open.$RANDOM
    for arg in "$@"; do names+=("${arg%%=*}"); descriptions+=("${arg#*=}"); done
    "$helper" open "${descriptions[@]}" >"$out" &
    started $!
    eventually --tries 400 grep -qsx ready "$out" || fail "helper windows did not come up"
    local i=0 id
    while read -r id && [ "$id" != ready ]; do win[${names[$i]}]=$id; i=$((i + 1)); done <"$out"
}

# start NAME TITLE COMMAND...: starts a real client; win[NAME] is its window
# titled TITLE (one not named yet), place[NAME] where it is once shown.
start() {
    local name=$1 title=$2
    shift 2
    "$@" >/dev/null 2>&1 &
    started $!
    eventually --tries 200 fresh "$title" >/dev/null || fail "$title did not come up"
    win[$name]=$(fresh "$title")
    eventually in_state "$name" shown || fail "$title not shown"
    settle "$name"
}
fresh() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        id=$(printf '0x%x' "$id")
        [[ " ${win[*]} " == *" $id "* ]] || { echo "$id"; return 0; }
    done
    return 1
}
xterm_titled() { start "$1" "$2" xterm -T "$2" -geometry "${3:-40x8+300+300}" -e sleep 600; }
yad_titled() { start "$1" "$2" yad --title="$2" --text="$2" --no-buttons; }

# Waits until window NAME stops moving; place[NAME] is where it came to rest.
settle() {
    local last="" now
    for _ in $(seq 40); do
        now=$(place_of "${win[$1]}")
        [ "$now" != "$last" ] || break
        last=$now
        sleep 0.05
    done
    place[$1]=$now
}

map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p'; }
iconic() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q Iconic; }
# Kept by the window manager: in its client list, or where it has none that
# tells (wm_has), in the normal or iconic state.
managed() {
    if wm_does e; then
        xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -qiE "[ ,]$1(,|$)"
    else
        xprop -id "$1" WM_STATE 2>/dev/null | grep -qE "state: (Normal|Iconic)"
    fi
}
size_of() { xwininfo -id "$1" | awk '/ Width:/ { w = $2 } / Height:/ { h = $2 } END { print w "x" h }'; }
place_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    / Width:/ { w = $2 } / Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'; }
is_active() {
    if [ "$setup" = bare ]; then
        [ "$(printf '0x%x' "$(xdotool getwindowfocus)")" = "$1" ]
    else
        xprop -root _NET_ACTIVE_WINDOW | grep -qiE "# $1(,|\$)"
    fi
}

# Whether window $1 stands above the case's other windows, as the server stacks
# them: xwininfo lists the tree topmost first, each frame with its client.
on_top() {
    local tree line other at
    tree=$(xwininfo -root -tree)
    line=$(grep -n -m1 "^ *$1 " <<<"$tree" | cut -d: -f1)
    [ -n "$line" ] || return 1
    for other in "${win[@]}"; do
        at=$(grep -n -m1 "^ *$other " <<<"$tree" | cut -d: -f1)
        [ -z "$at" ] || [ "$at" -ge "$line" ] || return 1
    done
}

# Whether window NAME is in STATE: shown, hidden (withdrawn), minimised,
# viewable, active, top, maximised, fullscreen, unmaximised, restored (at the
# helper's size), placed (where it was when it came up) or tiled; sees[] turns
# a state into what the set-up (in this case, or in every one) shows instead;
# a state it does not have at all is skipped.
in_state() {
    local id=${win[$1]} state=${sees[$setup $case $2]:-${sees[$setup $2]:-$2}}
    has_state "$state" || return 0
    case $state in
        # Compositing window managers (mutter, muffin) keep a minimised window mapped.
        shown) [ "$(map_state "$id")" = IsViewable ] && { [ "$setup" = bare ] || { managed "$id" && ! iconic "$id"; }; } ;;
        hidden) [ "$(map_state "$id")" = IsUnMapped ] && ! managed "$id" ;;
        minimised) iconic "$id" && managed "$id" ;;
        viewable) [ "$(map_state "$id")" = IsViewable ] ;;
        active) is_active "$id" ;;
        top) on_top "$id" ;;
        maximised) xprop -id "$id" _NET_WM_STATE | grep -q MAXIMIZED_VERT ;;
        fullscreen) xprop -id "$id" _NET_WM_STATE | grep -q FULLSCREEN ;;
        unmaximised) ! xprop -id "$id" _NET_WM_STATE | grep -q MAXIMIZED ;;
        placed) [ "$(place_of "$id")" = "${place[$1]}" ] ;;
        tiled) [[ $(size_of "$id") =~ x(6..|7[0-5].)$ ]] ;;  # screen-high less a title bar
        restored) [ "$(size_of "$id")" = 200x100 ] ;;
    esac
}

# step [--or-late] ARGUMENT NAME=STATE...: runs Drapeno with one argument; it
# must exit 0 with nothing on standard error, and each window come to its
# state. With --or-late it may instead say that the desktop did not answer in
# time, and nothing else; then its windows may be anywhere between.
step() {
    local late=0 argument expectation rc=0
    [ "$1" != --or-late ] || { late=1; shift; }
    argument=$1
    shift
    "$drapeno" "$argument" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] || fail "Drapeno ${argument:0:40} exited $rc"
    if [ "$late" = 1 ] && [ "$(cat "$work/stderr")" = "Drapeno: the desktop did not answer in time" ]; then
        return 0
    fi
    [ ! -s "$work/stderr" ] || fail "Drapeno ${argument:0:40} wrote: $(head -c 300 "$work/stderr")"
    for expectation in "$@"; do
        eventually in_state "${expectation%%=*}" "${expectation#*=}" ||
            fail "after ${argument:0:40}: ${expectation%%=*} is not ${expectation#*=} ($(place_of "${win[${expectation%%=*}]}"))"
    done
}

source "$here/display.sh"
source "$here/cases.sh"
source "$here/wm_cases.sh"
case=start
if [ "$setup" = none ]; then cases=(no_display); else start_display "$setup"; fi
[ $# -gt 3 ] || set -- "$@" "${cases[@]}"
failed=0
for case in "${@:4}"; do
    # A case's clients end with it, so that none is left for the next.
    rm -f "$work/skipped" "$work/skipped.case"
    (pids=(); trap end_all EXIT; "case_$case") &
    if ! wait $!; then
        echo "FAIL $case"
        failed=1
    elif [ ! -e "$work/skipped.case" ]; then
        echo "ok   $case"
    fi
    [ ! -e "$work/skipped" ] || sort -u "$work/skipped" | sed "s/^/skip $case /"
    takes_in || { echo "FAIL $setup is stuck after $case"; exit 1; }
done
exit "$failed"
