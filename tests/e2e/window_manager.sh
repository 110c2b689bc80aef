# Sourced by the end-to-end scripts: a scratch folder `work`, removed when the script ends with
# the processes listed in `pids`; and, on the X server in $DISPLAY, the window manager, a program
# folder and the program's windows.

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the command until it succeeds, for at most 20 s.
poll() { for _ in $(seq 1 200); do "$@" && return 0; sleep 0.1; done; return 1; }

# xdotool reads window titles in the locale's encoding: without a UTF-8 locale (none is set on a
# fresh minimal Debian) a title such as "Démarrage" would never match, nor fail to.
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }

# The processes end the last started first; one that does not end on SIGTERM is killed, so that
# ctest never waits for it. The folder goes even where the script made it read-only.
work=$(mktemp -d)
pids=()
end_work() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  sleep 0.2
  kill -KILL "${pids[@]}" 2>/dev/null
  wait
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap end_work EXIT

# Ends the script unless there is an X server and each of the named tools.
require_x_tools() {
  [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"
  local tool
  for tool in openbox xdotool xwininfo xprop "$@"; do
    command -v "$tool" >/dev/null || fail "missing $tool (scripts/deps installs it)"
  done
}

# Starts openbox with this home; fails unless it manages the display in time.
#
# Openbox runs its --startup command only when its start is complete. Properties on the root
# window are no sign of that: an earlier manager leaves them behind, and openbox sets its own
# before it is ready; a window mapped in that gap may never be shown.
start_window_manager() {
  mkdir -p "$1"
  HOME=$1 openbox --sm-disable --startup "touch $1/window-manager-ready" >"$1/openbox.log" 2>&1 &
  pids+=($!)
  poll test -e "$1/window-manager-ready" || fail "no window manager: $(cat "$1/openbox.log")"
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

# The id of the first visible window with this exact title, if any.
titled() { xdotool search --onlyvisible --name "^$1\$" | head -1 | grep .; }
# Whether `file` holds exactly the quoted value `value` and CR LF.
holds() { cmp -s "$1" <(printf '"%s"\r\n' "$2"); }
