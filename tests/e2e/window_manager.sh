# Sourced by the end-to-end scripts that run the program under openbox on the X server in
# $DISPLAY: a scratch folder, the window manager, a program folder and the program's windows.

fail() { echo "FAIL: $*" >&2; exit 1; }

# xdotool reads window titles in the locale's encoding: without a UTF-8 locale (none is set on a
# fresh minimal Debian) a title such as "Démarrage" would never match, nor fail to.
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }

# Ends the script unless there is an X server and each of the named tools; then makes a scratch
# folder `work`, removed when the script ends, with the processes listed in `pids` (even a
# folder the script made read-only).
require_x_tools() {
  [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"
  local tool
  for tool in openbox xdotool xwininfo xprop "$@"; do
    command -v "$tool" >/dev/null || fail "missing $tool (scripts/deps installs it)"
  done
  work=$(mktemp -d)
  pids=()
  trap end_work EXIT
}
end_work() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}

# Starts openbox with this home; fails unless it manages the display within 10 s.
#
# Openbox runs its --startup command only when its start is complete. Properties on the root
# window are no sign of that: an earlier manager leaves them behind, and openbox sets its own
# before it is ready; a window mapped in that gap may never be shown.
start_window_manager() {
  local home=$1 ready=$1/window-manager-ready
  mkdir -p "$home"
  HOME=$home openbox --sm-disable --startup "touch $ready" >"$home/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    [ -e "$ready" ] && return 0
    sleep 0.1
  done
  fail "the window manager did not start: $(cat "$home/openbox.log")"
}

# A program folder $work/prog of the built program, on its first start, and a home $work/home.
make_program_folder() {
  mkdir "$work/prog" "$work/home"
  cp "$1" "$work/prog/tirelix"
  cp "$(dirname "$1")/Pub1.gif" "$(dirname "$1")/MainTacheG.ico" "$work/prog/"
  printf '"0"\r\n' >"$work/prog/Prem.eff"
  printf '"0"\r\n' >"$work/prog/Pub.eff"
  printf '""\r\n' >"$work/prog/Site.eff"
}

# The id of the first visible window with this exact title, waiting (10 s) for it.
wait_titled() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits (at most 5 s) until `file` holds exactly the quoted value `value` and CR LF.
wait_value() {
  for _ in $(seq 1 50); do
    cmp -s "$1" <(printf '"%s"\r\n' "$2") && return 0
    sleep 0.1
  done
  return 1
}
