# KWin on Wayland for the Wayland tests and the benchmark: how it starts, its
# adapter for the cases of run.sh, judged from KWin's own state through
# scripts, and the steps KWin alone has. Sourced by compositor.sh.

# Starts kwin_wayland --virtual on a session bus of its own, with XWayland;
# exports WAYLAND_DISPLAY and DBUS_SESSION_BUS_ADDRESS, and sets xwayland to
# XWayland's display. The installed binary carries a file capability this
# sandbox cannot grant: a copy, still named kwin_wayland, runs. KWin 6 writes
# a script's print to its log only where its logging rules let it.
start_kwin() {
    make_runtime
    mkdir -p "$work/kwin"
    cp "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland"
    spawn_as_nobody dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>"$work/dbus.log"
    eventually test -s "$work/bus" || fail "no session bus: $(cat "$work/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    spawn_as_nobody QT_LOGGING_RULES="kwin_scripting.debug=true;js.debug=true" "$work/kwin/kwin_wayland" \
        --virtual --xwayland --no-lockscreen --socket drapeno-kwin --width 1024 --height 768 >"$work/kwin.log" 2>&1
    local kwin=$!
    eventually --tries 400 as_nobody busctl --user status org.kde.KWin >/dev/null 2>&1 ||
        fail "KWin did not start: $(tail -n 5 "$work/kwin.log")"
    eventually x11_display_of "$kwin" >/dev/null || fail "KWin offers no X display: $(tail -n 5 "$work/kwin.log")"
    xwayland=$(x11_display_of "$kwin")
    export WAYLAND_DISPLAY=drapeno-kwin
}

# x11_display_of PID: the X display whose socket PID listens on (KWin holds
# XWayland's sockets, and KWin 6 starts XWayland only when a client comes);
# false where it holds none.
x11_display_of() {
    local inodes
    inodes=$(find "/proc/$1/fd" -lname 'socket:*' -printf '%l\n' 2>/dev/null | tr -dc '0-9\n')
    awk -v inodes="$inodes" 'BEGIN { n = split(inodes, list, "\n"); for (i = 1; i <= n; ++i) held[list[i]] = 1 }
        $7 in held && $8 ~ "/tmp/.X11-unix/X[0-9]+$" { sub(".*/X", ":", $8); print $8; found = 1; exit }
        END { exit !found }' /proc/net/unix
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

# KWin 6 lists windows with windowList, 5.27 with clientList: JS for the
# normal windows and dialogs under either.
kwin_windows='(workspace.windowList ? workspace.windowList() : workspace.clientList()).filter(function (w) {
    return w.normalWindow || w.dialog; })'

# The windows under KWin, one line each: id, then hidden|shown|minimised, any
# of taskbar, pager, switcher it skips, maximised, active, and unminimisable
# where KWin will not minimise it.
kwin_views() {
    kwin_script "$kwin_windows"'.forEach(function (w) {
        var skips = (w.skipTaskbar ? " taskbar" : "") + (w.skipPager ? " pager" : "") + (w.skipSwitcher ? " switcher" : "");
        var state = w.minimized ? (skips == " taskbar pager switcher" ? "hidden" : "minimised") : "shown";
        print(w.internalId + " " + state + skips + (Math.round(w.frameGeometry.width) >= 1024 ? " maximised" : "") + (w.active ? " active" : "") +
            (w.minimizable ? "" : " unminimisable"));
    });'
}


# on_kwin_window NAME JS: runs JS in KWin with w the window NAME.
on_kwin_window() {
    kwin_script "$kwin_windows.forEach(function (w) {
        if (w.internalId == '${view[$1]}') { $2; } });" >/dev/null
}

kwin_open() { open_kwin "$1" "$2"; }
kwin_maximise() { on_kwin_window "$1" "w.setMaximize(true, true)"; }
kwin_raise() { on_kwin_window "$1" "if ('activeWindow' in workspace) { workspace.activeWindow = w; } else { workspace.activeClient = w; }"; }

# KWin and what it pulls in are too large to install for every test run: the
# set-up runs where KWin is, and is skipped elsewhere.
setup_kwin() {
    command -v kwin_wayland >/dev/null || { echo "skipped: no kwin_wayland"; exit 77; }
    start_kwin
    drapeno_as_nobody
    adapter kwin
    cases
    # A window that skipped the task bar before keeps that; brought back by
    # other means, a hidden window is visible and takes back only its own skips.
    open_kwin Tool Tool
    on_kwin_window Tool "w.skipTaskbar = true"
    step -h=Tool Tool=hidden
    step -s=Tool Tool=shown Tool=taskbar Tool=!pager Tool=!switcher Tool=active
    step -h=Tool Tool=hidden
    on_kwin_window Tool "w.minimized = false"
    step -h=Tool Tool=hidden
    step -s=Tool Tool=shown Tool=taskbar Tool=!pager Tool=!switcher Tool=active
    # A window a rule keeps from minimising is left as it was, with no note
    # loaded for it, and that is said.
    open_kwin Fixed Fixed
    kwin_rule_unminimisable Fixed
    eventually holds Fixed=unminimisable || fail "the rule did not reach Fixed: $(cat "$work/views")"
    says -h=Fixed "Drapeno: this desktop does not let other programs hide windows"
    holds Fixed=shown Fixed=active Fixed=!taskbar Fixed=!pager Fixed=!switcher ||
        fail "Fixed changed in a refused hide: $(grep "^${view[Fixed]} " "$work/views")"
    [ "$(as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting isScriptLoaded s \
        "drapeno-hidden-${view[Fixed]}")" = "b false" ] || fail "a note stays loaded for Fixed"
    # X11 windows of one title: KWin's suffix ends in a left-to-right mark.
    # Captions have their runs of blanks collapsed.
    open_kwin X1 "Two  Blanks" x11
    open_kwin X2 "Two  Blanks" x11
    step "-h=Two  Blanks" X1=shown X2=shown
    step "-h=Two Blanks"
    step "-h=Two Blanks" X1=hidden X2=hidden
    # Another peer on the bus answers for KWin while KWin is busy: Drapeno
    # takes KWin's answer only.
    spawn_as_nobody sh -c 'while :; do
        for peer in $(busctl --user list --unique --no-legend | awk "\$3 == \"Drapeno\" { print \$1 }"); do
            busctl --user call "$peer" /Drapeno org.drapeno.Drapeno Reply s "[]"; done; done' >/dev/null 2>&1
    printf 'var end = Date.now() + 700; while (Date.now() < end) {}\n' >"$runtime/busy.js"
    chmod 644 "$runtime/busy.js"
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting loadScript ss "$runtime/busy.js" busy >/dev/null
    as_nobody busctl --user call org.kde.KWin /Scripting org.kde.kwin.Scripting start
    step -h=Alpha Alpha=hidden
}

# kwin_rule_unminimisable TITLE: a window rule, as the user's settings write
# it, that forces windows of that title to stay unminimised; KWin reads it
# again a moment after it is asked to reconfigure, and applies it to the
# windows it has.
kwin_rule_unminimisable() {
    install -d -o nobody -g nogroup "$runtime/.config"
    printf '%s\n' '[General]' 'count=1' 'rules=1' '[1]' "Description=$1 stays" "title=$1" 'titlematch=1' \
        'minimize=false' 'minimizerule=2' >"$runtime/.config/kwinrulesrc"
    chown nobody:nogroup "$runtime/.config/kwinrulesrc"
    as_nobody busctl --user call org.kde.KWin /KWin org.kde.KWin reconfigure
}

# open_kwin NAME TITLE [x11]: a GTK window under KWin, native or through
# XWayland, GTK 3 where it is there (Debian 12 and 13), else 4; view[NAME] is
# its id.
open_kwin() {
    local before gtk=3.0
    before=$(kwin_ids)
    cp "$here/window.js" "$runtime/"
    ls /usr/lib/*/girepository-1.0/Gtk-3.0.typelib >/dev/null 2>&1 || gtk=4.0
    spawn_as_nobody GDK_BACKEND="${3:-wayland}" DISPLAY="$xwayland" gjs "$runtime/window.js" "$2" "$gtk" >/dev/null 2>&1
    # A fresh root's first GTK window takes seconds under load.
    eventually --tries 200 new_view "$1" "$before" kwin_ids || fail "the GTK window '$2' did not come up"
}
kwin_ids() { kwin_views | cut -d' ' -f1; }
