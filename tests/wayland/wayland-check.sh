#!/usr/bin/env bash
# The real game on a private Wayland compositor (weston, headless, with no
# X server behind it): it must come up as a Wayland client of its own, show
# its 792 x 554 client area, sleep while it waits, and end on SIGTERM as it
# does under X11, writing nothing on stderr. Then, inside a private session
# bus, PER USCIRE (pressed over AT-SPI: the compositor has no seat) must
# ask its question in a window that names the game's window as its parent,
# with the title whole in the title bar Qt draws, and "Sì" must end the game.
# The waits only catch a game that hangs; the times are generous.
# Usage: wayland-check.sh GAME
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../footprint/common.sh"
for tool in weston weston-debug weston-screenshooter dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh installs it"; exit 1; }
done
limit_s=10
failed=0

fail() {
  echo "FAIL $*"
  failed=1
}

# Starts weston on a socket in the sandbox's runtime folder, which is the
# game's, and waits for it. --debug lets the screenshooter and weston-debug
# in; --idle-time=0 keeps the output from going to sleep, after which no
# screenshot would ever come; pixman renders the screenshots.
start_compositor() {
  local socket=wayland-zanfria
  "${clean_env[@]}" weston --backend=headless-backend.so --socket="$socket" --no-config \
    --idle-time=0 --debug --use-pixman --width=1280 --height=1024 \
    --log="$work/weston.log" >"$work/weston.out" 2>&1 &
  started+=($!)
  for _ in $(seq 200); do
    [ -S "$sandbox/run/$socket" ] && break
    sleep 0.1
  done
  if ! [ -S "$sandbox/run/$socket" ]; then
    echo "weston did not start:" >&2
    cat "$work/weston.log" "$work/weston.out" >&2
    exit 1
  fi
  clean_env+=(WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland)
}

# Prints what weston shows of toplevel window $1 of process $2: its place as
# "LEFT TOP RIGHT BOTTOM". Prints nothing until it is on the screen.
window_place() {
  "${clean_env[@]}" weston-debug scene-graph 2>/dev/null |
    awk -v title="$1" -v pid="$2" '
      index($0, "role xdg_toplevel, PID " pid ",") && index($0, "top-level window '\''" title "'\''") { found = 1; next }
      found && /position:/ { gsub(/[(),]|->/, " "); print $2, $3, $4, $5; exit }'
}

# Waits up to 30 s for window $1 of process $2 and sets place.
wait_for_window() {
  place=
  for _ in $(seq 150); do
    place=$(window_place "$1" "$2" || true)
    [ -n "$place" ] && return 0
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Takes a screenshot and reads it with screen.py ARGS...; tries again for up
# to 30 s until test $1 holds of the reading, which it leaves in seen.
look_until() {
  local holds=$1 shot
  shift
  for _ in $(seq 30); do
    rm -f "$sandbox"/home/wayland-screenshot-*.png
    timeout 20 "${clean_env[@]}" weston-screenshooter >/dev/null 2>&1 || true
    seen=
    for shot in "$sandbox"/home/wayland-screenshot-*.png; do
      [ -e "$shot" ] && seen=$("$here/screen.py" "$@" "$shot")
    done
    "$holds" && return 0
    sleep 1
  done
  return 1
}
client_area_as_designed() { [ "$seen" = "792 x 554" ]; }
# A clipped title ends where the buttons' room begins, 10 pixels or less
# short of the first button.
title_clear_of_buttons() { [ -n "$seen" ] && [ "$seen" -gt 12 ]; }

# The toplevel that the title $1 was given to in the compositor's log, as
# "client ID rq xdg_toplevel@N".
toplevel_titled() {
  grep -F ".set_title(\"$1\")" "$work/proto.log" |
    grep -oE 'client [^ ]+ rq xdg_toplevel@[0-9]+' | tail -n 1 || true
}

# Waits up to limit_s for the game, started in this shell as $1, to end;
# sets status to how it ended.
ended() {
  for _ in $(seq $((limit_s * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    kill -KILL "$1"
    wait "$1" 2>/dev/null || true
    return 1
  fi
  status=0
  wait "$1" || status=$?
}

# After $1 the game must end, with status $2 and nothing on stderr.
expect_end() {
  if ! ended "$pid"; then
    fail "after $1, still running $limit_s s later"
  elif [ "$status" -ne "$2" ]; then
    fail "after $1, the game ended with status $status, not $2"
  else
    echo "ok   after $1, the game ended with status $status"
  fi
  if [ -s "$work/game.err" ]; then
    fail "the game wrote on stderr:"
    cat "$work/game.err"
  else
    echo "ok   nothing on stderr"
  fi
}

start_compositor
title='Il vestito di Zanfrino'

# On its own: the client area, the idle processor time, SIGTERM.
"${clean_env[@]}" "$game" >"$work/game.out" 2>"$work/game.err" &
pid=$!
started+=("$pid")
if ! wait_for_window "$title" "$pid"; then
  echo "FAIL the game's window did not come up as a Wayland window of the game:"
  cat "$work/game.out" "$work/game.err" "$work/weston.log"
  exit 1
fi
echo "ok   the game's window is a Wayland toplevel of the game, at $place"

if look_until client_area_as_designed client-area; then
  echo "ok   the client area is 792 x 554"
else
  fail "the client area is ${seen:-nowhere to be seen}, not 792 x 554"
fi

# As idle-check.sh does: the opening tune, if any, is over and its device let go.
sleep 10
kill -0 "$pid" 2>/dev/null || { echo "FAIL the game is gone:"; cat "$work/game.err"; exit 1; }
idle_s=10
limit_ms=20
before=$(cpu_ticks "$pid")
sleep "$idle_s"
after=$(cpu_ticks "$pid")
used_ms=$(((after - before) * 1000 / $(getconf CLK_TCK)))
if [ "$used_ms" -le "$limit_ms" ]; then
  echo "ok   idle for $idle_s s: $used_ms ms of processor time (at most $limit_ms ms)"
else
  fail "idle for $idle_s s: $used_ms ms of processor time, more than $limit_ms ms"
fi

kill -TERM "$pid"
expect_end SIGTERM 143 # 128 + SIGTERM, as on X11

# In a private session bus, which starts the accessibility bus: PER USCIRE.
start_server "$work/bus" "$work/bus.log" \
  "${clean_env[@]}" dbus-daemon --session --nofork --print-address=3
bus=$(head -n 1 "$work/bus")
[ -n "$bus" ] || { echo "FAIL the session bus did not start"; exit 1; }
# What the compositor is asked, client by client, from now on.
"${clean_env[@]}" weston-debug proto -o "$work/proto.log" &
started+=($!)
a11y=(DBUS_SESSION_BUS_ADDRESS="$bus" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
"${clean_env[@]}" "${a11y[@]}" "$game" >"$work/game.out" 2>"$work/game.err" &
pid=$!
started+=("$pid")
wait_for_window "$title" "$pid" || { echo "FAIL the game's window did not come up"; exit 1; }

"${clean_env[@]}" "${a11y[@]}" "$here/press.py" "$pid" "Per uscire" || exit 1
if ! wait_for_window Zanfrino "$pid"; then
  echo "FAIL PER USCIRE asked nothing"
  cat "$work/game.err"
  exit 1
fi
box=$place
# Asked by the same client, the question's toplevel has the game's for its parent.
game_toplevel=$(toplevel_titled "$title")
box_toplevel=$(toplevel_titled Zanfrino)
if [ -n "$game_toplevel" ] && [ -n "$box_toplevel" ] &&
  grep -qF "$box_toplevel.set_parent(${game_toplevel##* })" "$work/proto.log"; then
  echo "ok   the question's window is a dialog of the game's window (xdg_toplevel.set_parent)"
else
  fail "the question's window has not the game's window for its parent; the game asked:"
  grep -E 'xdg_toplevel@[0-9]+\.(set_parent|set_title)' "$work/proto.log" || true
fi

# shellcheck disable=SC2086 # the place is four numbers
if look_until title_clear_of_buttons title-gap $box; then
  echo "ok   the question's title stands whole, $seen pixels clear of the title bar's buttons"
else
  fail "the question's title is clipped by the title bar's buttons (${seen:-no title bar seen}${seen:+ pixels clear})"
fi

"${clean_env[@]}" "${a11y[@]}" "$here/press.py" "$pid" "Sì" || exit 1
expect_end Sì 0
exit "$failed"
