#!/usr/bin/env bash
# Leaves the game alone once its opening tune is over and measures the
# processor time it takes in 10 s: a game waiting for the player must sleep,
# not poll. Also lists its threads.
# Usage: idle-check.sh GAME
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
start_display
limit_ms=20
idle_s=10

"${clean_env[@]}" "$game" >"$work/game.log" 2>&1 &
pid=$!
started+=("$pid")
[ -n "$(game_window)" ] || { echo "the game's window did not appear"; cat "$work/game.log"; exit 1; }

# The opening tune lasts 8 s; the sound device is let go 1 s after it ends.
sleep 10

# Writes one line per thread: id, processor time (utime + stime, in clock
# ticks), name.
threads() {
  local task stat fields
  kill -0 "$pid" 2>/dev/null || { echo "the game is gone:" >&2; cat "$work/game.log" >&2; exit 1; }
  for task in /proc/"$pid"/task/*; do
    stat=$(<"$task/stat") || continue # a thread may end meanwhile
    fields=(${stat##*) })              # from field 3, state, on
    echo "${task##*/} $((fields[11] + fields[12])) $(<"$task/comm")"
  done
}

threads >"$work/before" # also makes sure the game is still there
before=$(cpu_ticks "$pid")
sleep "$idle_s"
threads >"$work/after"
after=$(cpu_ticks "$pid")

tick=$(getconf CLK_TCK)
used_ms=$(((after - before) * 1000 / tick))
echo "idle for ${idle_s} s: ${used_ms} ms of processor time (at most ${limit_ms} ms)"
echo "$(wc -l <"$work/after") threads (id, ms while idle, name):"
awk -v tick="$tick" 'NR == FNR { was[$1] = $2; next }
  { name = $3; for (i = 4; i <= NF; i++) name = name " " $i
    printf "  %-8s %5d  %s\n", $1, ($2 - was[$1]) * 1000 / tick, name }' \
  "$work/before" "$work/after"
[ "$used_ms" -le "$limit_ms" ]
