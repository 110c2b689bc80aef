# Sourced by the end-to-end scripts: starts openbox with this home, adds it to the caller's
# `pids`, and returns 0 once it manages the display (1 if it does not within 10 s).
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
