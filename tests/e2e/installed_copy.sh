#!/usr/bin/env bash
# An installed copy, under a window manager on the X server in $DISPLAY: `cmake --install` into
# a scratch prefix made read-only; each user's first start seeds that user's data folder from
# <prefix>/share/tirelix, the welcome window shows once a user, the banner switch is kept a
# user, and nothing is ever written into the prefix (not even by root, who may write anywhere).
#
#   installed_copy.sh CMAKE BUILD_DIR
set -u
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools
prefix=$work/prefix
"$1" --install "$2" --prefix "$prefix" >"$work/install.log" || fail "$(cat "$work/install.log")"
chmod -R a-w "$prefix"
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | sort); }
snapshot >"$work/prefix.before"
start_window_manager "$work/wm"

# Starts the installed program as a user with this home (and data folder, when given), and
# waits for its main window `main`.
start_as() {
  mkdir -p "$1"
  (cd / && exec env -u XDG_DATA_HOME HOME="$1" ${2:+XDG_DATA_HOME="$2"} "$prefix/bin/tirelix") \
    >"$work/program.log" 2>&1 &
  pids+=($!)
  main=$(wait_titled Tirelix) || fail "no main window: $(cat "$work/program.log")"
}
# A user's folder holds the installed defaults, each whole, and no copy left half-way.
check_seeded() {
  for name in Prem.eff Pub.eff Site.eff Pub1.gif MainTacheG.ico; do
    cmp -s "$prefix/share/tirelix/$name" "$1/$name" || fail "$1/$name is not the default"
  done
  [ -z "$(find "$1" -name '*.seed*')" ] || fail "a seeding copy was left in $1"
}
stop() { kill "${pids[-1]}" && wait "${pids[-1]}" 2>/dev/null; }

# Chooses an item of the menu behind "Menu" (Label6, at the top left of the main window).
menu_item() {
  local mx my
  read -r mx my < <(xwininfo -id "$main" | awk '/Absolute upper-left/ { printf "%s ", $NF }')
  xdotool windowactivate --sync "$main" mousemove $((mx + 28)) $((my + 8)) click 1
  sleep 0.5
  xdotool key $(printf 'Down %.0s' $(seq "$1")) Return
}

# Waits (at most 5 s) until this many message boxes titled "Tirelix" (as the main window is)
# are shown.
wait_boxes() {
  for _ in $(seq 1 50); do
    [ "$(xdotool search --onlyvisible --name '^Tirelix$' | wc -l)" -eq $(($1 + 1)) ] && return 0
    sleep 0.1
  done
  return 1
}

# ---- First user, first start: the welcome window, closed by the window manager (its close
# box): the marker lands in the user's folder; then the banner switch from the menu.
folder=$work/anne-data/tirelix
start_as "$work/anne" "$work/anne-data"
welcome=$(wait_titled "Démarrage") || fail "no welcome window on a user's first start"
check_seeded "$folder"
xdotool windowactivate --sync "$welcome" key alt+F4
wait_value "$folder/Prem.eff" 1 || fail "Prem.eff in $folder does not hold the quoted 1"
menu_item 4
wait_value "$folder/Pub.eff" 1 || fail "Pub.eff in $folder does not hold the quoted 1"
stop

# ---- First user again: no welcome, the switch still on.
start_as "$work/anne" "$work/anne-data"
sleep 1
! xdotool search --onlyvisible --name '^Démarrage$' >/dev/null || fail "welcome shown again"
wait_value "$folder/Pub.eff" 1 || fail "the banner switch was not kept"

# Printing comes from a module in the installed library folder, loaded now: with no printer
# on this machine, the question (Yes) is followed by the program's message, and nothing is
# logged of a module not found.
menu_item 3
wait_titled "Impression de la note" >/dev/null || fail "no question before printing"
xdotool key Return
wait_boxes 1 || fail "no message after the question"
xdotool key Return
wait_boxes 0 || fail "the message did not close"
! grep -i "module\|tirelix:" "$work/program.log" >&2 || fail "the printing module did not load"
stop

# ---- Second user, with only a home: ~/.local/share/tirelix, and a welcome of their own.
start_as "$work/bruno"
wait_titled "Démarrage" >/dev/null || fail "no welcome window for the second user"
check_seeded "$work/bruno/.local/share/tirelix"
stop
snapshot | diff "$work/prefix.before" - >&2 || fail "the installed copy changed its prefix"
echo "installed copy keeps each user's state in the user's folder"
