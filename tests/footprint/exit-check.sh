#!/usr/bin/env bash
# Ends the game while its opening tune is sounding, the ways a player's
# system does: SIGTERM (kill, a logout), SIGINT (Ctrl+C in a terminal), and
# PER USCIRE answered with "Sì". Each time the game must be gone within a few
# seconds, once with no session bus and once inside a private one, as on a
# desktop. The limit only catches a game that hangs on; the times are printed.
# Usage: exit-check.sh GAME
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
command -v dbus-run-session >/dev/null ||
  { echo "dbus-run-session is missing: scripts/install-deps.sh installs it"; exit 1; }
start_display
limit_s=5
failed=0

# SDL's dummy driver: a device that always opens and plays in real time.
sound=(SDL_AUDIODRIVER=dummy)

# Starts the game with no session bus ("none") or a private one ("private").
# Sets pid to the game's own process and launcher to the one started here:
# the game itself, or dbus-run-session, which ends with the game and reports
# its status the same way.
start_game() {
  rm -f "$work/game.log"
  if [ "$1" = none ]; then
    "${clean_env[@]}" "${sound[@]}" "$game" >"$work/game.log" 2>&1 &
    launcher=$!
    pid=$launcher
    started+=("$launcher")
    return
  fi
  "${clean_env[@]}" "${sound[@]}" dbus-run-session -- "$game" >"$work/game.log" 2>&1 &
  launcher=$!
  started+=("$launcher")
  local child
  pid=
  for _ in $(seq 100); do
    for child in $(cat /proc/"$launcher"/task/*/children 2>/dev/null); do
      [ "$(readlink /proc/"$child"/exe 2>/dev/null)" = "$game" ] && pid=$child
    done
    [ -n "$pid" ] && return
    sleep 0.1
  done
  echo "dbus-run-session did not start the game:"
  cat "$work/game.log"
  exit 1
}

# Waits until the game has a sound device open, that is, until the opening
# tune is being played: SDL feeds an open device from a thread of its own.
wait_for_tune() {
  local task
  for _ in $(seq 200); do
    for task in /proc/"$pid"/task/*; do
      case $(cat "$task/comm" 2>/dev/null) in SDLAudio*) return 0 ;; esac
    done
    sleep 0.05
  done
  return 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits up to limit_s from `since` (ms) for process $1 to end and sets took
# to how long it took, in ms. Fails when it is still there. (It runs in this
# shell, not in a subshell: this shell reaps its own children meanwhile.)
ended_since() {
  local since=$2
  while kill -0 "$1" 2>/dev/null; do
    [ $(($(now_ms) - since)) -ge $((limit_s * 1000)) ] && return 1
    sleep 0.01
  done
  took=$(($(now_ms) - since))
}

# Clicks PER USCIRE and answers "Sì" (the default button) with Return;
# sets since to the moment of the answer.
answer_yes() {
  local win box
  win=$(game_window)
  eval "$(xdotool getwindowgeometry --shell "$win")"
  local menu=$((HEIGHT - 554)) # the menu bar sits above the 792 x 554 client area
  xdotool mousemove --window "$win" $((632 + 76)) $((menu + 416 + 40)) click 1
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zanfrino$' | head -n 1)
  [ -n "$box" ] || { echo "PER USCIRE did not ask 'Vuoi veramente uscire?'"; return 1; }
  sleep 0.2
  since=$(now_ms)
  xdotool key Return
}

# check BUS HOW: ends a game started with BUS by HOW (TERM, INT or yes). A
# signal must end it as the signal's default action does (status 128 + its
# number), "Sì" with status 0.
check() {
  local bus=$1 how=$2 since took status=0 want=0
  start_game "$bus"
  if [ -z "$(game_window)" ]; then
    echo "FAIL the game's window did not appear:"
    cat "$work/game.log"
    failed=1
    return
  fi
  if ! wait_for_tune; then
    echo "FAIL ($bus bus) the opening tune never started: no sound device was opened"
    failed=1
    return
  fi
  if [ "$how" = yes ]; then
    answer_yes || { failed=1; return; }
  else
    want=$((128 + $(kill -l "$how")))
    since=$(now_ms)
    kill -s "$how" "$pid"
  fi
  if ! ended_since "$pid" "$since"; then
    echo "FAIL ($bus bus) after $how, still running $limit_s s later"
    kill -KILL "$pid" 2>/dev/null || true
    failed=1
    return
  fi
  local game_took=$took
  if ! ended_since "$launcher" "$(now_ms)"; then
    echo "FAIL ($bus bus) dbus-run-session did not end with the game"
    failed=1
    return
  fi
  wait "$launcher" || status=$?
  if [ "$status" -ne "$want" ]; then
    echo "FAIL ($bus bus) after $how, the game ended in $game_took ms with status $status, not $want:"
    cat "$work/game.log"
    failed=1
    return
  fi
  echo "ok   ($bus bus) after $how, the game ended in $game_took ms"
}

for bus in none private; do
  check "$bus" TERM
  check "$bus" INT
  check "$bus" yes
done
exit "$failed"
