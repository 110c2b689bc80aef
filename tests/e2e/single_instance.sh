#!/usr/bin/env bash
# One Tirelix a desktop, two families of cases, each a table below:
#
#   single_instance.sh x11 CASE TIRELIX X_CLIENT INSTANCE_CHECK_DRIVER
# A start finding another window titled exactly "Tirelix", of any program, mapped or not, ends
# at once and silently (exit 0, no window shown), asking the window manager to bring that window
# forward. Each case runs on an X server of its own, so that its windows (and the window manager
# of the framed case) never meet another test's.
#
#   single_instance.sh lock CASE TIRELIX INSTANCE_CHECK_DRIVER
# Where no X11 window list can be read (here the offscreen platform), a lock file held for the
# life of the process stands for the running instance.
set -u
family=$1 case_name=$2 exe=$3
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
# Runs a process to its end, in 30 s, and expects status 0 and nothing printed but `$1`.
expect_output() {
    timeout 30 "${@:2}" >"$work/out" 2>"$work/err" 5>&- || fail "${*:2}: status $?, $(cat "$work/err")"
    [ "$(cat "$work/out")" = "$1" ] || fail "${*:2} printed: $(cat "$work/out")"
}

if [ "$family" = lock ]; then
    driver=$4 folder=$work/tmp/tirelix-$(id -u)
    export QT_QPA_PLATFORM=offscreen HOME=$work/home XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp
    export XDG_SESSION_ID=1
    unset DISPLAY WAYLAND_DISPLAY
    mkdir -p "$HOME" "$TMPDIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    locks() { find "$1" -name '*.lock' | grep -q .; }
    # Starts a driver that keeps its lock; it must have found no other instance.
    hold() {
        "$driver" --hold >"$work/hold" 2>/dev/null &
        held=$!
        pids+=("$held")
        poll grep -s -q -E '^(alone|running)$' "$work/hold" || fail "the holding driver did not check"
        [ "$(cat "$work/hold")" = $'no window list\nalone' ] || fail "held: $(cat "$work/hold")"
    }
    expect() { expect_output $'no window list\n'"$1" "$driver"; }
    case $case_name in
    second_start)
        "$exe" >/dev/null 2>&1 &
        pids+=($!)
        poll locks "$XDG_RUNTIME_DIR" || fail "the first start took no lock"
        expect_output "" "$exe"
        kill -0 "${pids[0]}" || fail "the first instance is gone" ;;
    other_session) hold && XDG_SESSION_ID=2 expect alone ;;
    # A process that died without letting go of its lock does not block the next start.
    stale_after_crash)
        hold && kill -KILL "$held" && wait "$held" 2>/dev/null
        locks "$XDG_RUNTIME_DIR" || fail "the killed driver left no lock behind"
        expect alone && hold && expect running ;;
    released_at_exit) expect alone && ! locks "$XDG_RUNTIME_DIR" || fail "lock left behind" ;;
    # Without a runtime folder, a private folder of the user's in the temporary folder.
    no_runtime_folder)
        unset XDG_RUNTIME_DIR
        hold && expect running
        [ "$(stat -c %a "$folder")" = 700 ] && locks "$folder" || fail "$folder" ;;
    # A folder that others may write to is not trusted: the check gives up rather than block.
    shared_temporary_folder)
        unset XDG_RUNTIME_DIR
        mkdir -m 777 "$folder"
        hold && expect alone
        ! locks "$TMPDIR" || fail "a lock was made in a shared folder" ;;
    *) fail "no such case" ;;
    esac
    echo "ok: $case_name"
    exit 0
fi

x_client=$4 driver=$5
mkdir "$work/home.first" "$work/home.second"
# The case: the window manager, whether the start is refused, and what it meets: its own first
# instance ("-") or a foreign window, made by `x_client.py window` with these arguments.
case $case_name in
#                                                         title       map      frames wm-state frame-title  decoration
second_start)                             set -- none refused - ;;
# A foreign window titled exactly "Tirelix", mapped or not, however deep in its frame, stops a
# start; the client a window manager marks (WM_STATE) stands for its frame, whatever else is
# titled in it.
foreign_unmapped)                         set -- none refused Tirelix     unmapped 0 - - - ;;
foreign_in_frame_and_wrapper)             set -- none refused Tirelix     mapped   2 - - - ;;
foreign_managed_beside_titled_decoration) set -- none refused Tirelix     mapped   2 wm-state - Calculatrice ;;
# Titles that are not exactly "Tirelix" do not, nor does a titled window's child window.
foreign_lower_case)                       set -- none started tirelix     mapped   0 - - - ;;
foreign_longer_title)                     set -- none started "Tirelix 2" mapped   0 - - - ;;
foreign_inside_titled_window)             set -- none started Tirelix     mapped   1 - Calculatrice - ;;
# Under a reparenting window manager, the running instance's window sits in a frame.
second_start_in_frame)                    set -- openbox refused - ;;
# Minimised, the running instance's window comes back before the second start ends.
second_start_restores_minimised)          set -- openbox restored - ;;
# Named "Tirelix", the application gets helper windows from Qt titled "Tirelix" too: they are
# still the one instance.
own_windows_titled_Tirelix)               set -- none own - ;;
*) fail "no such case" ;;
esac
wm=$1 outcome=$2
shift 2

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
poll grep -s -q -E '^[0-9]+$' "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")

[ "$wm" = none ] || start_window_manager "$work/wm"

is_viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
# Starts the program and waits until its main window (titled "Tirelix" and, unlike Qt's helper
# windows and the foreign window, with a window class) is on screen.
expect_started() {
    HOME=$work/home.first "$exe" >/dev/null 2>"$work/first.err" &
    first=$!
    pids+=("$first")
    poll shown || fail "the program did not show its main window"
}
shown() {
    kill -0 "$first" || fail "the program ended: $(cat "$work/first.err")"
    window=$(xwininfo -root -tree | awk '/"Tirelix": \("/ {print $1; exit}')
    [ -n "$window" ] && is_viewable "$window"
}

if [ "$outcome" = own ]; then
    out=$(timeout 30 "$driver" --named) || fail "driver: $?"
    [[ $out =~ ^windows\ own=([0-9]+)\ foreign=0$'\n'alone$ ]] && [ "${BASH_REMATCH[1]}" -ge 2 ] ||
        fail "expected two or more own windows titled Tirelix, no other, and alone: $out"
elif [ "$1" = - ]; then
    expect_started
else
    "$x_client" window "$@" >"$work/foreign.out" 2>"$work/foreign.err" &
    pids+=($!)
    poll grep -s -q '^ready' "$work/foreign.out" || fail "no foreign window: $(cat "$work/foreign.err")"
    window=$(awk '/^ready/ {print $2}' "$work/foreign.out")
fi
# The window lies inside a frame, not directly under the root window.
[ "$wm" = none ] || ! xwininfo -root -children | awk '/^ +0x/ {print $1}' | grep -q -x "$window" ||
    fail "window $window is not inside a frame"

if [ "$outcome" = started ]; then
    expect_started
elif [ "$outcome" = restored ]; then
    xdotool windowminimize "$window" && poll eval '! is_viewable "$window"' || fail "not minimised"
    HOME=$work/home.second expect_output "" "$exe"
    poll is_viewable "$window" || fail "the running window stayed minimised"
elif [ "$outcome" = refused ]; then
    # The second start ends by itself, exit 0, silent, with no window mapped meanwhile.
    mkfifo "$work/watch.in"
    "$x_client" watch <"$work/watch.in" >"$work/maps.out" 2>&1 &
    pids+=($!)
    exec 5>"$work/watch.in"
    poll grep -s -q '^ready' "$work/maps.out" || fail "the map watch did not start"
    HOME=$work/home.second expect_output "" "$exe"
    # Closing its input makes the watch report every map made so far, then end.
    exec 5>&-
    wait "${pids[-1]}" && grep -q -x done "$work/maps.out" || fail "map watch: $(cat "$work/maps.out")"
    ! grep '^map' "$work/maps.out" || fail "the second start mapped a window"
    # The first instance is untouched: still running, its main window still on screen.
    [ "$1" != - ] || { kill -0 "$first" && is_viewable "$window"; } || fail "the first is gone"
fi
echo "ok: $case_name (${SECONDS} s)"
