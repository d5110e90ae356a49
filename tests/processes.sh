# The processes a test, benchmark or demonstration starts, and the end of
# them, bounded. Sourced by tests/x11/display.sh and tests/wayland/compositor.sh;
# the caller defines pids (processes to end, last started first).

started() { pids=("$1" "${pids[@]}"); }

# Ends each process before the next (a window manager whose display goes first
# may spin), killing one that does not end within 2 s (fluxbox may deadlock on
# SIGTERM), so that no run waits on a desktop that will not go.
end_all() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || continue
        eventually --tries 40 ended "$pid" || kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
ended() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
    [[ $stat == *") Z "* ]]
}

# Polls COMMAND... for up to 5 s (or TRIES times 50 ms); true as soon as it succeeds.
eventually() {
    local tries=100
    [ "$1" != --tries ] || { tries=$2; shift 2; }
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}
