# Headless Wayland compositors of our own, for the Wayland tests, the benchmark
# and the demonstration. Sourced; the caller defines fail, work (a scratch
# directory) and pids (processes to end, last started first). Compositors and
# their clients run as nobody (sway refuses root), which takes root. Each
# desktop's start, adapter and steps are in a file of its own, sourced at the
# end.

source "$(dirname "${BASH_SOURCE[0]}")/../processes.sh"

# A fresh runtime directory nobody owns, inside work. XWayland's socket
# folder is made as X servers expect it: an XWayland started as nobody would
# make it nobody's, mode 1755, and the next compositor's XWayland fails.
make_runtime() {
    install -d -m 1777 -o root -g root /tmp/.X11-unix
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


declare -A view=()

# new_view NAME BEFORE IDS...: view[NAME] is the first id the command IDS
# prints that the list BEFORE does not hold; false while there is none.
new_view() {
    local name=$1 before=$2
    shift 2
    view[$name]=$("$@" | grep -vxF -f <(echo "$before") | head -n1 || true)
    [ -n "${view[$name]}" ]
}
for desktop in sway kwin labwc gnome; do source "$(dirname "${BASH_SOURCE[0]}")/$desktop.sh"; done
