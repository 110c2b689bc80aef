#!/usr/bin/env bash
# The guided tour in the built program, under a window manager on the X server in $DISPLAY:
# the first start's welcome window above a main window that ignores clicks, the tour with the
# shaped arrow (its cut-away pixels show what lies behind it) staying above the main window,
# the goodbye that closes the assistant, and a second start without the welcome.
set -u
exe=$1
assets=$2
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools xdotool xwininfo xprop import convert python3
make_work_folder

# A program folder of its own, with the first-run marker set.
mkdir "$work/prog" "$work/home"
cp "$exe" "$work/prog/tirelix"
cp "$(dirname "$exe")/Pub1.gif" "$(dirname "$exe")/MainTacheG.ico" "$work/prog/"
printf '"0"\r\n' > "$work/prog/Prem.eff"
printf '"0"\r\n' > "$work/prog/Pub.eff"
printf '""\r\n' > "$work/prog/Site.eff"

start_window_manager "$work/home" || fail "the window manager did not start"

# With no locale set, as on a fresh minimal system: the French window titles must still reach
# the window list whole ("Démarrage" below).
start_program() {
  (cd "$work/prog" && HOME=$work/home exec env -u LC_ALL -u LC_CTYPE -u LANG ./tirelix) \
    >/dev/null 2>&1 &
  app=$!
  pids+=($app)
}

# The id of the first visible window with this exact title, waiting for it.
wait_titled() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Absolute x y of the program's mapped client window of this size, if any.
client_at() {
  xwininfo -root -tree 2>/dev/null | awk -v size="$1" '
    /\("tirelix" "tirelix"\)/ && index($0, " " size "+") {
      n = split($NF, p, "+"); print p[2], p[3]; exit }'
}

client_id() {
  xwininfo -root -tree 2>/dev/null | awk -v size="$1" '
    /\("tirelix" "tirelix"\)/ && index($0, " " size "+") { print $1; exit }'
}

wait_client() {
  for _ in $(seq 1 100); do
    at=$(client_at "$1")
    [ -n "$at" ] && { echo "$at"; return 0; }
    sleep 0.1
  done
  return 1
}

stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g'; }
# True when window $1 is above window $2 in the window manager's stacking order.
above() {
  local order i=0 a=-1 b=-1
  order=$(stacking)
  for w in $order; do
    [ $((w)) -eq $(($1)) ] && a=$i
    [ $((w)) -eq $(($2)) ] && b=$i
    i=$((i + 1))
  done
  [ $a -ge 0 ] && [ $b -ge 0 ] && [ $a -gt $b ]
}

# Where a client window's area starts on the screen.
client_corner() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                           END { print x, y }'
}

# The frame's left, right, top and bottom widths around a client window (0 without a frame).
frame_extents() {
  local e
  e=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp')
  set -- $e
  echo "${1:-0} ${2:-0} ${3:-0} ${4:-0}"
}

# Outer (frame) corner of a client window: its area's corner less the frame's left and top.
outer_corner() {
  local x y left right top bottom
  read -r x y < <(client_corner "$1")
  read -r left right top bottom < <(frame_extents "$1")
  echo $((x - left)) $((y - top))
}

# Outer (frame) width and height of a client window.
outer_size() {
  local w h left right top bottom
  read -r w h < <(xwininfo -id "$1" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h }')
  read -r left right top bottom < <(frame_extents "$1")
  echo $((w + left + right)) $((h + top + bottom))
}

shot() { import -window root -depth 8 "ppm:$1"; }

xdotool mousemove 640 760
start_program

# ---- First start: the welcome window above a main window that takes no input.
main=$(wait_titled Tirelix) || fail "no main window"
welcome=$(wait_titled "Démarrage") || fail "no welcome window on a first start"
sleep 0.5
above "$welcome" "$main" || fail "welcome window not above the main window"
# Centred on the pointer (640,760) with its frame: twice its centre, to the pixel or so.
read -r wx wy < <(outer_corner "$welcome")
read -r ww wh < <(outer_size "$welcome")
dx=$((2 * wx + ww - 1280)) dy=$((2 * wy + wh - 1520))
[ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ] ||
  fail "welcome window ${ww}x${wh} at $wx,$wy, not centred on the pointer at 640,760"
xprop -id "$welcome" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "welcome not always on top"

read -r mx my < <(client_corner "$main")
# The calculator's 7 and its display, in the main window's client area.
key7="$((mx + 204)) $((my + 128))"
display="153x24+$((mx + 192))+$((my + 88))"
shot "$work/before.ppm"
xdotool mousemove $key7 click 1
sleep 0.5
shot "$work/after.ppm"
python3 - "$work/before.ppm" "$work/after.ppm" "$display" <<'PY' || fail "the disabled main window took a click"
import sys
def ppm(path):
    data = open(path, 'rb').read()
    parts, pos = [], 0
    while len(parts) < 4:
        while data[pos:pos+1].isspace(): pos += 1
        end = pos
        while not data[end:end+1].isspace(): end += 1
        parts.append(data[pos:end]); pos = end
    w, h = int(parts[1]), int(parts[2])
    return w, data[pos+1:]
(w, a), (_, b) = ppm(sys.argv[1]), ppm(sys.argv[2])
size, x, y = sys.argv[3].split('+'); cw, ch = map(int, size.split('x')); x, y = int(x), int(y)
rows = lambda img: [img[((y + r) * w + x) * 3:((y + r) * w + x + cw) * 3] for r in range(ch)]
sys.exit(0 if rows(a) == rows(b) else 1)
PY
above "$welcome" "$main" || fail "welcome window fell below the clicked main window"

# ---- OK by Enter: the marker is written and the paperclip opens the bubble by itself.
xdotool windowactivate --sync "$welcome" key Return
for _ in $(seq 1 30); do cmp -s "$work/prog/Prem.eff" <(printf '"1"\r\n') && break; sleep 0.1; done
cmp -s "$work/prog/Prem.eff" <(printf '"1"\r\n') || fail "Prem.eff does not hold the quoted 1"
read -r bx by < <(wait_client 269x180) || fail "the bubble did not open"
paperclip=$(client_id 123x91)
[ -n "$paperclip" ] || fail "no paperclip window"
xprop -id "$paperclip" _NET_WM_NAME | grep -q '= " "$' ||
  fail "the paperclip's title bar has a text: $(xprop -id "$paperclip" _NET_WM_NAME)"
# Its frame 100 twips (7 px) left of and below the main window's outer corner.
read -r ox oy < <(outer_corner "$main")
read -r px py < <(outer_corner "$paperclip")
[ "$px $py" = "$((ox - 7)) $((oy + 7))" ] ||
  fail "paperclip at $px,$py, expected the main window's corner $ox,$oy plus -7,+7"

# ---- Next: the arrow beside Text1, its background cut away.
# The bubble active first, so that nothing but the arrow changes between the two pictures.
xdotool mousemove $((bx + 60)) $((by + 60)) click 1
sleep 0.5
shot "$work/before.ppm"
xdotool mousemove $((bx + 140)) $((by + 140)) click 1
read -r ax ay < <(wait_client 48x47) || fail "no arrow window"
[ "$ax $ay" = "$((ox + 160)) $((oy + 264))" ] ||
  fail "arrow at $ax,$ay, expected the main window's corner $ox,$oy plus 160,264"
convert "$assets/arrow.png" -depth 8 "ppm:$work/arrow.ppm"
arrow_cut() {
  shot "$work/after.ppm"
  python3 - "$work/before.ppm" "$work/after.ppm" "$work/arrow.ppm" "$ax" "$ay" <<'PY'
import sys
def ppm(path):
    data = open(path, 'rb').read()
    parts, pos = [], 0
    while len(parts) < 4:
        while data[pos:pos+1].isspace(): pos += 1
        end = pos
        while not data[end:end+1].isspace(): end += 1
        parts.append(data[pos:end]); pos = end
    return int(parts[1]), int(parts[2]), data[pos+1:]
w, _, before = ppm(sys.argv[1]); _, _, after = ppm(sys.argv[2]); aw, ah, arrow = ppm(sys.argv[3])
ax, ay = int(sys.argv[4]), int(sys.argv[5])
px = lambda img, width, x, y: img[(y * width + x) * 3:(y * width + x) * 3 + 3]
bad = 0
for y in range(47):
    for x in range(48):
        ink = x < aw and y < ah and px(arrow, aw, x, y) != b'\xff\xff\xff'
        want = px(arrow, aw, x, y) if ink else px(before, w, ax + x, ay + y)
        bad += px(after, w, ax + x, ay + y) != want
print(bad, "pixels differ")
sys.exit(bad != 0)
PY
}
# A slow machine may paint the arrow a little after mapping it.
cut=no
for _ in $(seq 1 20); do
  sleep 0.2
  arrow_cut >/dev/null && { cut=yes; break; }
done
[ $cut = yes ] || { arrow_cut; fail "arrow window not cut to its picture"; }
arrow=$(client_id 48x47)
[ -n "$arrow" ] || fail "arrow window id not found"

# The main window clicked and raised: the arrow stays above it.
xdotool mousemove $((mx + 500)) $((my + 150)) click 1
sleep 0.3
above "$arrow" "$main" || fail "arrow went below the main window"

# Dragged by its body with the right button, then back with the left one (the window manager's
# own move); the clicks after that still reach the program.
drag() {
  local button=$1 from_x=$2 from_y=$3 by_x=$4 by_y=$5 step
  xdotool mousemove $((from_x + 20)) $((from_y + 22)) mousedown "$button"
  for step in 1 2 3 4; do
    xdotool mousemove $((from_x + 20 + by_x * step / 4)) $((from_y + 22 + by_y * step / 4))
    sleep 0.05
  done
  xdotool mouseup "$button"
  sleep 0.3
  read -r dx dy < <(client_at 48x47)
  [ "$dx $dy" = "$((from_x + by_x)) $((from_y + by_y))" ] ||
    fail "arrow dragged with button $button to $dx,$dy, not $((from_x + by_x)),$((from_y + by_y))"
}
drag 3 "$ax" "$ay" 40 20
drag 1 $((ax + 40)) $((ay + 20)) -40 -20

# ---- Quit: goodbye, then the wink and the closing of the three windows.
xdotool mousemove $((bx + 204)) $((by + 140)) click 1
for _ in $(seq 1 60); do
  [ -z "$(client_at 269x180)$(client_at 48x47)$(client_at 123x91)" ] && break
  sleep 0.1
done
[ -z "$(client_at 269x180)$(client_at 48x47)$(client_at 123x91)" ] || fail "assistant still open"
xdotool search --onlyvisible --name '^Tirelix$' >/dev/null || fail "main window gone"

# ---- Second start: no welcome.
kill "$app"; wait "$app" 2>/dev/null
start_program
wait_titled Tirelix >/dev/null || fail "no main window at the second start"
sleep 1
xdotool search --onlyvisible --name "^Démarrage\$" >/dev/null 2>&1 && fail "welcome shown again"
echo "tour ran end to end"
exit 0
