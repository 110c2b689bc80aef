#!/usr/bin/env bash
# An installed copy, under a window manager on the X server in $DISPLAY: `cmake --install` into
# a scratch prefix made read-only; each user's first start seeds that user's data folder from
# <prefix>/share/tirelix, the welcome window shows once a user, the banner switch is kept a
# user, and nothing is ever written into the prefix (not even by root, who may write anywhere).
#
#   installed_copy.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools xdotool xwininfo xprop
make_work_folder

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
  fail "cmake --install: $(cat "$work/install.log")"
defaults=$prefix/share/tirelix
chmod -R a-w "$prefix"
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | sort); }
snapshot >"$work/prefix.before"

start_window_manager "$work/wm" || fail "the window manager did not start"

# Starts the installed program as a user with this home (and data folder, when given).
start_as() {
  local home=$1 data=${2:-}
  local environment=(env -u XDG_DATA_HOME HOME="$home")
  [ -n "$data" ] && environment+=(XDG_DATA_HOME="$data")
  mkdir -p "$home"
  (cd / && exec "${environment[@]}" "$prefix/bin/tirelix") >"$work/program.log" 2>&1 &
  app=$!
  pids+=($app)
}
stop() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; }

# The id of the first visible window with this exact title, waiting for it.
wait_titled() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$app" 2>/dev/null || return 1
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

# Opens the menu behind "Menu" (Label6, at the top left of the main window `main`).
open_menu() {
  local mx my
  read -r mx my < <(xwininfo -id "$main" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
  xdotool windowactivate --sync "$main" mousemove $((mx + 28)) $((my + 8)) click 1
  sleep 0.5
}

# Waits (at most 5 s) until this many message boxes titled "Tirelix" (as the main window is)
# are shown.
wait_boxes() {
  for _ in $(seq 1 50); do
    [ "$(xdotool search --onlyvisible --name '^Tirelix$' 2>/dev/null | wc -l)" -eq $(($1 + 1)) ] &&
      return 0
    sleep 0.1
  done
  return 1
}

# A user's folder holds the installed defaults, each whole, and no copy left half-way.
check_seeded() {
  local folder=$1 name
  for name in Prem.eff Pub.eff Site.eff Pub1.gif MainTacheG.ico; do
    cmp -s "$defaults/$name" "$folder/$name" || fail "$folder/$name is not the installed default"
  done
  [ -z "$(find "$folder" -name '*.seed*')" ] || fail "a seeding copy was left in $folder"
}

# ---- First user, first start: seeded data folder, welcome window.
start_as "$work/anne" "$work/anne-data"
main=$(wait_titled Tirelix) || fail "no main window: $(cat "$work/program.log")"
welcome=$(wait_titled "Démarrage") || fail "no welcome window on a user's first start"
folder=$work/anne-data/tirelix
check_seeded "$folder"

# Closed by the window manager (its close box): the marker lands in the user's folder.
xdotool windowactivate --sync "$welcome" key alt+F4
wait_value "$folder/Prem.eff" 1 || fail "Prem.eff in $folder does not hold the quoted 1"

# The banner switch from the menu.
open_menu
xdotool key Down Down Down Down Return
wait_value "$folder/Pub.eff" 1 || fail "Pub.eff in $folder does not hold the quoted 1"
stop

# ---- First user again: no welcome, the switch still on.
start_as "$work/anne" "$work/anne-data"
main=$(wait_titled Tirelix) || fail "no main window at the second start"
sleep 1
xdotool search --onlyvisible --name "^Démarrage\$" >/dev/null 2>&1 &&
  fail "welcome shown again to the same user"
wait_value "$folder/Pub.eff" 1 || fail "the banner switch was not kept"

# Printing comes from a module in the installed library folder, loaded now: with no printer
# on this machine, the question (Yes) is followed by the program's message, and nothing is
# logged of a module not found.
open_menu
xdotool key Down Down Down Return
wait_titled "Impression de la note" >/dev/null || fail "no question before printing"
xdotool key Return
wait_boxes 1 || fail "no message after the question"
xdotool key Return
wait_boxes 0 || fail "the message did not close"
! grep -i "module\|tirelix:" "$work/program.log" >&2 || fail "the printing module did not load"
stop

# ---- Second user, with only a home: ~/.local/share/tirelix, and a welcome of their own.
start_as "$work/bruno"
wait_titled Tirelix >/dev/null || fail "no main window for the second user"
wait_titled "Démarrage" >/dev/null || fail "no welcome window for the second user"
check_seeded "$work/bruno/.local/share/tirelix"
stop

snapshot >"$work/prefix.after"
diff "$work/prefix.before" "$work/prefix.after" >&2 || fail "the installed copy changed its prefix"
echo "installed copy keeps each user's state in the user's folder"
exit 0
