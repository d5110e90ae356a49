# A virtual display of our own, with or without openbox, for the X11 tests, the
# benchmark and the demonstration. Sourced; the caller defines fail, work (a
# scratch directory), pids (processes to end, last started first) and helper.

started() { pids=("$1" "${pids[@]}"); }

# Polls COMMAND... for up to 5 s (or TRIES times 50 ms); true as soon as it succeeds.
eventually() {
    local tries=100
    [ "$1" != --tries ] || { tries=$2; shift 2; }
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}

# start_display SETUP: SETUP is bare (no window manager) or openbox.
start_display() {
    local setup=$1
    # A display number of our own, far from those people and other tools use;
    # a server that fails to take it (already taken, here or in another
    # namespace) makes us try another one.
    local attempt number server=""
    for attempt in 1 2 3 4 5 6 7 8; do
        number=$((300 + RANDOM % 600))
        [ ! -e "/tmp/.X$number-lock" ] || continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$work/xvfb.log" &
        server=$!
        export DISPLAY=":$number"
        if eventually sh -c "kill -0 $server && xprop -root _NONE >/dev/null 2>&1" &&
            grep -qw "$server" "/tmp/.X$number-lock" 2>/dev/null && kill -0 "$server"; then
            started "$server"
            break
        fi
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
        server=""
    done
    [ -n "$server" ] || fail "no virtual display: $(cat "$work/xvfb.log")"
    if [ "$setup" = openbox ]; then
        XDG_CONFIG_HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
        started $!
        eventually --tries 400 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
            fail "openbox did not start: $(cat "$work/openbox.log")"
        # A window mapped while openbox is still starting may never be taken in:
        # the set-up is ready once a probe window is.
        local try probe taken=""
        for try in 1 2 3 4 5 6; do
            "$helper" open normal:Probe >"$work/probe" &
            probe=$!
            eventually --tries 40 sh -c "xprop -id \$(head -n1 $work/probe) WM_STATE 2>/dev/null | grep -q Normal" &&
                taken=yes
            kill "$probe"
            wait "$probe" || true
            [ -z "$taken" ] || break
        done
        [ -n "$taken" ] || fail "openbox takes in no window"
    fi
}

