#!/usr/bin/env bash
# Runs of build/linux/Drapeno against desktops that never answer: an X server
# another client holds, a sway socket, a session bus and a Wayland socket that
# accept and never answer. Each run must end by itself within the run's
# deadline (3 s; 5 s allowed here for a loaded machine), exit 0, print nothing on standard output
# and, on standard error, one line that begins "Drapeno: " (or, with no
# argument and no desktop left, the usage text).
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

Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" 2>/dev/null &
started $!
eventually test -s "$work/display" || fail "Xvfb did not start"
display=:$(cat "$work/display")
DISPLAY=$display hold grab grab
hold sway listen "$work/sway.sock"
hold bus listen "$work/bus.sock"
hold wayland listen "$work/wayland.sock"
bus=unix:path=$work/bus.sock

# Each row: what the session offers, as environment settings; every run is
# tried with -h, -s and no argument.
cases=(
    "DISPLAY=$display"
    "SWAYSOCK=$work/sway.sock"
    "WAYLAND_DISPLAY=wayland-0 DBUS_SESSION_BUS_ADDRESS=$bus"
    "WAYLAND_DISPLAY=$work/wayland.sock"
    "SWAYSOCK=$work/sway.sock WAYLAND_DISPLAY=wayland-0 DBUS_SESSION_BUS_ADDRESS=$bus DISPLAY=$display"
)
for session in "${cases[@]}"; do
    for argument in -h=Alpha -s=Alpha ""; do
        rc=0
        env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK -u DBUS_SESSION_BUS_ADDRESS $session \
            timeout -s KILL 5 "$drapeno" $argument >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
        said=$(cat "$work/stderr")
        [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] &&
            { [[ $said == Drapeno:* && $said != *$'\n'* ]] || [ "$said" = "$(cat "$here/../usage.txt")" ]; } ||
            fail "$session '$argument': exit $rc, stderr '$(head -c 300 "$work/stderr")'"
    done
done
echo "ok: ${#cases[@]} unanswering sessions, each run ended by itself"
