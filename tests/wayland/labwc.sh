# labwc and wayfire, the compositors that honour the foreign-toplevel
# manager's minimise, for the Wayland tests and the benchmark: how they start,
# their adapter for the cases of run.sh, judged by wlr_toplevels, a listener
# of our own (EXTRA), and the steps they alone have. Sourced by compositor.sh.
# Both come from their packages (Debian 13 and later): each maximises a window
# with the app id Max as it maps, as neither takes a client's maximise.

# start_labwc: labwc headless, with its rule; exports WAYLAND_DISPLAY, and
# XDG_RUNTIME_DIR for root's clients (foot's server names its socket after
# WAYLAND_DISPLAY, which therefore stays a name, not a path).
start_labwc() {
    make_runtime
    printf '%s\n' '<?xml version="1.0"?>' '<labwc_config><windowRules>' \
        '<windowRule identifier="Max"><action name="Maximize"/></windowRule>' \
        '</windowRules></labwc_config>' >"$runtime/rc.xml"
    start_wlroots labwc labwc -C "$runtime" || fail "labwc did not start: $(tail -n 5 "$work/labwc.log")"
}

# start_wayfire: wayfire headless, with the plugins the tests need. Before
# 0.10 it renders only through a DRM render node: where there is none, the
# set-up is skipped, with the reason.
start_wayfire() {
    make_runtime
    printf '%s\n' '[core]' 'plugins = foreign-toplevel window-rules' 'xwayland = false' \
        '[window-rules]' 'maximise = on created if app_id is "Max" then maximize' >"$runtime/wayfire.ini"
    start_wlroots wayfire wayfire -c "$runtime/wayfire.ini" && return
    grep -q "Failed to get DRM" "$work/wayfire.log" &&
        { echo "skipped: wayfire $(wayfire --version 2>/dev/null | cut -d- -f1) needs a DRM render node, and this machine has none"; exit 77; }
    fail "wayfire did not start: $(tail -n 5 "$work/wayfire.log")"
}

# start_wlroots NAME COMMAND...: COMMAND headless as nobody, its output in
# NAME.log; false when its socket is not there within 10 s.
start_wlroots() {
    local name=$1
    shift
    spawn_as_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "$@" >"$work/$name.log" 2>&1
    eventually --tries 200 sh -c "ls $runtime/wayland-? >/dev/null 2>&1" || return 1
    export WAYLAND_DISPLAY XDG_RUNTIME_DIR=$runtime
    WAYLAND_DISPLAY=$(cd "$runtime" && ls wayland-? | head -n1)
}

# The views: what wlr_toplevels hears, a line per toplevel, by app id;
# with an action (maximise, fullscreen, activate) and an app id, it acts first.
wlr_views() { timeout 5 "$toplevels" "$@"; }

# wlr_open NAME TITLE: a foot terminal, its app id NAME.
wlr_open() {
    spawn_as_nobody foot --app-id "$1" --title "$2" cat >/dev/null 2>&1
    view[$1]=$1
    eventually --tries 200 has_view "$1" || fail "foot '$1' did not come up"
}
has_view() { wlr_views | grep -q "^$1 "; }
wlr_maximise() { eventually holds "$1=maximised" || fail "$1 was not maximised by the rule: $(wlr_views)"; }
wlr_raise() { wlr_views activate "$1"; }

setup_labwc() {
    start_labwc
    wlroots_steps
}

setup_wayfire() {
    start_wayfire
    wlroots_steps
}

wlroots_steps() {
    toplevels=$extra
    adapter wlr
    local long
    long=$(printf 'L%.0s' $(seq 300))
    # A title that is not UTF-8 is there while every step runs.
    wlr_open Latin $'Caf\xe9'
    wlr_open Cafe café
    wlr_open Long "$long"
    cases
    # The compositor takes its time to make a window full screen: the show
    # comes once it has.
    wlr_views fullscreen Beta
    eventually holds Beta=fullscreen || fail "Beta did not go full screen: $(wlr_views)"
    step -s=Beta Beta=shown Beta=active Beta=!fullscreen
    step -h=CAFÉ Cafe=shown
    step -h=CAFé Cafe=hidden Latin=shown
    latin_step
    step "-h=${long:0:256}" Long=shown
    step "-h=${long:0:255}" Long=hidden
}

