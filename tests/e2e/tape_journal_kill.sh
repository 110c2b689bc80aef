#!/usr/bin/env bash
# The Ticket Note survives kill -9: the built program, typed into at random on the X server in
# $DISPLAY, killed part-way through a burst of digits, started again. Each round the journal at
# the kill must hold the tape after the keys typed before the burst plus some first keys of the
# burst, the next start must put exactly that tape back and say so once, and a normal quit at the
# end must leave no journal.
set -u
exe=$1 rounds=${2:-50}
# shellcheck source=window_manager.sh
. "$(dirname "$0")/window_manager.sh"
require_x_tools
make_program_folder "$exe"
printf '"1"\r\n' >"$work/prog/Prem.eff"
start_window_manager "$work/home"
journal=$work/prog/blocnote.jnl

# The tape the journal replays to, as a Python literal; '' when there is none.
replay() {
  python3 - "$journal" <<'EOF'
import os, re, sys
data = open(sys.argv[1], "rb").read() if os.path.exists(sys.argv[1]) else b""
head, tape = b"Tirelix Ticket Note journal 1\n", ""
pos = len(head) if data.startswith(head) else len(data)
while (m := re.compile(rb"([as])(\d+):|c(\d+)\n").match(data, pos)) and (
        m[3] or data[m.end() + int(m[2]):][:1] == b"\n"):
    n, text = int(m[2] or m[3]), data[m.end():m.end() + int(m[2] or 0)].decode()
    tape = tape[:max(0, len(tape) - n)] if m[3] else tape + text if m[1] == b"a" else text
    pos = m.end() + (0 if m[3] else n + 1)
print(repr(tape))
EOF
}
windows() { xdotool search --onlyvisible --pid "$pid" --name '^Tirelix$' 2>/dev/null | wc -l; }
shown() { [ "$(windows)" "${2:--eq}" "$1" ]; }
# Starts the program, answers the restore message that `$1`, the tape left, calls for.
start() {
  (cd "$work/prog" && HOME=$work/home exec ./tirelix) >/dev/null 2>&1 &
  pid=$!
  pids+=("$pid")
  poll shown 1 -ge || fail "no main window"
  if [ "$1" != "''" ]; then
    poll shown 2 || fail "round $round: the restore was not said"
    xdotool key Return
    poll shown 1 || fail "round $round: the message stayed"
  fi
  main=$(xdotool search --onlyvisible --pid "$pid" --name '^Tirelix$')
}

expected="''"
for ((round = 1; round <= rounds; round++)); do
  start "$expected"
  [ "$(replay)" = "$expected" ] || fail "round $round: tape $(replay), not $expected"
  xdotool mousemove --window "$main" 268 259 click 1
  # Digits, "+", Enter and Backspace ("C"); no entry reaches the 15 digits that overflow.
  # shellcheck disable=SC2046
  xdotool key --delay $((RANDOM % 30)) $(for ((i = RANDOM % 4; i >= 0; i--)); do
    echo $RANDOM "$(shuf -n1 -e plus "plus $((RANDOM % 999)) Return" BackSpace)"
  done | sed 's/[0-9]/& /g')
  settled=$(replay)
  for _ in $(seq 1 50); do sleep 0.3; [ "$(replay)" = "$settled" ] && break; settled=$(replay); done
  digits=$(printf '%06d' $((RANDOM % 1000000)))
  xdotool key --delay $((RANDOM % 60 + 40)) $(echo "$digits" | sed 's/./& /g') &
  typing=$!
  sleep "0.$(printf %03d $((RANDOM % 500)))"
  kill -KILL "$pid"
  wait "$typing" "$pid" 2>/dev/null
  expected=$(replay)
  kept=$(for n in 0 1 2 3 4 5 6; do [ "$expected" = "${settled%\'}${digits:0:n}'" ] && echo $n; done)
  [ -n "$kept" ] || fail "round $round: journal $expected after $settled and burst $digits"
  echo "round $round: back with $kept of 6 burst keys"
done
start "$expected"
xdotool windowactivate --sync "$main" key alt+F4
poll shown 0 || fail "no normal quit"
wait "$pid"
[ ! -e "$journal" ] || fail "a normal quit left the journal"
echo "$rounds kills: the tape came back to the last key each time"
