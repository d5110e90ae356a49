# A virtual display of our own, bare or under one window manager, for the X11
# tests, the benchmark and the demonstration. Sourced; the caller defines fail,
# work (a scratch directory), pids (processes to end, last started first) and
# helper.

source "$(dirname "${BASH_SOURCE[0]}")/../processes.sh"

# Writes what a window manager needs in $work/home and prints its command line.
wm_command() {
    local home=$work/home
    mkdir -p "$home/.fluxbox"
    case $1 in
        openbox) echo openbox --sm-disable ;;
        xfwm4) echo xfwm4 --compositor=off --sm-client-disable ;;
        i3)
            printf 'font pango:monospace 8\nfloating_modifier Mod1\n' >"$home/i3.config"
            echo i3 -c "$home/i3.config" ;;
        fluxbox)
            # Tabs: the two clients titled Tab One and Tab Two share one frame.
            printf '[group]\n [app] (title=Tab One)\n [app] (title=Tab Two)\n[end]\n' >"$home/apps"
            printf 'background: none\n' >"$home/overlay"
            : >"$home/keys"
            printf 'session.%s\n' "appsFile: $home/apps" "keyFile: $home/keys" \
                "styleOverlay: $home/overlay" "screen0.autoRaise: false" >"$home/init"
            echo fluxbox -rc "$home/init" ;;
        icewm) echo icewm ;;
        metacity | marco) echo "$1" --no-composite ;;
        kwin_x11) echo env KWIN_COMPOSE=N QT_QPA_PLATFORM=xcb kwin_x11 ;;
        mutter) echo mutter --x11 --replace --sm-disable ;;
        muffin) echo muffin --replace --sm-disable ;;
        *) fail "unknown set-up $1" ;;
    esac
}

wm_ready() {
    xwininfo -root -events 2>/dev/null | grep -q SubstructureRedirect &&
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

# start_display SETUP: SETUP is bare (no window manager) or a window manager
# that wm_command knows.
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
    [ "$setup" != bare ] || return 0
    # Each window manager keeps its settings in a home of its own, here, and
    # talks to a session bus of its own (xfwm4, kwin_x11, mutter and muffin need one).
    local command
    command=$(wm_command "$setup")
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>/dev/null &
    started $!
    eventually grep -q . "$work/bus" || fail "no session bus"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    HOME=$work/home XDG_CONFIG_HOME=$work/home XDG_CACHE_HOME=$work/home XDG_DATA_HOME=$work/home \
        GSETTINGS_BACKEND=memory $command >"$work/wm.log" 2>&1 &
    started $!
    eventually --tries 400 wm_ready || fail "$setup did not start: $(tail -n5 "$work/wm.log")"
    # A window mapped while the window manager is still starting may never be
    # taken in: the set-up is ready once a probe window is.
    takes_in || fail "$setup takes in no window"
}

# Whether the window manager, if one runs, takes in a new window within a few
# seconds: it has caught up with what came before.
takes_in() {
    local try probe taken=1
    case ${setup:-bare} in bare | none) return 0 ;; esac
    for try in 1 2 3 4 5 6; do
        "$helper" open normal:Probe >"$work/probe" &
        probe=$!
        eventually --tries 40 sh -c "xprop -id \$(head -n1 $work/probe) WM_STATE 2>/dev/null | grep -q Normal" &&
            taken=0
        kill "$probe"
        wait "$probe" || true
        [ "$taken" -ne 0 ] || break
    done
    return "$taken"
}
