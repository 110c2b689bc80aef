#!/usr/bin/env bash
# An installed copy, under a window manager on the X server in $DISPLAY: `cmake --install` into
# a scratch prefix made read-only; a user's first start seeds the user's data folder from
# <prefix>/share/tirelix, the welcome window shows once, printing loads its module from the
# installed library folder, and nothing is ever written into the prefix (not even by root, who
# may write anywhere). Which folder a layout chooses is tests/app/program_folder_test's case.
#
#   installed_copy.sh CMAKE BUILD_DIR
set -u
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools
prefix=$work/prefix folder=$work/data/tirelix
"$1" --install "$2" --prefix "$prefix" >"$work/install.log" || fail "$(cat "$work/install.log")"
chmod -R a-w "$prefix"
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | sort); }
snapshot >"$work/prefix.before"
start_window_manager "$work/wm"

# Starts the installed program as the user, and waits for its main window `main`.
start() {
  mkdir -p "$work/home"
  (cd / && exec env HOME="$work/home" XDG_DATA_HOME="$work/data" "$prefix/bin/tirelix") \
    >"$work/program.log" 2>&1 &
  pids+=($!)
  main=$(poll titled Tirelix) || fail "no main window: $(cat "$work/program.log")"
}
stop() { kill "${pids[-1]}" && wait "${pids[-1]}" 2>/dev/null; }
# Waits until this many message boxes titled "Tirelix" (as the main window is) are shown.
boxes() { [ "$(xdotool search --onlyvisible --name '^Tirelix$' | wc -l)" -eq $(($1 + 1)) ]; }

# ---- First start: the user's folder holds the installed defaults, each whole, and no copy
# left half-way; the welcome window, closed by the window manager (its close box), leaves its
# marker there.
start
welcome=$(poll titled "Démarrage") || fail "no welcome window on a user's first start"
for name in Prem.eff Pub.eff Site.eff Pub1.gif MainTacheG.ico; do
  cmp -s "$prefix/share/tirelix/$name" "$folder/$name" || fail "$folder/$name is not the default"
done
[ -z "$(find "$folder" -name '*.seed*')" ] || fail "a seeding copy was left in $folder"
xdotool windowactivate --sync "$welcome" key alt+F4
poll holds "$folder/Prem.eff" 1 || fail "Prem.eff in $folder does not hold the quoted 1"
stop

# ---- Again: no welcome. Printing, from the menu behind "Menu" (Label6, at the top left of the
# main window): with no printer on this machine, the question (Yes) is followed by the
# program's message, and nothing is logged of a module not found.
start
sleep 1
! titled "Démarrage" >/dev/null || fail "welcome shown again"
read -r mx my < <(xwininfo -id "$main" | awk '/Absolute upper-left/ { printf "%s ", $NF }')
xdotool windowactivate --sync "$main" mousemove $((mx + 28)) $((my + 8)) click 1
sleep 0.5
xdotool key Down Down Down Return
poll titled "Impression de la note" >/dev/null || fail "no question before printing"
xdotool key Return
poll boxes 1 || fail "no message after the question"
xdotool key Return
poll boxes 0 || fail "the message did not close"
! grep -i "module\|tirelix:" "$work/program.log" >&2 || fail "the printing module did not load"
stop
snapshot | diff "$work/prefix.before" - >&2 || fail "the installed copy changed its prefix"
echo "installed copy keeps the user's state in the user's folder"
