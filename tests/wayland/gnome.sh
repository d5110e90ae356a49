# GNOME Shell on Wayland for the Wayland tests, the benchmark and the
# demonstration: how it starts, its adapter for the cases of run.sh, judged
# from the shell's own state through Eval (which a test-only extension turns
# on), and the steps GNOME alone has. Sourced by compositor.sh.

gnome_tests=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# extension_uuid EXTENSION: the uuid of an extension folder, or of a release
# zip, named UUID.shell-extension.zip as extensions.gnome.org names them.
extension_uuid() {
    if [ -d "$1" ]; then jq -r .uuid "$1/metadata.json"; else basename "$1" .shell-extension.zip; fi
}

gnome_major() { gnome-shell --version | grep -o '[0-9][0-9]*' | head -n1; }

# gnome_lists FOLDER: true when the extension in FOLDER lists this GNOME
# Shell's major version in its shell-version, as the shell needs to load it.
gnome_lists() {
    jq -e --arg major "$(gnome_major)" '."shell-version" | index($major)' "$1/metadata.json" >/dev/null 2>&1
}

# gnome_loadable FOLDER...: the one extension folder of those that this GNOME
# Shell loads; fails where none or more than one lists its version.
gnome_loadable() {
    local folder loadable=()
    for folder; do gnome_lists "$folder" && loadable+=("$folder"); done
    [ "${#loadable[@]}" -eq 1 ] && echo "${loadable[0]}"
}

# gnome_drapeno BUILD: the build of Drapeno's extension in BUILD (a build
# folder) that this GNOME Shell loads.
gnome_drapeno() { gnome_loadable "$1"/platform/gnome/{legacy,module}/*@*; }

# The GTK the test windows use: 3 where it is installed, else 4.
gnome_gtk() {
    if as_nobody gjs -c "imports.gi.versions.Gtk = '3.0'; imports.gi.Gtk" 2>/dev/null; then echo 3.0; else echo 4.0; fi
}

# start_gnome EXTENSION...: GNOME Shell headless, on session and system buses
# of its own (it asks logind on the system bus), with XWayland, and with each
# EXTENSION (a folder, or a release zip that gnome-extensions installs as a
# user does) and the tests' own Eval extension, in the form this shell loads,
# installed for nobody (a folder among the system's extensions, where a
# package put it, stays there) and turned on before the shell starts, as it
# reads extensions once; exports WAYLAND_DISPLAY and DBUS_SESSION_BUS_ADDRESS, and
# sets xwayland and xauthority to XWayland's display and its key.
start_gnome() {
    make_runtime
    spawn_as_nobody dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>"$work/dbus.log"
    spawn_as_nobody dbus-daemon --session --nofork --address="unix:path=$runtime/system_bus" 2>>"$work/dbus.log"
    eventually test -s "$work/bus" || fail "no session bus: $(cat "$work/dbus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    local extensions=$runtime/.local/share/gnome-shell/extensions extension uuids=() eval=legacy
    [ "$(gnome_major)" -lt 45 ] || eval=module
    mkdir -p "$extensions"
    # Without GDM the shell says once, in a notice over the top of the
    # screen, that the screen does not lock; this user has seen it.
    touch "$runtime/.local/share/gnome-shell/lock-warning-shown"
    chown -R nobody:nogroup "$runtime/.local"
    for extension in "$@" "$gnome_tests/gnome-eval/$eval"; do
        if [ "$(dirname "$extension")" = /usr/share/gnome-shell/extensions ]; then
            :
        elif [ -d "$extension" ]; then
            cp -r "$extension" "$extensions/$(extension_uuid "$extension")"
            chown -R nobody:nogroup "$extensions"
        else
            install -m 644 -o nobody "$extension" "$runtime/"
            as_nobody gnome-extensions install --force "$runtime/$(basename "$extension")" ||
                fail "gnome-extensions did not install $extension"
        fi
        uuids+=("'$(extension_uuid "$extension")'")
    done
    as_nobody gsettings set org.gnome.shell enabled-extensions "[$(IFS=,; echo "${uuids[*]}")]"
    spawn_as_nobody DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime/system_bus" XDG_SESSION_TYPE=wayland \
        gnome-shell --wayland --headless --virtual-monitor 1024x768 --wayland-display=drapeno-gnome \
        >"$work/gnome.log" 2>&1
    local shell=$!
    eventually --tries 400 as_nobody gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval 1 >/dev/null 2>&1 || fail "GNOME Shell did not start: $(tail -n 5 "$work/gnome.log")"
    eventually as_nobody busctl --user status org.drapeno.Shell >/dev/null 2>&1 || fail "no extension on the bus"
    # The shell starts in its overview, which keeps the focus from every
    # window (from GNOME 51 on); the desktop is shown, as a user works in it.
    eventually --tries 200 gnome_desktop_shown || fail "GNOME Shell kept its overview up"
    eventually pgrep -P "$shell" -x Xwayland >/dev/null || fail "GNOME Shell started no XWayland"
    local arguments
    arguments=$(tr '\0' '\n' <"/proc/$(pgrep -P "$shell" -x Xwayland)/cmdline")
    xwayland=$(sed -n 2p <<<"$arguments") xauthority=$(grep -A1 -x -- -auth <<<"$arguments" | tail -n1)
    export WAYLAND_DISPLAY=drapeno-gnome
}

gnome_overview_closed() { [ "$(gnome_shell 'return ui.main.overview.visible')" = false ]; }
gnome_overview_open() {
    [ "$(gnome_shell 'return ui.main.overview.visible && !ui.main.overview.animationInProgress')" = true ]
}

gnome_desktop_shown() {
    [ "$(gnome_shell 'if (ui.main.layoutManager._startingUp)
            return "starting";
        ui.main.overview.hide();
        return ui.main.overview.visible')" = false ]
}

# gnome_eval JS: what JS evaluates to inside GNOME Shell, a string printed as it is.
gnome_eval() {
    as_nobody busctl --user --json=short call org.gnome.Shell /org/gnome/Shell org.gnome.Shell Eval s "$1" |
        jq -r '.data[1] | fromjson? // .'
}

# gnome_shell BODY: runs the function body BODY inside GNOME Shell, with ui
# holding the shell's modules altTab, workspace and main, and Meta; prints
# what it returns. GNOME Shell 43 and 44 have them under imports; 45 and
# later, whose modules imports can no longer load, import them, and their Eval
# waits for what a promise holds.
gnome_shell() {
    gnome_eval "(() => {
        const run = (ui, Meta) => { $1 };
        let legacy = null;
        try {
            legacy = {altTab: imports.ui.altTab, workspace: imports.ui.workspace, main: imports.ui.main};
        } catch (e) {}
        if (legacy)
            return run(legacy, imports.gi.Meta);
        const load = name => import('resource:///org/gnome/shell/ui/' + name + '.js');
        return Promise.all(['altTab', 'workspace', 'main'].map(load))
            .then(([altTab, workspace, main]) => run({altTab, workspace, main}, Meta));
    })()"
}

# The windows under GNOME Shell, as the shell itself has them, one line each:
# id, then hidden (minimised, out of Alt+Tab and the overview)|shown|minimised,
# and maximised, fullscreen, active where they hold. Alt+Tab's list is the one
# its window switcher makes, over every workspace; mutter 49 took
# get_maximized() away.
gnome_views() {
    gnome_shell 'const overview = ui.workspace.Workspace.prototype._isOverviewWindow;
        const switcher = ui.altTab.WindowSwitcherPopup.prototype._getWindowList.call({
            _settings: {get_boolean: () => false},
        });
        return global.display.list_all_windows().map(w => {
            const listed = switcher.includes(w) || overview(w);
            const state = !w.minimized ? (listed ? "shown" : "unlisted") : listed ? "minimised" : "hidden";
            const maximised = w.get_maximized ? w.get_maximized() : w.get_maximize_flags();
            return `${w.get_id()} ${state}` + (maximised ? " maximised" : "") +
                (w.is_fullscreen() ? " fullscreen" : "") + (global.display.focus_window === w ? " active" : "");
        }).join("\n")'
}

# on_window NAME JS: runs JS inside GNOME Shell with w the window NAME.
on_window() {
    gnome_shell "global.display.list_all_windows().filter(w => w.get_id() === ${view[$1]}).forEach(w => { $2; })" >/dev/null
}

gnome_open() { open_gnome "$1" "$2"; }
gnome_maximise() { on_window "$1" "w.get_maximized ? w.maximize(Meta.MaximizeFlags.BOTH) : w.maximize()"; }
gnome_raise() { on_window "$1" "w.activate(global.display.get_current_time_roundtrip())"; }

# GNOME Shell and what it pulls in are large: the set-up runs where it is
# installed. EXTRA is the extensions folder of Drapeno's package: of the
# builds it holds exactly one lists this GNOME, and that one is turned on, as
# a user turns it on.
setup_gnome() {
    command -v gnome-shell >/dev/null || { echo "skipped: no gnome-shell"; exit 77; }
    local extension uuid
    extension=$(gnome_loadable "$extra"/*@drapeno.example) ||
        fail "not exactly one of the extensions in $extra lists GNOME $(gnome_major): $(ls "$extra")"
    uuid=$(extension_uuid "$extension")
    start_gnome "$extension"
    [ "$(dirname "$extension")" != /usr/share/gnome-shell/extensions ] ||
        [ "$(gnome_shell "return ui.main.extensionManager.lookup('$uuid').path")" = "$extension" ] ||
        fail "GNOME Shell did not load $uuid from where the package put it"
    drapeno_as_nobody
    adapter gnome
    cases
    open_gnome Full Full
    on_window Full "w.make_fullscreen()"
    step -h=Full Full=hidden
    step -s=Full Full=shown Full=active Full=!fullscreen
    # Only minimised is visible; brought back by other means, a hidden window
    # is visible again.
    on_window Alpha "w.minimize()"
    step -h=Alpha Alpha=hidden
    on_window Alpha "w.unminimize()"
    step -s=Nowhere Alpha=shown
    # Shown from the overview, a window comes to the front of the desktop;
    # the user asks once the overview is up, not while it still opens.
    step -h=Alpha Alpha=hidden
    gnome_shell "ui.main.overview.show()" >/dev/null
    eventually --tries 200 gnome_overview_open || fail "the overview did not open"
    step -s=Alpha Alpha=shown Alpha=active
    eventually gnome_overview_closed || fail "-s left the overview up"
    step -h=Alpha Alpha=hidden
    # A window mutter will not minimise (a modal GTK 4 window, which it takes
    # for a dialog) stays on the screen, in Alt+Tab and the overview, and
    # Drapeno says the desktop refused.
    open_gnome Dialog Dialog modal
    holds Dialog=shown || fail "the dialog is not shown: $(cat "$work/views")"
    says -h=Dialog "Drapeno: this desktop does not let other programs hide windows"
    holds Dialog=shown || fail "refused, the dialog was left: $(cat "$work/views")"
    # Turned off, the extension leaves its windows minimised and back in
    # Alt+Tab; Drapeno then reaches XWayland's windows and says how to turn
    # it on, in one line that names an extension of the package this GNOME
    # loads.
    gnome_shell "ui.main.extensionManager.disableExtension('$uuid')" >/dev/null
    holds Alpha=minimised Two=minimised || fail "turned off, the extension left: $(cat "$work/views")"
    local rc=0
    as_nobody DISPLAY="$xwayland" XAUTHORITY="$xauthority" "$work/Drapeno" -h=Alpha >"$work/stdout" 2>"$work/stderr" || rc=$?
    local named
    named=$(sed -n 's/.* then run gnome-extensions enable \([^ /]*\)$/\1/p' "$work/stderr")
    [ "$rc" -eq 0 ] && [ ! -s "$work/stdout" ] && [ "$(wc -l <"$work/stderr")" -eq 1 ] && [ -n "$named" ] &&
        gnome_lists "$extra/$named" || fail "without the extension: exit $rc, $(head -c 300 "$work/stderr")"
    # With no XWayland either, that line alone.
    says -h=Alpha "$(cat "$work/stderr")"
    # A stand-in that answers the listing with no list, or not at all: one
    # line, by the deadline.
    local mode
    cp "$here/gnome_stand_in.js" "$runtime/"
    for mode in garbage silent; do
        spawn_as_nobody gjs "$runtime/gnome_stand_in.js" "$mode"
        eventually stand_in_up org.drapeno.Shell || fail "no stand-in on the bus"
        if [ "$mode" = garbage ]; then
            says -h=Alpha "Drapeno: GNOME Shell answered the listing with no list"
        else
            says -h=Alpha "Drapeno: GNOME Shell did not answer the listing"
        fi
        kill "${pids[0]}"
        eventually stand_in_gone org.drapeno.Shell || fail "the stand-in stayed on the bus"
    done
    # On a bus of its own, a stand-in for the shell whose version is no text,
    # or never comes: the line names no extension, by the deadline.
    spawn_as_nobody dbus-daemon --session --nofork --print-address=1 >"$work/stand-in-bus" 2>>"$work/dbus.log"
    eventually test -s "$work/stand-in-bus" || fail "no bus for the stand-in"
    local DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/stand-in-bus")
    for mode in shell-garbage shell-silent; do
        spawn_as_nobody gjs "$runtime/gnome_stand_in.js" "$mode"
        eventually stand_in_up org.gnome.Shell || fail "no stand-in on the bus"
        says -h=Alpha "Drapeno: only XWayland windows are reached: GNOME Shell did not say its version, which decides the build of Drapeno's extension it loads"
        kill "${pids[0]}"
        eventually stand_in_gone org.gnome.Shell || fail "the stand-in stayed on the bus"
    done
}
stand_in_up() { as_nobody busctl --user status "$1" >/dev/null 2>&1; }
stand_in_gone() { ! stand_in_up "$1"; }

# open_gnome NAME TITLE [modal]: a native GTK window under GNOME Shell (GTK 3
# where it is installed, else 4; modal: a modal GTK 4 window), on the screen;
# view[NAME] is its id.
open_gnome() {
    local before gtk=4.0
    [ "${3:-}" = modal ] || gtk=$(gnome_gtk)
    before=$(gnome_views | cut -d' ' -f1)
    cp "$gnome_tests/window.js" "$runtime/"
    spawn_as_nobody GDK_BACKEND=wayland gjs "$runtime/window.js" "$2" "$gtk" ${3:+"$3"} >/dev/null 2>&1
    eventually new_view "$1" "$before" gnome_showing "$2" || fail "the window '$2' did not come up"
}
# gnome_showing TITLE: the ids of the windows of that title on the screen.
gnome_showing() {
    gnome_eval "global.display.list_all_windows().filter(w => w.get_title() === '$1' && !w.is_hidden())
        .map(w => w.get_id()).join('\\n')"
}
