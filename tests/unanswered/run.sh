#!/usr/bin/env bash
# Runs of build/linux/Drapeno against desktops that never answer: an X server
# another client holds, a sway socket, a session bus and a Wayland socket that
# accept and never answer. Each run must end by itself within the run's
# deadline (3 s; 5 s allowed here for a loaded machine), exit 0, print nothing on standard output
# and, on standard error, the line "Drapeno: the desktop did not answer in time"
# (or, with no argument and no desktop left, the usage text). A desktop passed
# over for its silence is not taken for no desktop at all, nor, where a live X
# display is behind it (XWayland's, in a session), for one without the window.
# Usage: run.sh DRAPENO
set -euo pipefail
drapeno=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
source "$here/../processes.sh"
trap 'end_all; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# hold NAME ARGUMENTS...: a stand-in of holder.py, in place once it says so.
hold() {
    local name=$1
    shift
    /usr/bin/python3 "$here/holder.py" "$@" >"$work/$name.out" &
    started $!
    eventually grep -qs ready "$work/$name.out" || fail "$name: stand-in not ready"
}

for name in display live; do
    Xvfb -displayfd 3 -nolisten tcp 3>"$work/$name" 2>/dev/null &
    started $!
    eventually test -s "$work/$name" || fail "Xvfb did not start"
done
display=:$(cat "$work/display") live=:$(cat "$work/live")
DISPLAY=$display hold grab grab
hold sway listen "$work/sway.sock"
hold bus listen "$work/bus.sock"
hold wayland listen "$work/wayland.sock"
bus=unix:path=$work/bus.sock

# Each row: what the session offers, as environment settings, then the runs
# tried (none: no argument; on the live display that is a box that waits).
cases=(
    "DISPLAY=$display|-h=Alpha -s=Alpha none"
    "SWAYSOCK=$work/sway.sock|-h=Alpha -s=Alpha none"
    "WAYLAND_DISPLAY=wayland-0 DBUS_SESSION_BUS_ADDRESS=$bus|-h=Alpha -s=Alpha none"
    "WAYLAND_DISPLAY=$work/wayland.sock|-h=Alpha -s=Alpha none"
    "SWAYSOCK=$work/sway.sock WAYLAND_DISPLAY=wayland-0 DBUS_SESSION_BUS_ADDRESS=$bus DISPLAY=$display|-h=Alpha -s=Alpha none"
    "SWAYSOCK=$work/sway.sock DISPLAY=$live|-h=Alpha -s=Alpha"
    "WAYLAND_DISPLAY=$work/wayland.sock DISPLAY=$live|-h=Alpha -s=Alpha"
)
line="Drapeno: the desktop did not answer in time"
for row in "${cases[@]}"; do
    session=${row%|*}
    for argument in ${row#*|}; do
        [ "$argument" != none ] || argument=""
        rc=0
        env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK -u DBUS_SESSION_BUS_ADDRESS $session \
            timeout -s KILL 5 "$drapeno" $argument >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
        said=$(cat "$work/stderr")
        [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] &&
            { [ "$said" = "$line" ] || { [ -z "$argument" ] && [ "$said" = "$(cat "$here/../usage.txt")" ]; }; } ||
            fail "$session '$argument': exit $rc, stderr '$(head -c 300 "$work/stderr")'"
    done
done
echo "ok: ${#cases[@]} unanswering sessions, each run ended by itself"
