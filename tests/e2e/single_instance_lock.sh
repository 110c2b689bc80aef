#!/usr/bin/env bash
# One Tirelix a session where no X11 window list can be read (here the offscreen platform):
# a lock file held for the life of the process stands for the running instance.
#
#   single_instance_lock.sh CASE TIRELIX INSTANCE_CHECK_DRIVER
set -u
case_name=$1 exe=$2 driver=$3

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen HOME=$work/home XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp
export XDG_SESSION_ID=1
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$TMPDIR"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Waits (at most 20 s) until `file` has a line matching `pattern`.
wait_for_line() {
    for _ in $(seq 1 200); do
        grep -q -E "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts a driver that keeps its lock; it must have found no other instance.
hold() {
    local out=$work/hold.$RANDOM
    "$driver" --hold >"$out" 2>/dev/null &
    held_pid=$!
    pids+=("$held_pid")
    wait_for_line "$out" '^(alone|running)$' || fail "the holding driver did not check"
    grep -q -x 'no window list' "$out" || fail "the check read a window list offscreen"
    grep -q -x alone "$out" || fail "the first driver found another instance"
}

# Runs a driver to its end and expects its verdict.
expect() {
    local out status
    out=$(timeout 30 "$driver" 2>"$work/driver.err")
    status=$?
    [ "$status" -eq 0 ] || fail "the driver ended with status $status: $(cat "$work/driver.err")"
    [ "$(tail -n1 <<<"$out")" = "$1" ] || fail "expected '$1', the check said: $out"
}

lock_files() { find "$1" -name '*.lock' 2>/dev/null; }

case $case_name in
second_start)
    "$exe" >/dev/null 2>&1 &
    first_pid=$!
    pids+=("$first_pid")
    for _ in $(seq 1 200); do
        [ -n "$(lock_files "$XDG_RUNTIME_DIR")" ] && break
        kill -0 "$first_pid" 2>/dev/null || fail "the first start ended"
        sleep 0.1
    done
    [ -n "$(lock_files "$XDG_RUNTIME_DIR")" ] || fail "the first start took no lock"
    timeout 30 "$exe" >"$work/second.out" 2>/dev/null
    status=$?
    [ "$status" -ne 124 ] || fail "the second start did not end"
    [ "$status" -eq 0 ] || fail "the second start ended with status $status"
    [ ! -s "$work/second.out" ] || fail "the second start printed: $(cat "$work/second.out")"
    kill -0 "$first_pid" 2>/dev/null || fail "the first instance is gone"
    ;;
held) hold && expect running ;;
other_session) hold && XDG_SESSION_ID=2 expect alone ;;
# A process that died without letting go of its lock does not block the next start.
stale_after_crash)
    hold
    kill -KILL "$held_pid"
    wait "$held_pid" 2>/dev/null
    [ -n "$(lock_files "$XDG_RUNTIME_DIR")" ] || fail "the killed driver left no lock behind"
    expect alone
    hold
    expect running
    ;;
released_at_exit)
    expect alone
    left=$(lock_files "$XDG_RUNTIME_DIR")
    [ -z "$left" ] || fail "lock left behind: $left"
    expect alone
    ;;
# Without a runtime folder, a private folder of the user's in the temporary folder.
no_runtime_folder)
    unset XDG_RUNTIME_DIR
    hold
    expect running
    folder=$TMPDIR/tirelix-$(id -u)
    [ "$(stat -c %a "$folder")" = 700 ] || fail "$folder is not private"
    [ -n "$(lock_files "$folder")" ] || fail "no lock in $folder"
    ;;
# A folder that others may write to is not trusted: the check gives up rather than block.
shared_temporary_folder)
    unset XDG_RUNTIME_DIR
    mkdir -m 777 "$TMPDIR/tirelix-$(id -u)"
    hold
    expect alone
    [ -z "$(lock_files "$TMPDIR")" ] || fail "a lock was made in a shared folder"
    ;;
*) fail "no such case" ;;
esac
echo "ok: $case_name"
