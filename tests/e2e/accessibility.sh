#!/usr/bin/env bash
# Tirelix as a screen reader meets it: the built program on the X server in $DISPLAY, under a
# window manager, on a private D-Bus session with its own accessibility bus, read and driven
# over AT-SPI by accessibility_check.py. The program runs from a copy of its folder, on its
# first start.
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
# A session bus of our own, ended with the script.
if [ -z "${TIRELIX_PRIVATE_SESSION:-}" ]; then
  exec env TIRELIX_PRIVATE_SESSION=1 dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi
# shellcheck source=window_manager.sh
. "$here/window_manager.sh"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "missing python3-pyatspi (scripts/deps)"
require_x_tools dbus-send $launcher
# The bus launcher publishes its address on the X server's root window.
trap 'end_work; xprop -root -remove AT_SPI_BUS 2>/dev/null' EXIT
make_program_folder "$exe"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run HOME=$work/home

$launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Asked for its name before the launcher owns it, D-Bus would start a second one.
bus_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
poll bus_up || fail "no accessibility bus"
start_window_manager "$work/home"

# Over the pointer the welcome window would take whatever the keyboard types: keep it aside.
xdotool mousemove 20 1000
(cd "$work/prog" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./tirelix) >"$work/tirelix.log" 2>&1 &
pids+=($!)
timeout 150 /usr/bin/python3 "$here/accessibility_check.py" "$!" ||
  fail "accessibility check; the program said: $(cat "$work/tirelix.log")"
