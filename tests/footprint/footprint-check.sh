#!/usr/bin/env bash
# Plays a short session of the game under strace, then has trace-verdict.py
# judge everything it touched: no file written, only the system's files read,
# no socket but the X server's and the sound server's.
# Usage: footprint-check.sh GAME   (FOOTPRINT_LIST=1 also lists what was allowed)
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
start_display

"${clean_env[@]}" "${traced[@]}" "$game" >"$work/game.log" 2>&1 &
game_pid=$!
started+=("$game_pid")

win=$(game_window)
[ -n "$win" ] || { echo "the game's window did not appear"; cat "$work/game.log"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 554)) # the menu bar sits above the 792 x 554 client area
sleep 1

# Clicks the middle of a button, given as in the game: left top width height.
click() {
  xdotool mousemove --window "$win" $(($1 + $3 / 2)) $((menu + $2 + $4 / 2)) click 1
  sleep 0.3
}
click 504 264 121 81 # NUOVO RETTANGOLO
click 8 424 81 73    # RUOTA ORARIO
click 632 264 145 81 # ASSEGNA
xdotool key alt+p    # Punteggio
sleep 0.3
click 632 416 153 81 # PER USCIRE
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zanfrino$' | head -n 1)
[ -n "$box" ] || { echo "PER USCIRE did not ask 'Vuoi veramente uscire?'"; exit 1; }
sleep 0.3
xdotool key Return # "Sì", the default button

for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "the game did not end within 10 s of 'Sì'"
  exit 1
fi
status=0
wait "$game_pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "the game ended with status $status:"
  cat "$work/game.log"
  exit 1
fi

list=()
[ "${FOOTPRINT_LIST:-}" = 1 ] && list=(--list)
"$here/trace-verdict.py" "$work/trace" --sandbox "$sandbox" --game "$game" \
  --display "${display#:}" "${list[@]}"
