#!/usr/bin/env bash
# Starts the built program on the X server in $DISPLAY and waits for its main window.
set -u
exe=$1
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run under Xvfb" >&2; exit 1; }
home=$(mktemp -d)
HOME=$home "$exe" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Tirelix": ('; then
    kill -0 $pid || { echo "program exited" >&2; exit 1; }
    echo "main window mapped"
    exit 0
  fi
  sleep 0.1
done
echo "no window titled Tirelix appeared" >&2
exit 1
