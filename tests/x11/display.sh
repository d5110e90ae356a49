# A virtual display of our own, bare or under one window manager, for the X11
# tests, the benchmark and the demonstration. Sourced; the caller defines fail,
# work (a scratch directory), pids (processes to end, last started first) and
# helper.

source "$(dirname "${BASH_SOURCE[0]}")/../processes.sh"

# What each window manager does of what the cases look at: m minimises on
# WM_CHANGE_STATE, h minimises only through _NET_WM_STATE_HIDDEN, x maximises,
# f makes full screen, r floats windows in a stacking order of its own, a
# activates on _NET_ACTIVE_WINDOW, e lists its clients, and only those, in
# _NET_CLIENT_LIST (spectrwm's and cwm's keep the last window that went, lwm's
# withdrawn ones, pekwm's not its newest), l survives a window with a
# title longer than 255 bytes (lwm 1.2.4 aborts, a double free, when one goes).
# A display without one has its stacking order and focus.
declare -A wm_has=(
    [bare]=ral [openbox]=mxfrael [xfwm4]=mxfrael [fluxbox]=mxfrael [i3]=fael [icewm]=mxfrael
    [metacity]=mxfrael [marco]=mxfrael [kwin_x11]=mxfrael [mutter]=mxfrael [muffin]=mxfrael
    [awesome]=mxfrael [bspwm]=hfrael [herbstluftwm]=mfrael [spectrwm]=hxfral [jwm]=mxfrael
    [pekwm]=mxfral [wmaker]=mxfrael [ctwm]=mxfrael [fvwm]=mxfrael [fvwm3]=mxfrael [sawfish]=mxfrael
    [cwm]=mxfral [blackbox]=mxfrael [evilwm]=xfrael [lwm]=mfr [matchbox]=mfael [dwm]=fel [twm]=mrl
    [xmonad]=l
)
wm_does() { [[ ${wm_has[${setup:-bare}]:-} == *["$1"]* ]]; }

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
        # The tiling and classic ones, each floating its windows where it can,
        # with no bar, panel, dock or first-run dialog.
        awesome)
            mkdir -p "$home/awesome"
            cat >"$home/awesome/rc.lua" <<'LUA'
local awful = require("awful")
require("awful.autofocus")
awful.screen.connect_for_each_screen(function(s) awful.tag({"1"}, s, awful.layout.suit.floating) end)
awful.rules.rules = {{rule = {}, properties = {border_width = 1, focus = awful.client.focus.filter, raise = true}}}
LUA
            echo awesome ;;
        bspwm)
            wm_script bspwm/bspwmrc "bspc monitor -d 1; bspc config window_gap 0; bspc rule -a '*' state=floating"
            echo bspwm ;;
        herbstluftwm)
            wm_script herbstluftwm/autostart "herbstclient floating on"
            echo herbstluftwm ;;
        spectrwm)
            mkdir -p "$home/spectrwm"
            printf 'bar_enabled = 0\nquirk[.*] = FLOAT + ANYWHERE\n' >"$home/spectrwm/spectrwm.conf"
            echo spectrwm ;;
        jwm)
            echo '<JWM><Desktops width="1" height="1"/><FocusModel>click</FocusModel></JWM>' >"$home/.jwmrc"
            echo jwm -f "$home/.jwmrc" ;;
        pekwm)
            # One workspace; the xterms titled Tab One and Tab Two share one frame.
            mkdir -p "$home/.pekwm"
            printf 'INCLUDE = "$_PEKWM_ETC_PATH/config_system"\nScreen { Workspaces = "1" }\n' >"$home/.pekwm/config"
            cp /etc/pekwm/keys /etc/pekwm/mouse /etc/pekwm/menu "$home/.pekwm/"
            printf 'Property = "^xterm,^XTerm" {\n Title = "^Tab "\n ApplyOn = "New"\n Group = "tabs" { Size = "2" }\n}\n' \
                >"$home/.pekwm/autoproperties"
            echo pekwm --config "$home/.pekwm/config" ;;
        wmaker) echo wmaker --no-dock --no-clip --no-autolaunch --dont-restore ;;
        ctwm | twm)
            printf 'NoGrabServer\nRandomPlacement\nUsePPosition "on"\n' >"$home/.${1}rc"
            echo "$1" -f "$home/.${1}rc" "$([ "$1" = twm ] || echo --nowelcome)" ;;
        fvwm | fvwm3)
            mkdir -p "$home/.fvwm"
            echo 'Style * ClickToFocus' >"$home/.fvwm/config"
            echo "$1" ;;
        sawfish)
            # Raising on focus comes about 0.4 s late: off, as fluxbox's auto-raise.
            echo '(setq raise-windows-on-focus nil)' >"$home/.sawfishrc"
            echo sawfish ;;
        blackbox)
            printf 'session.screen0.%s\n' "workspaces: 1" "toolbar.autoHide: True" >"$home/.blackboxrc"
            echo blackbox -rc "$home/.blackboxrc" ;;
        cwm | evilwm | lwm | dwm | xmonad) echo "$1" ;;
        matchbox) echo matchbox-window-manager ;;
        *) fail "unknown set-up $1" ;;
    esac
}

# A start-up script, the last thing the window manager runs before it is ready.
wm_script() {
    mkdir -p "$(dirname "$work/home/$1")"
    printf '#!/bin/sh\n%s\ntouch "%s"\n' "$2" "$work/home/started" >"$work/home/$1"
    chmod +x "$work/home/$1"
    : >"$work/home/script"
}

# Ready once it redirects the root's children, names itself if it speaks EWMH,
# and has run its start-up script.
wm_ready() {
    xwininfo -root -events 2>/dev/null | grep -q SubstructureRedirect &&
        { ! wm_does ae || xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; } &&
        { [ ! -e "$work/home/script" ] || [ -e "$work/home/started" ]; }
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
