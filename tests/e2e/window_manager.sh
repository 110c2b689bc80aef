# Sourced by the end-to-end scripts that run the program under openbox on the X server in
# $DISPLAY.

fail() { echo "FAIL: $*" >&2; exit 1; }

# xdotool reads window titles in the locale's encoding: without a UTF-8 locale (none is set on a
# fresh minimal Debian) a title such as "Démarrage" would never match, nor fail to.
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }

# Ends the script unless there is an X server and each of the named tools.
require_x_tools() {
  [ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run under Xvfb" >&2; exit 1; }
  local tool
  for tool in openbox "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps installs it)" >&2; exit 1; }
  done
}

# A scratch folder `work`, removed when the script ends, with the processes listed in `pids`
# (even a folder the script made read-only).
make_work_folder() {
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

# Starts openbox with this home, adds it to `pids`, and returns 0 once it manages the display
# (1 if it does not within 10 s).
#
# Openbox runs its --startup command only when its start is complete. Properties on the root
# window are no sign of that: an earlier manager leaves them behind, and openbox sets its own
# before it is ready; a window mapped in that gap may never be shown.
start_window_manager() {
  local home=$1 ready=$1/window-manager-ready
  mkdir -p "$home"
  rm -f "$ready"
  HOME=$home openbox --sm-disable --startup "touch $ready" >"$home/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    [ -e "$ready" ] && return 0
    sleep 0.1
  done
  cat "$home/openbox.log" >&2
  return 1
}
