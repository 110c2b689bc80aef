#!/usr/bin/env bash
# Starts the built program on the X server in $DISPLAY and waits for its main window.
set -u
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools
mkdir "$work/home"
HOME=$work/home "$1" &
pids+=($!)
wait_titled Tirelix >/dev/null && kill -0 "${pids[0]}" || fail "no window titled Tirelix"
echo "main window mapped"
