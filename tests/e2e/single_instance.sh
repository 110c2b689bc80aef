#!/usr/bin/env bash
# One Tirelix on a desktop: a start finding another window titled exactly "Tirelix", of any
# program, mapped or not, ends at once and silently (exit 0, no window shown).
#
#   single_instance.sh CASE TIRELIX X_TITLED_WINDOW X_MAP_WATCH INSTANCE_CHECK_DRIVER
#
# Each case runs on an X server of its own, so that the windows it makes (and the window
# manager of the twm cases) never meet another test's program.
set -u
case_name=$1 exe=$2 titled_window=$3 map_watch=$4 driver=$5

work=$(mktemp -d)
pids=()
# Every process the case started ends with it. One still running 5 s after SIGTERM is named,
# with what it waits on, and killed: the case's verdict stands, and ctest never waits for it.
cleanup() {
    local pid left=() i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    for _ in $(seq 1 50); do
        left=()
        for pid in "${pids[@]}"; do
            # An ended child stays a zombie until it is waited for.
            grep -q '^State:[[:space:]]*[^Z]' "/proc/$pid/status" 2>/dev/null && left+=("$pid")
        done
        [ ${#left[@]} -eq 0 ] && break
        sleep 0.1
    done
    for pid in "${left[@]}"; do
        echo "note ($case_name): $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) did not end on" \
            "SIGTERM (state $(awk '/^State:/ {print $2}' "/proc/$pid/status" 2>/dev/null)," \
            "waiting in $(cat "/proc/$pid/wchan" 2>/dev/null)); killed" >&2
        kill -KILL "$pid" 2>/dev/null
    done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

# Waits (at most 20 s) until `file` has a line matching `pattern`.
wait_for_line() {
    local file=$1 pattern=$2
    for _ in $(seq 1 200); do
        grep -q -E "$pattern" "$file" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

start_server() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    wait_for_line "$work/display" '^[0-9]+$' || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
}

# twm, set to place windows itself and not to grab the server, framing every client. Its
# default fonts come from xfonts-base, which a minimal system lacks, and under a UTF-8 locale
# twm gives up without them: it takes the server's built-in "fixed" and the C locale instead.
# A twm that cannot open the display (seen once in CI, right after the server had announced it)
# is started again; the last failure says whether the server still runs and what it logged.
start_twm() {
    command -v twm >/dev/null || fail "twm is not installed (scripts/deps installs it)"
    printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\n' >"$work/twmrc"
    printf '%s "fixed"\n' TitleFont ResizeFont MenuFont IconFont IconManagerFont >>"$work/twmrc"
    local attempt twm_pid
    for attempt in 1 2 3; do
        LC_ALL=C twm -f "$work/twmrc" >"$work/twm.log" 2>&1 &
        twm_pid=$!
        pids+=("$twm_pid")
        for _ in $(seq 1 200); do
            xwininfo -root -tree 2>/dev/null | grep -q '"TWM Icon Manager"' && return 0
            kill -0 "$twm_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$twm_pid" 2>/dev/null && break
        sleep 0.5
    done
    local server=running
    kill -0 "$xvfb_pid" 2>/dev/null || server=gone
    fail "twm did not start (attempt $attempt, X server $server): $(cat "$work/twm.log")" \
        "Xvfb said: $(tail -n 5 "$work/xvfb.log")"
}

# A foreign window, from a program that is not Tirelix.
foreign() {
    "$titled_window" "$@" >"$work/foreign.out" 2>"$work/foreign.err" &
    pids+=($!)
    wait_for_line "$work/foreign.out" '^ready' ||
        fail "the foreign window was not made: $(cat "$work/foreign.err")"
}

# The program's main window: titled "Tirelix" and, unlike Qt's helper windows and the foreign
# window, with a window class.
main_window_id() {
    xwininfo -root -tree 2>/dev/null | awk '/"Tirelix": \("/ {print $1; exit}'
}

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Starts the program and waits until its main window is on screen.
expect_started() {
    local name=${1:-$exe}
    mkdir -p "$work/home.first"
    HOME=$work/home.first "$name" >/dev/null 2>"$work/first.err" &
    first_pid=$!
    pids+=("$first_pid")
    for _ in $(seq 1 200); do
        first_window=$(main_window_id)
        if [ -n "$first_window" ] && is_viewable "$first_window"; then
            kill -0 "$first_pid" 2>/dev/null || fail "the program exited after showing its window"
            return 0
        fi
        kill -0 "$first_pid" 2>/dev/null || fail "the program refused to start"
        sleep 0.1
    done
    fail "the program did not show its main window"
}

# Starts the program and expects it to end by itself, exit 0, with no window mapped meanwhile.
expect_refused() {
    mkfifo "$work/watch.in"
    "$map_watch" <"$work/watch.in" >"$work/maps.out" 2>"$work/watch.err" &
    local watch_pid=$!
    pids+=("$watch_pid")
    exec 5>"$work/watch.in"
    wait_for_line "$work/maps.out" '^ready' ||
        fail "the map watch did not start: $(cat "$work/watch.err")"
    mkdir -p "$work/home.second"
    HOME=$work/home.second timeout 30 "$exe" >"$work/second.out" 2>"$work/second.err" 5>&-
    local status=$?
    [ "$status" -ne 124 ] || fail "the second start did not end"
    [ "$status" -eq 0 ] || fail "the second start ended with status $status"
    [ ! -s "$work/second.out" ] || fail "the second start printed: $(cat "$work/second.out")"
    # Closing its input makes the watch report every map made so far, then end.
    exec 5>&-
    wait "$watch_pid" && grep -q -x done "$work/maps.out" ||
        fail "the map watch failed: $(cat "$work/watch.err")"
    if grep -q '^map' "$work/maps.out"; then
        fail "the second start mapped a window: $(grep '^map' "$work/maps.out" | tr '\n' ' ')"
    fi
}

# The first instance is untouched: still running, its main window still on screen.
expect_first_undisturbed() {
    kill -0 "$first_pid" 2>/dev/null || fail "the first instance is gone"
    is_viewable "$first_window" || fail "the first instance's window is no longer on screen"
}

# The window `id` lies inside a frame, not directly under the root window.
expect_framed() {
    local top
    top=$(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}')
    ! grep -q -x -- "$1" <<<"$top" || fail "window $1 is not inside a frame"
}

start_server
case $case_name in
second_start)
    expect_started
    expect_refused
    expect_first_undisturbed
    ;;
# A foreign window titled exactly "Tirelix", wherever and however it is, stops a start.
foreign_mapped) foreign Tirelix && expect_refused ;;
foreign_unmapped) foreign Tirelix --unmapped && expect_refused ;;
foreign_in_frame) foreign Tirelix --frames 1 && expect_refused ;;
foreign_in_unmapped_frame) foreign Tirelix --frames 1 --unmapped && expect_refused ;;
foreign_in_frame_and_wrapper) foreign Tirelix --frames 2 && expect_refused ;;
foreign_managed_in_frame) foreign Tirelix --frames 2 --wm-state && expect_refused ;;
# The client a window manager marks (WM_STATE) stands for its frame, whatever else is titled
# in the frame.
foreign_managed_beside_titled_decoration)
    foreign Tirelix --frames 2 --wm-state --decoration Calculatrice && expect_refused ;;
# Titles that are not exactly "Tirelix" do not, nor does a titled window's child window.
foreign_lower_case) foreign tirelix && expect_started ;;
foreign_longer_title) foreign "Tirelix 2" && expect_started ;;
foreign_lower_case_in_frame) foreign tirelix --frames 1 && expect_started ;;
foreign_inside_titled_window)
    foreign Tirelix --frames 1 --frame-title Calculatrice && expect_started ;;
# Named "Tirelix", the application gets helper windows from Qt titled "Tirelix" too: they are
# still the one instance.
own_windows_titled_Tirelix)
    out=$(timeout 30 "$driver" --app-name Tirelix --display-name Tirelix 2>"$work/driver.err")
    status=$?
    [ "$status" -eq 0 ] || fail "the driver ended with status $status: $(cat "$work/driver.err")"
    own=$(sed -n 's/^windows own=\([0-9]*\) foreign=0$/\1/p' <<<"$out")
    [ -n "$own" ] && [ "$own" -ge 2 ] ||
        fail "expected two or more own windows titled Tirelix and no other, found: $out"
    [ "$(tail -n1 <<<"$out")" = alone ] || fail "the program's own windows stopped its start"
    ;;
# Under a reparenting window manager, the running instance's window sits in a frame.
twm_second_start)
    start_twm
    expect_started
    expect_framed "$first_window"
    expect_refused
    expect_first_undisturbed
    ;;
twm_foreign)
    start_twm
    foreign Tirelix
    client=$(awk '/^ready/ {print $2}' "$work/foreign.out")
    for _ in $(seq 1 200); do is_viewable "$client" && break; sleep 0.1; done
    is_viewable "$client" || fail "the foreign window was not shown"
    expect_framed "$client"
    expect_refused
    ;;
*) fail "no such case" ;;
esac
echo "ok: $case_name (${SECONDS} s)"
