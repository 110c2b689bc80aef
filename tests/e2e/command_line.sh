#!/usr/bin/env bash
# The built program's command line and the platform it asks Qt for.
#
#   command_line.sh answers PROGRAM VERSION: with no display at all, --help and --version answer
#     in French on standard output with status 0, past Qt's own options; what neither the
#     program nor Qt knows is refused in French on standard error with status 2. In a Wayland
#     session with an X display Qt is asked for X11 alone (left to itself it looks for its
#     Wayland platform first), unless the user names a platform; without one Qt chooses. Qt's
#     first words tell which platform it was asked for: here none can start.
#   command_line.sh wayland PROGRAM: on the X server in $DISPLAY, with a Wayland session's
#     variables set, the main window comes up there and Qt never looks for Wayland.
set -u
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
if [ "$1" = answers ]; then
  ulimit -c 0 # Qt aborts when it has no platform
  # environment | arguments | status | what the first line of standard output (status 0) or of
  # standard error (otherwise) holds; the other stream stays empty
  while IFS='|' read -r variables arguments status expected; do
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM $variables \
      timeout 20 "$2" $arguments >"$work/1" 2>"$work/2"
    got=$? answer=$work/$((status == 0 ? 1 : 2)) silent=$work/$((status == 0 ? 2 : 1))
    [ "$got" -eq "$status" ] && head -n1 "$answer" | grep -q -F -e "$expected" && [ ! -s "$silent" ] ||
      fail "$variables tirelix $arguments: status $got, out: $(cat "$work/1"), err: $(cat "$work/2")"
  done <<EOF_CASES
|--help|0|Utilisation : tirelix [OPTION]
|-h|0|Utilisation : tirelix [OPTION]
|--version|0|Tirelix $3
|-platform offscreen --style=fusion -reverse --display :9 -V|0|Tirelix $3
|--frobnicate|2|tirelix : option inconnue « --frobnicate »
|-x -V|2|tirelix : option inconnue « -x »
|-style fusion note.cxt|2|tirelix : argument inattendu « note.cxt »
XDG_SESSION_TYPE=wayland DISPLAY=:7777||134|could not connect to display :7777
WAYLAND_DISPLAY=w XDG_SESSION_TYPE=wayland||134|plugin "wayland"
XDG_SESSION_TYPE=wayland DISPLAY=:7777 QT_QPA_PLATFORM=tirelix-none||134|plugin "tirelix-none"
XDG_SESSION_TYPE=wayland DISPLAY=:7777|-platform tirelix-none|134|plugin "tirelix-none"
EOF_CASES
  exit 0
fi
require_x_tools
make_program_folder "$2"
env -u QT_QPA_PLATFORM HOME="$work/home" WAYLAND_DISPLAY=wayland-fake XDG_SESSION_TYPE=wayland \
  "$work/prog/tirelix" >"$work/log" 2>&1 &
pids+=($!)
poll titled Tirelix >/dev/null || fail "no main window on X11: $(cat "$work/log")"
! grep -i wayland "$work/log" || fail "Qt was asked for Wayland"
