#!/usr/bin/env bash
# The guided tour in the built program, under a window manager on the X server in $DISPLAY:
# the first start's welcome window above a main window that ignores clicks, the tour with the
# shaped arrow (its cut-away pixels show what lies behind it) staying above the main window,
# the goodbye that closes the assistant, and a second start without the welcome.
set -u
exe=$1 assets=$2
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools import convert compare
make_program_folder "$exe"
start_window_manager "$work/home"

# With no locale set, as on a fresh minimal system: the French window titles must still reach
# the window list whole ("Démarrage" below).
start_program() {
  (cd "$work/prog" && HOME=$work/home exec env -u LC_ALL -u LC_CTYPE -u LANG ./tirelix) \
    >/dev/null 2>&1 &
  app=$!
  pids+=($app)
}

# "id x y" of the program's mapped client window of this size, waiting (10 s) for it.
client() {
  for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | awk -v size="$1" '
      /\("tirelix" "tirelix"\)/ && index($0, " " size "+") { split($NF, p, "+")
        print $1, p[2], p[3]; found = 1; exit } END { exit !found }' && return 0
    sleep 0.1
  done
  return 1
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
# The area of the screen the same in two shots.
same() { compare -metric AE ${3:+-extract "$3"} "$work/$1.ppm" "$work/$2.ppm" null: 2>/dev/null; }

xdotool mousemove 640 760
start_program

# ---- First start: the welcome window, always on top, centred on the pointer (640,760) with its
# frame to the pixel or so, above a main window that takes no input.
main=$(wait_titled Tirelix) || fail "no main window"
welcome=$(wait_titled "Démarrage") || fail "no welcome window on a first start"
sleep 0.5
above "$welcome" "$main" || fail "welcome window not above the main window"
read -r wx wy ww wh < <(outer "$welcome")
dx=$((2 * wx + ww - 1280)) dy=$((2 * wy + wh - 1520))
[ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ] || fail "welcome window ${ww}x${wh} at $wx,$wy"
xprop -id "$welcome" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "welcome not on top"
read -r mx my _ < <(xwininfo -id "$main" | awk '/Absolute upper-left/ { printf "%s ", $NF }')
# The calculator's 7, clicked, and its display, unchanged.
shot before
xdotool mousemove $((mx + 204)) $((my + 128)) click 1
sleep 0.5
shot after
same before after "153x24+$((mx + 192))+$((my + 88))" || fail "the disabled main window took a click"
above "$welcome" "$main" || fail "welcome window fell below the clicked main window"

# ---- OK by Enter: the marker is written and the paperclip, with no text in its title bar, its
# frame 100 twips (7 px) left of and below the main window's, opens the bubble by itself.
xdotool windowactivate --sync "$welcome" key Return
wait_value "$work/prog/Prem.eff" 1 || fail "Prem.eff does not hold the quoted 1"
read -r _ bx by < <(client 269x180) || fail "the bubble did not open"
read -r paperclip _ < <(client 123x91) || fail "no paperclip window"
xprop -id "$paperclip" _NET_WM_NAME | grep -q '= " "$' || fail "the paperclip's title has a text"
read -r ox oy _ < <(outer "$main")
read -r px py _ < <(outer "$paperclip")
[ "$px $py" = "$((ox - 7)) $((oy + 7))" ] || fail "paperclip at $px,$py, main window at $ox,$oy"

# ---- Next: the arrow beside Text1, its background cut away. The bubble active first, so that
# nothing but the arrow changes between the two pictures.
xdotool mousemove $((bx + 60)) $((by + 60)) click 1
sleep 0.5
shot before
xdotool mousemove $((bx + 140)) $((by + 140)) click 1
read -r arrow ax ay < <(client 48x47) || fail "no arrow window"
[ "$ax $ay" = "$((ox + 160)) $((oy + 264))" ] || fail "arrow at $ax,$ay, main window at $ox,$oy"
# What lies behind, with the picture's ink (all but its white) over it. A slow machine may
# paint the arrow a little after mapping it.
convert "$work/before.ppm" -crop "48x47+$ax+$ay" +repage \( "$assets/arrow.png" -transparent white \) \
  -composite "$work/expected.ppm"
for _ in $(seq 1 20); do
  sleep 0.2
  shot after
  convert "$work/after.ppm" -crop "48x47+$ax+$ay" +repage "$work/cut.ppm"
  same expected cut && break
done
same expected cut || fail "arrow window not cut to its picture"

# The main window clicked and raised: the arrow stays above it.
xdotool mousemove $((mx + 500)) $((my + 150)) click 1
sleep 0.3
above "$arrow" "$main" || fail "arrow went below the main window"

# Dragged by its body with the right button, then back with the left one (the window manager's
# own move); the clicks after that still reach the program.
for drag in "3 40 20" "1 -40 -20"; do
  read -r button by_x by_y <<<"$drag"
  read -r _ from_x from_y < <(client 48x47)
  xdotool mousemove $((from_x + 20)) $((from_y + 22)) mousedown "$button"
  for step in 1 2 3 4; do
    xdotool mousemove $((from_x + 20 + by_x * step / 4)) $((from_y + 22 + by_y * step / 4))
    sleep 0.05
  done
  xdotool mouseup "$button"
  sleep 0.3
  read -r _ x y < <(client 48x47)
  [ "$x $y" = "$((from_x + by_x)) $((from_y + by_y))" ] || fail "arrow dragged with $button to $x,$y"
done

# ---- Quit: goodbye, then the wink and the closing of the three windows.
xdotool mousemove $((bx + 204)) $((by + 140)) click 1
for _ in $(seq 1 60); do
  xwininfo -root -tree | grep -q -E '"tirelix" "tirelix"\).* (269x180|48x47|123x91)\+' || break
  sleep 0.1
done
! xwininfo -root -tree | grep -E '"tirelix" "tirelix"\).* (269x180|48x47|123x91)\+' ||
  fail "assistant still open"
wait_titled Tirelix >/dev/null || fail "main window gone"

# ---- Second start: no welcome.
kill "$app"
wait "$app" 2>/dev/null
start_program
wait_titled Tirelix >/dev/null || fail "no main window at the second start"
sleep 1
! xdotool search --onlyvisible --name '^Démarrage$' >/dev/null || fail "welcome shown again"
echo "tour ran end to end"
