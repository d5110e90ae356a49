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
    # icewm, pekwm and Window Maker restore a window that came up maximised at
    # the only size they knew (Window Maker: its width, the screen's height).
    ["icewm maximised restored"]=unmaximised ["pekwm maximised restored"]=unmaximised
    ["wmaker maximised restored"]=unmaximised
    # i3 focuses a tile without raising it: -h hides the window opened last;
    # spectrwm 3.4 raises no floating window, on activation or on a click, likewise.
    ["i3 raised top"]=active ["i3 raised hidden"]=shown ["i3 raised shown"]=hidden
    ["spectrwm raised top"]=active ["spectrwm raised hidden"]=shown ["spectrwm raised shown"]=hidden
    # awesome 4.3 takes no request to leave the maximised state: a maximised
    # window is shown maximised (in full_screen_gtk, whether it was is the
    # case's order: full screen first, then maximised).
    ["awesome maximised unmaximised"]=maximised ["awesome maximised restored"]=maximised
    ["awesome hidden_maximised placed"]=maximised ["awesome full_screen_gtk unmaximised"]=shown
    # Without a window manager nothing is minimised, maximised or full-screen.
    ["bare minimised"]=shown ["bare maximised"]=shown ["bare fullscreen"]=shown
)

# The states a window manager may not have (display.sh's wm_has tells which it
# has), each with the reason a check of it is skipped there.
declare -A lacking=(
    [minimised]="mh:minimises no window" [maximised]="x:has no maximised state"
    [unmaximised]="x:has no maximised state" [fullscreen]="f:has no full screen"
    [top]="r:tiles: no window stands above another" [placed]="r:puts a window in its tile (or the whole screen)"
    [restored]="r:gives a window its tile's size (or the screen's)" [active]="a:lets no program activate a window"
    [long]="l:aborts when a window with a title of 300 bytes goes"
)
has_state() {
    local need=${lacking[$1]:-}
    [ -z "$need" ] || wm_does "${need%%:*}" && return 0
    echo "$1: $setup ${need#*:}" >>"$work/skipped"
    return 1
}
# A case about a state the set-up does not have, or shows as another it does
# not have, is skipped whole.
needs() { has_state "${sees[$setup $case $1]:-${sees[$setup $1]:-$1}}" || { : >"$work/skipped.case"; return 1; }; }

case_minimised() {
    open_windows Mini=iconic:Mini Other=normal:Other Gone=iconic:Gone
    step -s=Mini Mini=shown Mini=restored Other=shown
    # Minimised counts as visible: hiding withdraws it, showing brings it back at its size.
    step -h=Gone Gone=hidden
    step -s=Gone Gone=shown Gone=restored
}

case_maximised() {
    needs maximised || return 0
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

# Two minimised windows of one title: two runs hide both. Named in
# _NET_WM_NAME: matchbox renames the second of two WM_NAMEs "Dup <2>".
case_minimised_twice() {
    open_windows A=normal:Dup B=normal:Dup
    if wm_does m; then
        xdotool windowminimize "${win[A]}" windowminimize "${win[B]}"
    else
        wmctrl -i -r "${win[A]}" -b add,hidden && wmctrl -i -r "${win[B]}" -b add,hidden || true
    fi
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
    needs top || return 0
    open_windows Low=normal:Twin High=normal:Twin
    on_top "${win[High]}" || fail "High does not start on top"
    if [ "$setup" = bare ] || ! wm_does a; then
        xdotool windowraise "${win[Low]}"
    else
        # evilwm activates without raising: the user's click does both.
        xdotool windowactivate "${win[Low]}" windowraise "${win[Low]}"
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

# A show of a window that is in none of the full states asks the window
# manager to leave none: Window Maker shrank it by its title bar at each one,
# pekwm flipped its maximised flag.
cases+=(show_shown)
case_show_shown() {
    xterm_titled Term Plain
    step -s=Plain Term=shown Term=placed Term=unmaximised
    step -s=Plain Term=shown Term=placed Term=unmaximised
}

# A minimised window comes back where it was, raised and active, whichever
# word its window manager de-iconifies on (bspwm the removal of
# _NET_WM_STATE_HIDDEN, fvwm the activation, ctwm the map, and the
# activation only after it).
cases+=(minimised_shown)
case_minimised_shown() {
    needs minimised || return 0
    xterm_titled Term Mini
    xterm_titled Other Other 40x8+100+100
    minimise Term
    step -s=Mini Term=shown Term=active Term=top Term=placed Other=shown
}
minimise() {
    if wm_does m; then xdotool windowminimize "${win[$1]}"; else wmctrl -i -r "${win[$1]}" -b add,hidden || true; fi
    eventually in_state "$1" minimised || fail "$1 not minimised"
}

# A full-screen or maximised GTK window, hidden and shown. Where the window
# manager is slow (a loaded machine), a run either finishes, or says that the
# desktop did not answer in time; it never leaves the window as it was while
# saying nothing (metacity, re-framing the window as it left full screen,
# mapped it again after Drapeno's unmap).
cases+=(full_screen_gtk)
case_full_screen_gtk() {
    needs fullscreen || return 0
    local how
    yad_titled Yad "Full Yad"
    for how in fullscreen:fullscreen maximized_vert,maximized_horz:maximised; do
        has_state "${how#*:}" || continue
        wmctrl -i -r "${win[Yad]}" -b "add,${how%:*}" 2>/dev/null || true
        eventually in_state Yad "${how#*:}" || fail "not ${how#*:}"
        step --or-late "-h=Full Yad" Yad=hidden
        step --or-late "-s=Full Yad" Yad=shown Yad=unmaximised
    done
}
