# sway and weston for the Wayland tests, the benchmark and the demonstration:
# how they start, sway's adapter for the cases of run.sh, and the steps sway
# and weston alone have. Sourced by compositor.sh.

# start_sway [CONFIG-LINE...]: sway headless; exports SWAYSOCK and WAYLAND_DISPLAY.
start_sway() {
    make_runtime
    printf '%s\n' 'output HEADLESS-1 resolution 1024x768' 'default_border normal 2' 'xwayland disable' "$@" >"$runtime/config"
    spawn_as_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$runtime/config" >"$work/sway.log" 2>&1
    eventually --tries 200 sh -c "ls $runtime/sway-ipc.*.sock >/dev/null 2>&1" ||
        fail "sway did not start: $(tail -n 5 "$work/sway.log")"
    SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock)
    export SWAYSOCK
    eventually sh -c "ls $runtime/wayland-? >/dev/null 2>&1" || fail "sway opened no Wayland socket"
    WAYLAND_DISPLAY=$(cd "$runtime" && ls wayland-? | head -n1)
    export WAYLAND_DISPLAY
    eventually swaymsg -t get_version >/dev/null || fail "sway does not answer"
}

# The views under sway, one line each: con_id, hidden (in the scratchpad) or
# shown and tiled|floating, active where it has the focus, and fullscreen with
# maximised (sway has no maximised state: full screen is what covers the
# output) where it is, and untitled where it has no title (sway 1.10 and
# later drop a title that is not UTF-8).
sway_views() {
    swaymsg -r -t get_tree | jq -r '
        def views($ws): (if .type == "workspace" then .name else $ws end) as $w
            | if has("pid") then
                "\(.id) \(if $w == "__i3_scratch" then "hidden" elif .type == "floating_con" then "shown floating"
                          else "shown tiled" end)\(if .focused then " active" else "" end)\(
                          if .fullscreen_mode > 0 then " fullscreen maximised" else "" end)\(
                          if .name == null then " untitled" else "" end)"
              else (.nodes[]?, .floating_nodes[]?) | views($w) end;
        views("")'
}

more_views_than() { [ "$(sway_views | wc -l)" -gt "$1" ]; }

# open_view NAME tiled|floating TITLE: a foot terminal; view[NAME] is its con_id.
open_view() {
    local before id
    before=$(sway_views | cut -d' ' -f1)
    spawn_as_nobody foot --title "$3" cat >/dev/null 2>&1
    eventually --tries 200 more_views_than "$(wc -w <<<"$before")" || fail "foot '$3' did not come up"
    for id in $(sway_views | cut -d' ' -f1); do
        grep -qx "$id" <<<"$before" || view[$1]=$id
    done
    [ "$2" = tiled ] || swaymsg "[con_id=${view[$1]}] floating enable" >/dev/null
}

sway_open() { open_view "$1" tiled "$2"; }
sway_maximise() { swaymsg "[con_id=${view[$1]}] fullscreen enable" >/dev/null; }
sway_raise() { swaymsg "[con_id=${view[$1]}] focus" >/dev/null; }

setup_sway() {
    start_sway
    adapter sway
    local long
    long=$(printf 'L%.0s' $(seq 300))
    # A title that is not UTF-8 is in the tree while every step runs.
    open_view Latin tiled $'Caf\xe9'
    cases
    # A floating window goes back into the floating layer.
    open_view Float floating Float
    step -h=Float Float=hidden
    step -s=Float Float=floating Float=active
    open_view Cafe tiled café
    open_view Long tiled "$long"
    step -h=CAFÉ Cafe=shown
    step -h=CAFé Cafe=hidden Latin=shown
    latin_step
    step "-h=${long:0:256}" Long=shown
    step "-h=${long:0:255}" Long=hidden
    # A hidden window comes after every visible one with its title.
    step -s=Twin Two=hidden
    # Without an X display the usage goes to standard error.
    local rc=0
    drapeno >"$work/stdout" 2>"$work/stderr" || rc=$?
    [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && head -n1 "$work/stderr" | grep -q '^Drapeno v1.0' ||
        fail "usage: exit $rc, $(head -c 300 "$work/stderr")"
    # Without sway's socket, through the foreign-toplevel manager: sway
    # ignores its minimise, and that is one line.
    SWAYSOCK='' XDG_RUNTIME_DIR=$runtime says -h=Alpha "Drapeno: this desktop does not let other programs hide windows"
    holds Alpha=shown || fail "Alpha is not shown after an ignored minimise"
}

# Starts weston headless; exports WAYLAND_DISPLAY.
start_weston() {
    make_runtime
    spawn_as_nobody weston --backend=headless-backend.so --socket=drapeno-weston >"$work/weston.log" 2>&1
    eventually --tries 200 test -S "$runtime/drapeno-weston" || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
    export WAYLAND_DISPLAY=drapeno-weston
}

# A compositor with no way in, and a sway socket that no one answers on: one
# line, or the usage where there are no arguments.
setup_weston() {
    start_weston
    : >"$work/dead.sock"
    local sock argument
    for sock in "" "$work/dead.sock" "$work/absent"; do
        for argument in -h=Alpha -s=Alpha; do
            SWAYSOCK=$sock says "$argument" "Drapeno: this desktop offers no way to hide or show windows"
        done
        SWAYSOCK=$sock says "" "$(cat "$here/../usage.txt")"
    done
}
