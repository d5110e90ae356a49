# The X11 cases of what Drapeno does wherever it runs, sourced by run.sh: each
# runs under every set-up. Steps read as tables: argument, then the windows'
# states.
cases=(hide show_after_hide first_match case_folding titles children usage churn bad_input)

case_hide() {
    open_windows Alpha=normal:Alpha Beta=normal:Beta
    xterm_titled Term "Term Gamma"
    step -h=Alpha Alpha=hidden Beta=shown Term=shown
    step "-h=Term Gamma" Term=hidden Beta=shown
    step -h=Alpha Beta=shown
    step "-h=Term" Beta=shown
}

case_show_after_hide() {
    xterm_titled Term "Term Delta"
    open_windows Back=normal:Back Front=normal:Front
    step "-h=Term Delta" Term=hidden
    step "-s=Term Delta" Term=shown Term=active Term=placed Back=shown
    step -s=Back Back=shown Back=active
}

case_first_match() {
    # Stacked bottom to top; the walk goes topmost first.
    open_windows One=normal:Twin Two=normal:Twin Three=hidden:Twin Other=normal:Other
    step -h=Twin Two=hidden One=shown Other=shown
    step -h=Twin One=hidden Other=shown
    step -h=Twin Other=shown
}

case_case_folding() {
    open_windows Mixed="normal:MiXeD Case" Cafe=normal:café
    step "-h=mIxEd cAsE" Mixed=hidden Cafe=shown
    step -h=CAFÉ Cafe=shown
    step -h=CAFé Cafe=hidden
}

case_titles() {
    local long windows=(Split="split:Net Name|Legacy Name" Old="legacy:Old Style")
    long=$(printf 'L%.0s' $(seq 300))
    ! has_state long || windows+=(Long="normal:$long")
    open_windows "${windows[@]}"
    step "-h=Legacy Name" Split=shown
    step "-h=Net Name" Split=hidden
    step "-h=old style" Old=hidden
    [ -z "${win[Long]:-}" ] || step "-h=${long:0:255}" Long=hidden
}

case_children() {
    open_windows Holder=holder:Inner Outer=normal:Outer
    win[Inner]=$(printf '0x%x' "$(xdotool search --name '^Inner$' | head -n1)")
    step -h=Inner Inner=viewable Holder=viewable Outer=shown
    step -s=Inner Inner=viewable Holder=viewable Outer=shown
}

case_usage() {
    local usage how id rc
    # The text as xprop prints it: the lines of usage.txt joined by \015\n.
    usage=\"$(awk 'NR > 1 { printf "\\015\\n" } { printf "%s", $0 }' "$here/../usage.txt")\"
    for how in Return Escape space click close; do
        "$drapeno" 2>"$work/stderr" &
        local pid=$!
        started $pid
        eventually sh -c "xdotool search --name '^Drapeno\$' >/dev/null" || fail "no usage box"
        id=$(xdotool search --name '^Drapeno$' | head -n1)
        [ "$(xprop -id "$id" -notype _DRAPENO_MESSAGE)" = "_DRAPENO_MESSAGE = $usage" ] ||
            fail "usage box says: $(xprop -id "$id" _DRAPENO_MESSAGE)"
        eventually sh -c "xwininfo -id $id | grep -q IsViewable" || fail "usage box not shown"
        # The run's deadline does not end a box that waits for its user.
        if [ "$how" = Return ]; then sleep 3.5; else sleep 0.2; fi
        kill -0 "$pid" || fail "usage box ended by itself"
        case $how in
            click) xdotool mousemove --window "$id" "$(($(size_of "$id" | cut -dx -f1) / 2))" \
                "$(($(size_of "$id" | cut -dx -f2) - 29))" click 1 2>/dev/null ;;
            close) "$helper" close "$id" ;;
            *) xdotool key --window "$id" "$how" 2>/dev/null ;;
        esac
        eventually sh -c "! kill -0 $pid 2>/dev/null" || { kill "$pid"; fail "$how did not end the usage box"; }
        rc=0
        wait "$pid" || rc=$?
        [ "$rc" -eq 0 ] && [ ! -s "$work/stderr" ] || fail "usage box after $how: exit $rc, $(cat "$work/stderr")"
        # The server drops a box a moment after its process ends; the next
        # search must not find this one.
        eventually sh -c "! xdotool search --name '^Drapeno\$' >/dev/null" || fail "usage box stays after $how"
    done
}

case_churn() {
    open_windows Keeper=normal:Keeper Steady=normal:Steady
    "$helper" churn Gone &
    started $!
    local i
    for i in $(seq 10); do
        step -h=Gone
        step -s=Gone
        step -h=Steady Steady=hidden
        step -s=Steady Steady=shown
    done
    step -h=Keeper Keeper=hidden Steady=shown
}

case_bad_input() {
    open_windows Alpha=normal:Alpha
    step "-h=$(head -c 100000 /dev/zero | tr '\0' A)" Alpha=shown
    step $'-h=\x01\x7f\xff\t' Alpha=shown
    step -x=Alpha Alpha=shown
    step -h Alpha=shown
}

case_no_display() {
    local display argument rc says
    for display in ":$((60000 + $$ % 1000))" "" "nonsense"; do
        for argument in -h=Alpha ""; do
            rc=0
            DISPLAY=$display "$drapeno" $argument >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?
            says="Drapeno: this desktop offers no way to hide or show windows"
            [ -n "$argument" ] || says=$(cat "$here/../usage.txt")
            [ "$rc" -eq 0 ] && [ "$(cat "$work/stderr")" = "$says" ] && [ ! -s "$work/stdout" ] ||
                fail "DISPLAY='$display' $argument: exit $rc, '$(cat "$work/stderr")'"
        done
    done
}
