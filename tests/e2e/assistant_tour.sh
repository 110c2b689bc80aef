#!/usr/bin/env bash
# The guided tour in the built program, where only a window manager on the X server in $DISPLAY
# shows it: the first start's welcome window on top and centred on the pointer, the paperclip
# and the arrow placed from the main window's frame, the arrow's shape (its cut-away pixels
# show what lies behind it) and stacking above the main window, and its move by the window
# manager.
set -u
exe=$1 assets=$2
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools import convert compare
make_program_folder "$exe"
start_window_manager "$work/home"

# "id x y" of the program's mapped client window of this size.
client() {
  xwininfo -root -tree | awk -v size="$1" '/\("tirelix" "tirelix"\)/ && index($0, " " size "+") {
    split($NF, p, "+"); print $1, p[2], p[3]; found = 1; exit } END { exit !found }'
}

# x y width height of a client window with its frame (_NET_FRAME_EXTENTS: left right top bottom).
outer() {
  local x y w h l r t b
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { print x, y, w, h }')
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp'; echo)
  echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
}

# True when window $1 is above window $2 in the window manager's stacking order.
above() {
  local w i=0 a=-1 b=-1
  for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'); do
    [ $((w)) -eq $(($1)) ] && a=$i
    [ $((w)) -eq $(($2)) ] && b=$i
    i=$((i + 1))
  done
  [ $b -ge 0 ] && [ $a -gt $b ]
}

shot() { import -window root -depth 8 "ppm:$work/$1.ppm"; }

# With no locale set, as on a fresh minimal system: the French window titles must still reach
# the window list whole ("Démarrage" below).
xdotool mousemove 640 760
(cd "$work/prog" && HOME=$work/home exec env -u LC_ALL -u LC_CTYPE -u LANG ./tirelix) \
  >/dev/null 2>&1 &
pids+=($!)

# ---- First start: the welcome window, always on top, centred on the pointer (640,760) with its
# frame to the pixel or so, and still above the main window clicked.
main=$(poll titled Tirelix) || fail "no main window"
welcome=$(poll titled "Démarrage") || fail "no welcome window on a first start"
sleep 0.5
read -r wx wy ww wh < <(outer "$welcome")
dx=$((2 * wx + ww - 1280)) dy=$((2 * wy + wh - 1520))
[ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ] || fail "welcome window ${ww}x${wh} at $wx,$wy"
xprop -id "$welcome" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "welcome not on top"
read -r mx my _ < <(xwininfo -id "$main" | awk '/Absolute upper-left/ { printf "%s ", $NF }')
xdotool mousemove $((mx + 204)) $((my + 128)) click 1
sleep 0.5
above "$welcome" "$main" || fail "welcome window fell below the clicked main window"

# ---- OK by Enter: the paperclip's frame 100 twips (7 px) left of and below the main window's.
xdotool windowactivate --sync "$welcome" key Return
read -r _ bx by < <(poll client 269x180) || fail "the bubble did not open"
read -r paperclip _ < <(poll client 123x91) || fail "no paperclip window"
read -r ox oy _ < <(outer "$main")
read -r px py _ < <(outer "$paperclip")
[ "$px $py" = "$((ox - 7)) $((oy + 7))" ] || fail "paperclip at $px,$py, main window at $ox,$oy"

# ---- Next: the arrow beside Text1, its background cut away. The bubble active first, so that
# nothing but the arrow changes between the two pictures.
xdotool mousemove $((bx + 60)) $((by + 60)) click 1
sleep 0.5
shot before
xdotool mousemove $((bx + 140)) $((by + 140)) click 1
read -r arrow ax ay < <(poll client 48x47) || fail "no arrow window"
[ "$ax $ay" = "$((ox + 160)) $((oy + 264))" ] || fail "arrow at $ax,$ay, main window at $ox,$oy"
# What lies behind, with the picture's ink (all but its white) over it. A slow machine may
# paint the arrow a little after mapping it.
convert "$work/before.ppm" -crop "48x47+$ax+$ay" +repage \( "$assets/arrow.png" -transparent white \) \
  -composite "$work/expected.ppm"
cut_away() {
  shot after
  convert "$work/after.ppm" -crop "48x47+$ax+$ay" +repage "$work/cut.ppm"
  compare -metric AE "$work/expected.ppm" "$work/cut.ppm" null: 2>/dev/null
}
for _ in $(seq 1 20); do sleep 0.2; cut_away && break; done
cut_away || fail "arrow window not cut to its picture"

# The main window clicked and raised: the arrow stays above it.
xdotool mousemove $((mx + 500)) $((my + 150)) click 1
sleep 0.3
above "$arrow" "$main" || fail "arrow went below the main window"

# Dragged by its body with the left button, the window manager's own move; the program's own
# drag (any button) is the offscreen tests' case.
xdotool mousemove $((ax + 20)) $((ay + 22)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((ax + 20 + 10 * step)) $((ay + 22 + 5 * step))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
read -r _ x y < <(poll client 48x47)
# The window manager may take over the move after the first step on a slow machine: the arrow
# follows the pointer from there, down and to the right as it moved.
dx=$((x - ax)) dy=$((y - ay))
[ "$dx" -ge 10 ] && [ "$dx" -le 40 ] && [ "$dx" -eq $((2 * dy)) ] ||
  fail "arrow dragged to $x,$y from $ax,$ay"
echo "tour ran end to end"
