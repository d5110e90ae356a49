#!/usr/bin/env bash
# The Wayland tests of build/linux/Drapeno, one compositor per run, each a
# table of steps. Usage: run.sh SETUP DRAPENO [EXTRA]   (SETUP: sway, weston,
# kwin, labwc, gnome; EXTRA: for labwc the listener its steps are judged by,
# for gnome the folder of Drapeno's GNOME Shell extension)
set -euo pipefail
# The compositors run as nobody, which takes root: a user who may sudo without
# a password runs the set-up as root, as CI does; anyone else skips, unasked.
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null && exec sudo -n bash "$0" "$@"
    echo "skipped: the compositor runs as the user nobody, which needs root or sudo without a password"
    exit 77
fi
setup=$1 drapeno=$2 toplevels=${3:-} extension=${3:-}
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
views=views

# A session bus lets in its own user only: Drapeno runs as nobody there, from
# a copy nobody can reach.
drapeno_as_nobody() {
    install -m 755 "$drapeno" "$work/Drapeno"
    drapeno() { as_nobody "$work/Drapeno" "$@"; }
}

# step ARGUMENT NAME=STATE...: Drapeno must exit 0 with nothing on standard
# error, and each view be in its state (hidden, tiled, floating or focused).
step() {
    local argument=$1 expectation name state rc=0
    shift
    drapeno "$argument" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "${argument:0:40}: exit $rc, $(head -c 300 "$work/stderr")"
    for expectation in "$@"; do
        name=${expectation%%=*} state=${expectation#*=}
        "$views" >"$work/views"
        grep -q "^${view[$name]} .*\b$state\b" "$work/views" ||
            fail "after ${argument:0:40}: $name is not $state: $(grep "^${view[$name]} " "$work/views")"
    done
}

setup_sway() {
    start_sway
    local long
    long=$(printf 'L%.0s' $(seq 300))
    # A title that is not UTF-8 is in the tree while every step runs.
    open_view Latin tiled $'Caf\xe9'
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
    swaymsg "[con_id=${view[Beta]}] fullscreen enable" >/dev/null
    step -s=Beta Beta=tiled Beta=focused Float=floating
    views | grep -q "^${view[Beta]} .*fullscreen" && fail "Beta is still full screen"
    step -h=CAFÉ Cafe=tiled
    step -h=CAFé Cafe=hidden Latin=tiled
    step -h=$'Caf\xe9' Latin=hidden
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
    # Without sway's socket, through the foreign-toplevel manager: sway
    # ignores its minimise, and that is one line.
    rc=0
    XDG_RUNTIME_DIR=$runtime SWAYSOCK='' drapeno -h=Alpha 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ "$(cat "$work/stderr")" = "Drapeno: this desktop does not let other programs hide windows" ] ||
        fail "ignored minimise: exit $rc, $(head -c 300 "$work/stderr")"
    views | grep -q "^${view[Alpha]} tiled" || fail "Alpha is not tiled after an ignored minimise"
}

# A compositor with no way in, and a sway socket that no one answers on: one
# line, or the usage where there are no arguments.
setup_weston() {
    start_weston
    : >"$work/dead.sock"
    local sock argument rc says
    for sock in "" "$work/dead.sock" "$work/absent"; do
        for argument in -h=Alpha -s=Alpha ""; do
            rc=0
            SWAYSOCK=$sock drapeno $argument >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
            says="Drapeno: this desktop offers no way to hide or show windows"
            [ -n "$argument" ] || says=$(cat "$here/../usage.txt")
            [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && [ "$(cat "$work/stderr")" = "$says" ] ||
                fail "SWAYSOCK='$sock' $argument: exit $rc, '$(cat "$work/stderr")'"
        done
    done
}

# KWin and what it pulls in are too large to install for every test run: the
# set-up runs where KWin is, and is skipped elsewhere.
setup_kwin() {
    command -v kwin_wayland >/dev/null || { echo "skipped: no kwin_wayland"; exit 77; }
    start_kwin
    drapeno_as_nobody
    views=kwin_views
    open_zenity Alpha Alpha
    open_zenity Tool Tool
    open_zenity Max Max
    kwin_script "workspace.clientList().forEach(function (w) {
        if (w.internalId == '${view[Tool]}') { w.skipTaskbar = true; }
        if (w.internalId == '${view[Max]}') { w.setMaximize(true, true); } });" >/dev/null
    step -h=alpha Alpha=hidden Tool=shown
    step -s=ALPHA Alpha=shown Alpha=active
    step -h=Tool Tool=hidden
    step -s=Tool Tool=shown Tool=taskbar Tool=active
    # Brought back by other means, a hidden window is visible and takes back
    # only its own skips.
    step -h=Tool Tool=hidden
    kwin_script "workspace.clientList().forEach(function (w) {
        if (w.internalId == '${view[Tool]}') { w.minimized = false; } });" >/dev/null
    step -h=Tool Tool=hidden
    step -s=Tool "Tool=shown taskbar active"
    step -h=Max Max=hidden
    step -s=Max Max=shown Max=active
    "$views" | grep -q "^${view[Max]} .*maximised" && fail "Max is still maximised"
    # Topmost first: of three windows with one title, the middle one, raised.
    open_zenity One Twin
    open_zenity Two Twin
    open_zenity Three Twin
    kwin_script "workspace.clientList().forEach(function (w) {
        if (w.internalId == '${view[Two]}') { workspace.activeClient = w; } });" >/dev/null
    step -h=Twin Two=hidden One=shown Three=shown
    step -h=Nowhere Alpha=shown
    # X11 windows of one title: KWin's suffix ends in a left-to-right mark.
    # Captions have their runs of blanks collapsed.
    open_zenity X1 "Two  Blanks" x11
    open_zenity X2 "Two  Blanks" x11
    step "-h=Two  Blanks" X1=shown X2=shown
    step "-h=Two Blanks"
    step "-h=Two Blanks" X1=hidden X2=hidden
    # Another peer on the bus answers for KWin while KWin is busy: Drapeno
    # takes KWin's answer only.
    spawn_as_nobody sh -c 'while :; do
        for peer in $(busctl --user list --unique --no-legend | awk "\$3 == \"Drapeno\" { print \$1 }"); do
            busctl --user call "$peer" /Drapeno org.drapeno.Drapeno Reply s "[]"; done; done' >/dev/null 2>&1
    printf 'var end = Date.now() + 700; while (Date.now() < end) {}\n' >"$runtime/busy.js"
    chmod 644 "$runtime/busy.js"
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting loadScript ss "$runtime/busy.js" busy >/dev/null
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting start
    step -h=Alpha Alpha=hidden
}

# labwc honours the manager's minimise; the views are what a listener of our
# own hears, identified by app id.
setup_labwc() {
    find_labwc "$(dirname "$drapeno")" || { echo "skipped: $labwc_missing"; exit 77; }
    start_labwc
    views=labwc_views
    local long
    long=$(printf 'L%.0s' $(seq 300))
    open_foot Latin $'Caf\xe9'
    open_foot Alpha Alpha
    open_foot Beta Beta
    open_foot Cafe café
    open_foot Long "$long"
    step -h=alpha Alpha=minimised Beta=shown
    step -h=Alpha Beta=shown
    step -s=ALPHA "Alpha=shown activated"
    labwc_views maximise Beta
    labwc_views fullscreen Beta
    step -s=Beta "Beta=shown activated"
    labwc_views | grep -Eq "^Beta .*(maximised|fullscreen)" && fail "Beta is still maximised or full screen"
    step -h=Beta Beta=minimised
    step -s=Beta "Beta=shown activated"
    step -h=CAFÉ Cafe=shown
    step -h=CAFé Cafe=minimised Latin=shown
    step -h=$'Caf\xe9' Latin=minimised
    step "-h=${long:0:256}" Long=shown
    step "-h=${long:0:255}" Long=minimised
    step -h=Nowhere Alpha=shown Beta=shown
    # The activated one of three windows with one title comes first.
    open_foot One Twin
    open_foot Two Twin
    open_foot Three Twin
    labwc_views activate Two
    step -h=Twin Two=minimised One=shown Three=shown
}

labwc_views() { timeout 5 "$toplevels" "$@"; }

# open_foot NAME TITLE: a foot terminal under labwc, its app id NAME.
open_foot() {
    spawn_as_nobody foot --app-id "$1" --title "$2" cat >/dev/null 2>&1
    view[$1]=$1
    eventually --tries 200 has_view "$1" || fail "foot '$1' did not come up"
}
has_view() { labwc_views | grep -q "^$1 "; }

# GNOME Shell and what it pulls in are large: the set-up runs where it is
# installed. The shell's own state is the judge, read through Eval, which a
# test-only extension turns on.
setup_gnome() {
    command -v gnome-shell >/dev/null || { echo "skipped: no gnome-shell"; exit 77; }
    start_gnome "$extension" "$here/gnome-eval@drapeno.example"
    drapeno_as_nobody
    views=gnome_views
    open_gnome Alpha Alpha
    open_gnome Max Max
    open_gnome Full Full
    on_window Max "w.maximize(Meta.MaximizeFlags.BOTH)"
    on_window Full "w.make_fullscreen()"
    step -h=alpha Alpha=hidden Max=maximised Full=fullscreen
    step -h=Alpha Alpha=hidden
    step -s=ALPHA Alpha=shown Alpha=active
    step -h=Max Max=hidden
    step -s=Max Max=shown Max=active
    step -h=Full Full=hidden
    step -s=Full Full=shown Full=active
    gnome_views | grep -E "^(${view[Max]}|${view[Full]}) .*(maximised|fullscreen)" && fail "still maximised or full screen"
    # Only minimised is visible; brought back by other means, a hidden window
    # is visible again.
    on_window Alpha "w.minimize()"
    step -h=Alpha Alpha=hidden
    on_window Alpha "w.unminimize()"
    step -s=Nowhere Alpha=shown
    step -h=Alpha Alpha=hidden
    # Topmost first: of three windows with one title, the middle one, raised.
    open_gnome One Twin
    open_gnome Two Twin
    open_gnome Three Twin
    on_window Two "w.activate(global.display.get_current_time_roundtrip())"
    step -h=Twin Two=hidden One=shown Three=shown
    # Turned off, the extension leaves its windows minimised and back in
    # Alt+Tab; Drapeno then reaches XWayland's windows and says how to turn
    # it on, in one line.
    gnome_eval "imports.ui.main.extensionManager.disableExtension('$(basename "$extension")')" >/dev/null
    gnome_views >"$work/views"
    grep -q "^${view[Alpha]} minimised" "$work/views" && grep -q "^${view[Two]} minimised" "$work/views" ||
        fail "turned off, the extension left: $(cat "$work/views")"
    local rc=0
    as_nobody DISPLAY="$xwayland" XAUTHORITY="$xauthority" "$work/Drapeno" -h=Alpha >"$work/stdout" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && [ "$(wc -l <"$work/stderr")" -eq 1 ] &&
        grep -q "gnome-extensions enable $(basename "$extension")" "$work/stderr" ||
        fail "without the extension: exit $rc, $(head -c 300 "$work/stderr")"
    # A stand-in that answers the listing with no list, or not at all: one
    # line, by the deadline.
    local mode says
    cp "$here/gnome_stand_in.js" "$runtime/"
    for mode in garbage silent; do
        spawn_as_nobody gjs "$runtime/gnome_stand_in.js" "$mode"
        eventually as_nobody busctl --user status org.drapeno.Shell >/dev/null 2>&1 || fail "no stand-in on the bus"
        rc=0
        drapeno -h=Alpha >"$work/stdout" 2>"$work/stderr" || rc=$?
        says="Drapeno: GNOME Shell answered the listing with no list"
        [ "$mode" = garbage ] || says="Drapeno: GNOME Shell did not answer the listing"
        [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && [ "$(cat "$work/stderr")" = "$says" ] ||
            fail "stand-in $mode: exit $rc, $(head -c 300 "$work/stderr")"
        kill "${pids[0]}"
        eventually sh -c "! as_nobody busctl --user status org.drapeno.Shell" >/dev/null 2>&1
    done
}

# open_gnome NAME TITLE: a native GTK window under GNOME Shell; view[NAME] is its id.
open_gnome() {
    local before
    before=$(gnome_views | cut -d' ' -f1)
    spawn_as_nobody GDK_BACKEND=wayland zenity --info --title "$2" --text "$2" >/dev/null 2>&1
    for _ in $(seq 100); do
        view[$1]=$(gnome_eval "global.display.list_all_windows().filter(w => w.get_title() === '$2')
            .map(w => w.get_id()).join('\\n')" | grep -vxF -f <(echo "$before") | head -n1 || true)
        [ -z "${view[$1]}" ] || return 0
        sleep 0.05
    done
    fail "zenity '$2' did not come up"
}

# on_window NAME JS: runs JS inside GNOME Shell with w the window NAME.
on_window() {
    gnome_eval "const Meta = imports.gi.Meta;
        global.display.list_all_windows().filter(w => w.get_id() === ${view[$1]}).forEach(w => { $2; })" >/dev/null
}

# open_zenity NAME TITLE [x11]: a GTK window under KWin, native or through
# XWayland; view[NAME] is its id.
open_zenity() {
    local before
    before=$(kwin_views | cut -d' ' -f1)
    spawn_as_nobody GDK_BACKEND="${3:-wayland}" DISPLAY="$xwayland" zenity --info --title "$2" --text "$2" >/dev/null 2>&1
    for _ in $(seq 50); do
        view[$1]=$(kwin_views | cut -d' ' -f1 | grep -vxF -f <(echo "$before") | head -n1 || true)
        [ -z "${view[$1]}" ] || return 0
    done
    fail "zenity '$2' did not come up"
}

"setup_$setup"
echo "ok [$setup]"
