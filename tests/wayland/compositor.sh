# Headless Wayland compositors of our own, for the Wayland tests, the benchmark
# and the demonstration. Sourced; the caller defines fail, work (a scratch
# directory) and pids (processes to end, last started first). Compositors and
# their clients run as nobody: sway refuses root.

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
# environment; spawn_as_nobody runs it in the background, to be ended with the
# rest (the process started is the program itself, not a shell around it).
as_nobody() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$runtime" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$runtime" ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} \
        ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS} "$@"
}
spawn_as_nobody() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$runtime" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$runtime" ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} \
        ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS} "$@" &
    started $!
}

# start_sway [CONFIG-LINE...]: sway headless; exports SWAYSOCK and WAYLAND_DISPLAY.
start_sway() {
    make_runtime
    printf '%s\n' 'output HEADLESS-1 resolution 1024x768' 'default_border normal 2' "$@" >"$runtime/config"
    spawn_as_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$runtime/config" >"$work/sway.log" 2>&1
    eventually --tries 200 sh -c "ls $runtime/sway-ipc.*.sock >/dev/null 2>&1" ||
        fail "sway did not start: $(tail -n 5 "$work/sway.log")"
    SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock)
    WAYLAND_DISPLAY=$(cd "$runtime" && ls wayland-? | head -n1)
    export SWAYSOCK WAYLAND_DISPLAY
    eventually swaymsg -t get_version >/dev/null || fail "sway does not answer"
}

# The views under sway, one line each: con_id, hidden|tiled|floating, focused|-.
views() {
    swaymsg -r -t get_tree | jq -r '
        def views($ws): (if .type == "workspace" then .name else $ws end) as $w
            | if has("pid") then
                "\(.id) \(if $w == "__i3_scratch" then "hidden" elif .type == "floating_con" then "floating"
                          else "tiled" end) \(if .focused then "focused" else "-" end)"
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
