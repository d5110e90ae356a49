# Headless Wayland compositors of our own, for the Wayland tests, the benchmark
# and the demonstration. Sourced; the caller defines fail, work (a scratch
# directory) and pids (processes to end, last started first). Compositors and
# their clients run as nobody (sway refuses root), which takes root.

started() { pids=("$1" "${pids[@]}"); }

# Polls COMMAND... for up to 5 s (or TRIES times 50 ms); true as soon as it succeeds.
eventually() {
    local tries=100
    [ "$1" != --tries ] || { tries=$2; shift 2; }
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}

# A fresh runtime directory nobody owns, inside work.
make_runtime() {
    chmod 711 "$work"
    runtime=$work/runtime
    rm -rf "$runtime"
    mkdir "$runtime"
    chown nobody:nogroup "$runtime"
    chmod 700 "$runtime"
}

# as_nobody COMMAND...: runs it as nobody in the session, with a clean
# environment, in the runtime directory (nobody may not enter the folder the
# tests were started from); spawn_as_nobody runs it in the background, to be
# ended with the rest (the process started is the program itself, not a shell
# around it).
run_as_nobody() {
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups env -i -C "$runtime" PATH=/usr/bin:/bin \
        HOME="$runtime" LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} \
        ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS} "$@"
}
as_nobody() { (run_as_nobody "$@"); }
spawn_as_nobody() {
    (run_as_nobody "$@") &
    started $!
}

# start_sway [CONFIG-LINE...]: sway headless; exports SWAYSOCK and WAYLAND_DISPLAY.
start_sway() {
    make_runtime
    printf '%s\n' 'output HEADLESS-1 resolution 1024x768' 'default_border normal 2' 'xwayland disable' "$@" >"$runtime/config"
    spawn_as_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$runtime/config" >"$work/sway.log" 2>&1
    eventually --tries 200 sh -c "ls $runtime/sway-ipc.*.sock >/dev/null 2>&1" ||
        fail "sway did not start: $(tail -n 5 "$work/sway.log")"
    SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock)
    WAYLAND_DISPLAY=$(cd "$runtime" && ls wayland-? | head -n1)
    export SWAYSOCK WAYLAND_DISPLAY
    eventually swaymsg -t get_version >/dev/null || fail "sway does not answer"
}

# The views under sway, one line each: con_id, hidden|tiled|floating, focused|-,
# and fullscreen where it is.
views() {
    swaymsg -r -t get_tree | jq -r '
        def views($ws): (if .type == "workspace" then .name else $ws end) as $w
            | if has("pid") then
                "\(.id) \(if $w == "__i3_scratch" then "hidden" elif .type == "floating_con" then "floating"
                          else "tiled" end) \(if .focused then "focused" else "-" end)\(
                          if .fullscreen_mode > 0 then " fullscreen" else "" end)"
              else (.nodes[]?, .floating_nodes[]?) | views($w) end;
        views("")'
}

more_views_than() { [ "$(views | wc -l)" -gt "$1" ]; }

# open_view NAME tiled|floating TITLE: a foot terminal; view[NAME] is its con_id.
declare -A view=()
open_view() {
    local before id
    before=$(views | cut -d' ' -f1)
    spawn_as_nobody foot --title "$3" cat >/dev/null 2>&1
    eventually --tries 200 more_views_than "$(wc -w <<<"$before")" || fail "foot '$3' did not come up"
    for id in $(views | cut -d' ' -f1); do
        grep -qx "$id" <<<"$before" || view[$1]=$id
    done
    [ "$2" = tiled ] || swaymsg "[con_id=${view[$1]}] floating enable" >/dev/null
}

# Starts weston headless; exports WAYLAND_DISPLAY.
start_weston() {
    make_runtime
    spawn_as_nobody weston --backend=headless-backend.so --socket=drapeno-weston >"$work/weston.log" 2>&1
    eventually --tries 200 test -S "$runtime/drapeno-weston" || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
    export WAYLAND_DISPLAY=drapeno-weston
}

# Starts kwin_wayland --virtual on a session bus of its own, with XWayland;
# exports WAYLAND_DISPLAY and DBUS_SESSION_BUS_ADDRESS, and sets xwayland to
# XWayland's display. The installed binary carries a file capability this
# sandbox cannot grant: a copy, still named kwin_wayland, runs.
start_kwin() {
    make_runtime
    mkdir -p "$work/kwin"
    cp "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland"
    spawn_as_nobody dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>"$work/dbus.log"
    eventually test -s "$work/bus" || fail "no session bus: $(cat "$work/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    spawn_as_nobody "$work/kwin/kwin_wayland" --virtual --xwayland --no-lockscreen --socket drapeno-kwin \
        --width 1024 --height 768 >"$work/kwin.log" 2>&1
    local kwin=$!
    eventually --tries 400 as_nobody busctl --user status org.kde.KWin >/dev/null 2>&1 ||
        fail "KWin did not start: $(tail -n 5 "$work/kwin.log")"
    eventually pgrep -P "$kwin" -x Xwayland >/dev/null || fail "KWin started no XWayland: $(tail -n 5 "$work/kwin.log")"
    xwayland=$(tr '\0' '\n' <"/proc/$(pgrep -P "$kwin" -x Xwayland)/cmdline" | sed -n 2p)
    export WAYLAND_DISPLAY=drapeno-kwin
}

# kwin_script JS: runs JS in KWin and prints what it prints, without the "js: " before it.
kwin_script() {
    local name=drapeno-probe-$RANDOM tag=$RANDOM
    printf '%s\nprint("%s");\n' "$1" "$tag" >"$runtime/$name.js"
    chmod 644 "$runtime/$name.js"
    local from=$(($(wc -l <"$work/kwin.log") + 1))
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting loadScript ss "$runtime/$name.js" "$name" >/dev/null
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting start
    eventually sh -c "tail -n +$from '$work/kwin.log' | grep -qx 'js: $tag'" || fail "KWin ran no script: $(tail -n 3 "$work/kwin.log")"
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting unloadScript s "$name" >/dev/null
    tail -n +"$from" "$work/kwin.log" | sed -n "/^js: $tag\$/q; s/^js: //p"
}

# The windows under KWin, one line each: id, then hidden|shown|minimised, any
# of taskbar, pager, switcher it skips, maximised, active.
kwin_views() {
    kwin_script 'workspace.clientList().forEach(function (w) {
        var skips = (w.skipTaskbar ? " taskbar" : "") + (w.skipPager ? " pager" : "") + (w.skipSwitcher ? " switcher" : "");
        var state = w.minimized ? (skips == " taskbar pager switcher" ? "hidden" : "minimised") : "shown";
        print(w.internalId + " " + state + skips + (w.frameGeometry.width >= 1024 ? " maximised" : "") + (w.active ? " active" : ""));
    });'
}

# find_labwc BUILD-DIR: sets labwc to an installed labwc, or to one built once
# into BUILD-DIR from ../shared/third-party (a test fixture, never linked or
# shipped); false, with the reason in labwc_missing, where neither can be had.
find_labwc() {
    local tarball source
    tarball=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/../shared/third-party/labwc-0.5.3.tar.gz
    source=$1/labwc-0.5.3
    labwc=$(command -v labwc || echo "$source/build/labwc")
    [ -x "$labwc" ] && return 0
    [ -f "$tarball" ] || { labwc_missing="no labwc installed, and no $tarball to build one"; return 1; }
    (flock 9
        [ -x "$labwc" ] || { rm -rf "$source" && tar -xzf "$tarball" -C "$1" &&
            meson setup "$source/build" "$source" -Dxwayland=disabled -Dman-pages=disabled --buildtype=release &&
            ninja -C "$source/build"; } >"$1/labwc-build.log" 2>&1) 9>"$1/labwc.lock" ||
        { labwc_missing="labwc did not build: $(tail -n 3 "$1/labwc-build.log")"; return 1; }
}

# start_labwc: the labwc of find_labwc, headless; exports WAYLAND_DISPLAY, and
# XDG_RUNTIME_DIR for root's clients (foot's server names its socket after
# WAYLAND_DISPLAY, which therefore stays a name, not a path).
start_labwc() {
    make_runtime
    install -m 755 "$labwc" "$work/labwc"
    spawn_as_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "$work/labwc" >"$work/labwc.log" 2>&1
    eventually --tries 200 sh -c "ls $runtime/wayland-? >/dev/null 2>&1" || fail "labwc did not start: $(tail -n 5 "$work/labwc.log")"
    export WAYLAND_DISPLAY XDG_RUNTIME_DIR=$runtime
    WAYLAND_DISPLAY=$(cd "$runtime" && ls wayland-? | head -n1)
}

# start_gnome EXTENSION...: GNOME Shell headless, on session and system buses
# of its own (it asks logind on the system bus), with XWayland, and with each
# EXTENSION folder installed for nobody and turned on before the shell starts,
# as it reads extensions once; exports WAYLAND_DISPLAY and
# DBUS_SESSION_BUS_ADDRESS, and sets xwayland and xauthority to XWayland's
# display and its key.
start_gnome() {
    make_runtime
    spawn_as_nobody dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>"$work/dbus.log"
    spawn_as_nobody dbus-daemon --session --nofork --address="unix:path=$runtime/system_bus" 2>>"$work/dbus.log"
    eventually test -s "$work/bus" || fail "no session bus: $(cat "$work/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    local extensions=$runtime/.local/share/gnome-shell/extensions folder uuids=()
    mkdir -p "$extensions"
    for folder; do
        cp -r "$folder" "$extensions/"
        uuids+=("'$(basename "$folder")'")
    done
    chown -R nobody:nogroup "$runtime/.local"
    as_nobody gsettings set org.gnome.shell enabled-extensions "[$(IFS=,; echo "${uuids[*]}")]"
    spawn_as_nobody DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/system_bus" XDG_SESSION_TYPE=wayland \
        gnome-shell --wayland --headless --virtual-monitor 1024x768 --wayland-display=drapeno-gnome \
        >"$work/gnome.log" 2>&1
    local shell=$!
    eventually --tries 400 as_nobody gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval 1 >/dev/null 2>&1 || fail "GNOME Shell did not start: $(tail -n 5 "$work/gnome.log")"
    eventually as_nobody busctl --user status org.drapeno.Shell >/dev/null 2>&1 || fail "no extension on the bus"
    eventually pgrep -P "$shell" -x Xwayland >/dev/null || fail "GNOME Shell started no XWayland"
    local arguments
    arguments=$(tr '\0' '\n' <"/proc/$(pgrep -P "$shell" -x Xwayland)/cmdline")
    xwayland=$(sed -n 2p <<<"$arguments") xauthority=$(grep -A1 -x -- -auth <<<"$arguments" | tail -n1)
    export WAYLAND_DISPLAY=drapeno-gnome
}

# gnome_eval JS: what JS evaluates to inside GNOME Shell, a string printed as it is.
gnome_eval() {
    as_nobody busctl --user --json=short call org.gnome.Shell /org/gnome/Shell org.gnome.Shell Eval s "$1" |
        jq -r '.data[1] | fromjson? // .'
}

# The windows under GNOME Shell, as the shell itself has them, one line each:
# id, then hidden (minimised, out of Alt+Tab and the overview)|shown|minimised,
# and maximised, fullscreen, active where they hold.
gnome_views() {
    gnome_eval 'const overview = imports.ui.workspace.Workspace.prototype._isOverviewWindow;
        const switcher = imports.ui.altTab.getWindows(null);
        global.display.list_all_windows().map(w => {
            const listed = switcher.includes(w) || overview(w);
            const state = !w.minimized ? (listed ? "shown" : "unlisted") : listed ? "minimised" : "hidden";
            return `${w.get_id()} ${state}` + (w.get_maximized() ? " maximised" : "") +
                (w.is_fullscreen() ? " fullscreen" : "") + (global.display.focus_window === w ? " active" : "");
        }).join("\n")'
}
