#!/usr/bin/env bash
# Tirelix as a screen reader meets it: the built program on the X server in $DISPLAY, under a
# window manager, on a private D-Bus session with its own accessibility bus, read and driven
# over AT-SPI by accessibility_check.py. The program runs from a copy of its folder, on its
# first start.
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run under Xvfb" >&2; exit 1; }
for tool in dbus-run-session dbus-send openbox xdotool xprop $launcher; do
  command -v $tool >/dev/null || { echo "missing $tool (scripts/deps installs it)" >&2; exit 1; }
done
$python -c 'import pyatspi' 2>/dev/null ||
  { echo "missing pyatspi for $python (scripts/deps installs python3-pyatspi)" >&2; exit 1; }

# A session bus of our own, ended with the script.
if [ -z "${TIRELIX_PRIVATE_SESSION:-}" ]; then
  exec env TIRELIX_PRIVATE_SESSION=1 dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi

work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  # The bus launcher publishes its address on the X server's root window.
  xprop -root -remove AT_SPI_BUS 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -m 700 "$work/run"
mkdir "$work/prog" "$work/home"
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
cp "$exe" "$work/prog/tirelix"
cp "$(dirname "$exe")/Pub1.gif" "$(dirname "$exe")/MainTacheG.ico" "$work/prog/"
printf '"0"\r\n' > "$work/prog/Prem.eff"
printf '"0"\r\n' > "$work/prog/Pub.eff"
printf '""\r\n' > "$work/prog/Site.eff"

$launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Asked for its name before the launcher owns it, D-Bus would start a second one.
owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 1 100); do owner && break; sleep 0.1; done
owner || fail "the accessibility bus did not start"

# shellcheck source=window_manager.sh
. "$here/window_manager.sh"
start_window_manager "$work/home" || fail "the window manager did not start"

# Over the pointer the welcome window would take whatever the keyboard types: keep it aside.
xdotool mousemove 20 1000
(cd "$work/prog" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./tirelix) >"$work/tirelix.log" 2>&1 &
app=$!
pids+=($app)

if ! timeout 150 $python "$here/accessibility_check.py" "$app"; then
  kill -0 "$app" 2>/dev/null || { echo "the program ended; its output:" >&2; cat "$work/tirelix.log" >&2; }
  fail "accessibility check"
fi
cmp -s "$work/prog/Prem.eff" <(printf '"1"\r\n') || fail "the welcome window did not record itself"
exit 0
