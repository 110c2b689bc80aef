# Sourced by the end-to-end scripts: starts openbox with this home, adds it to the caller's
# `pids`, and returns once it manages the display.
start_window_manager() {
  HOME=$1 openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
}
