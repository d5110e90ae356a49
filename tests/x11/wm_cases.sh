# The X11 cases of what window managers make of Drapeno's windows, sourced by
# run.sh after cases.sh: minimised, maximised and full-screen windows, tabs and
# placement. Steps read as tables: argument, then the windows' states.
cases+=(minimised maximised hidden_maximised minimised_twice tabs position raised)

# What a user sees where a window manager cannot do what Windows does: under
# SET-UP (in CASE), a window expected in STATE is in this one instead.
declare -A sees=(
    # i3 tiles: a window takes its tile's size and place, maximised or not.
    ["i3 restored"]=tiled ["i3 placed"]=tiled ["i3 unmaximised"]=tiled
    # i3 ignores minimise: a window asked to start minimised comes up shown.
    ["i3 minimised"]=shown ["i3 maximised"]=tiled
    # icewm restores a window that came up maximised at the only size it knew.
    ["icewm maximised restored"]=unmaximised
    # i3 focuses a tile without raising it: -h hides the window opened last.
    ["i3 raised top"]=active ["i3 raised hidden"]=shown ["i3 raised shown"]=hidden
    # Without a window manager nothing is minimised, maximised or full-screen.
    ["bare minimised"]=shown ["bare maximised"]=shown ["bare fullscreen"]=shown
)

case_minimised() {
    open_windows Mini=iconic:Mini Other=normal:Other Gone=iconic:Gone
    step -s=Mini Mini=shown Mini=restored Other=shown
    # Minimised counts as visible: hiding withdraws it, showing brings it back at its size.
    step -h=Gone Gone=hidden
    step -s=Gone Gone=shown Gone=restored
}

case_maximised() {
    open_windows Maxi=max:Maxi
    [ "$setup" = bare ] || eventually maximise_settled Maxi ||
        fail "$setup left Maxi half maximised: $(place_of "${win[Maxi]}")"
    step -s=Maxi Maxi=shown Maxi=unmaximised Maxi=restored
}
# As a user finds a window that asked to come up maximised: a window manager
# may list it before it has made it screen-sized, or decline (mutter, at
# times) and drop the state.
maximise_settled() {
    [ "$(size_of "${win[$1]}")" != 200x100 ] || ! xprop -id "${win[$1]}" _NET_WM_STATE | grep -q MAXIMIZED
}

# Hidden while maximised or full-screen, shown at its normal size and place.
case_hidden_maximised() {
    local how
    xterm_titled Term MaxT 60x10+100+100
    for how in maximized_vert,maximized_horz:maximised fullscreen:fullscreen; do
        wmctrl -i -r "${win[Term]}" -b "add,${how%:*}" 2>/dev/null || true
        eventually in_state Term "${how#*:}" || fail "not ${how#*:}"
        step -h=MaxT Term=hidden
        step -s=MaxT Term=shown Term=placed
    done
}

# Two minimised windows of one title: two runs hide both.
case_minimised_twice() {
    xterm_titled A Dup
    xterm_titled B Dup
    xdotool windowminimize "${win[A]}" windowminimize "${win[B]}"
    eventually in_state A minimised && eventually in_state B minimised || fail "not minimised"
    step -h=Dup
    step -h=Dup A=hidden B=hidden
}

# Under fluxbox the two share one frame, as tabs.
case_tabs() {
    xterm_titled One "Tab One"
    xterm_titled Two "Tab Two"
    step "-h=Tab Two" Two=hidden One=shown
    step "-s=Tab Two" Two=shown Two=active
    step "-h=Tab One" One=hidden Two=shown
}

# A window without a position hint (GTK's; its UTF-8 title matched as bytes,
# A-Z folded) comes back where it was.
case_position() {
    yad_titled Yad "Yad Café"
    xdotool windowmove "${win[Yad]}" 333 222
    settle Yad
    step "-h=yAD Café" Yad=hidden
    step "-s=YAD Café" Yad=shown Yad=placed
}

# The lower of two windows of one title, raised by the window manager, is the
# first one (icewm's and fluxbox's stacking lists say otherwise).
case_raised() {
    open_windows Low=normal:Twin High=normal:Twin
    on_top "${win[High]}" || fail "High does not start on top"
    if [ "$setup" = bare ]; then
        xdotool windowraise "${win[Low]}"
    else
        xdotool windowactivate "${win[Low]}"
    fi
    eventually in_state Low top || fail "Low not raised"
    step -h=Twin Low=hidden High=shown
}

# A window manager whose client list names a window nested deeper than any
# frame, one that does not exist, and the root: the climb to a frame stops,
# and what is not there is passed over. Only a bare display lets it run.
[ "$setup" != bare ] || cases+=(lying_window_manager)
case_lying_window_manager() {
    "$helper" liar Deep >"$work/liar" &
    started $!
    eventually grep -qsx ready "$work/liar" || fail "the lying window manager did not start"
    win[Deep]=$(head -n1 "$work/liar")
    step -h=Deep
    [ "$(map_state "${win[Deep]}")" = IsUnMapped ] || fail "Deep not hidden"
    step -s=Deep Deep=viewable
}
