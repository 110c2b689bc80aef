#!/usr/bin/env bash
# The built program's command line.
#
#   command_line.sh answers PROGRAM VERSION: with no display at all, --help and --version answer
#     in French on standard output and exit 0, skipping Qt's own options; what neither the
#     program nor Qt knows is refused in French on standard error with status 2.
#   command_line.sh wayland PROGRAM VERSION: on the X server in $DISPLAY with a Wayland
#     session's variables set, the main window comes up there; a platform the user names
#     (QT_QPA_PLATFORM or -platform) is the one Qt is asked for, even one that cannot start.
set -u
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
mode=$1 program=$2 version=$3

if [ "$mode" = answers ]; then
  # arguments | status | what the answer holds (standard output for 0, standard error otherwise)
  while IFS='|' read -r arguments status expected; do
    read -r -a argv <<<"$arguments"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
      timeout 20 "$program" "${argv[@]}" >"$work/out" 2>"$work/err"
    got=$?
    answer=$work/out silent=$work/err
    [ "$status" -eq 0 ] || answer=$work/err silent=$work/out
    [ "$got" -eq "$status" ] && grep -q -F -x -e "$expected" "$answer" && [ ! -s "$silent" ] ||
      fail "tirelix $arguments: status $got, out: $(cat "$work/out"), err: $(cat "$work/err")"
  done <<EOF_CASES
--help|0|Utilisation : tirelix [OPTION]
-h|0|  -V, --version    affiche la version et quitte
--version|0|Tirelix $version
-V|0|Tirelix $version
-platform offscreen -V|0|Tirelix $version
--style=fusion -reverse --display :99 --help|0|Utilisation : tirelix [OPTION]
--frobnicate|2|tirelix : option inconnue « --frobnicate »
-x -V|2|tirelix : option inconnue « -x »
note.cxt|2|tirelix : argument inattendu « note.cxt »
-style fusion mot|2|Pour en savoir plus : tirelix --help
EOF_CASES
  echo "ok: command line"
  exit 0
fi

require_x_tools
make_program_folder "$program"
printf '"1"\r\n' >"$work/prog/Prem.eff"
export HOME=$work/home WAYLAND_DISPLAY=wayland-fake XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM
"$work/prog/tirelix" >"$work/program.log" 2>&1 &
pids+=($!)
poll titled Tirelix >/dev/null || fail "no main window on X11: $(cat "$work/program.log")"
kill "${pids[-1]}" && wait "${pids[-1]}" 2>/dev/null

# Qt has no "tirelix-none" platform: told so, it must fail rather than fall back on X11.
for how in "env QT_QPA_PLATFORM=tirelix-none $work/prog/tirelix" "$work/prog/tirelix -platform tirelix-none"; do
  # shellcheck disable=SC2086
  timeout 20 $how >"$work/refused.log" 2>&1 && fail "$how started"
  grep -q tirelix-none "$work/refused.log" || fail "$how: $(cat "$work/refused.log")"
done
echo "ok: X11 in a Wayland session, the user's platform otherwise"
