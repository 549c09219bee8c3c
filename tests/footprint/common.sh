# Shared by the footprint checks (sourced): a fresh account for one run of the
# game, the way it is traced, and a private X display. Everything started
# through `started` is ended, and the work folder removed, on exit.

for tool in strace Xvfb xdotool python3; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh installs it"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zanfria-footprint.XXXXXX")
started=()

stop_all() {
  local pid
  for pid in "${started[@]}"; do
    # A killed strace lets its tracee run on: end strace's children too.
    kill $(cat /proc/"$pid"/task/*/children 2>/dev/null) "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop_all EXIT

# Empty HOME and XDG folders, as a new user has them.
sandbox=$work/sandbox
mkdir -p "$sandbox"/{home,config,cache,data,state,run}
chmod 700 "$sandbox/run"

# Nothing from the caller's environment: no sound server address, no Qt or
# SDL settings; started in the home folder, as a desktop starts programs.
# The display and Qt's platform plugin are added by start_display.
# No session bus either, and none started for it: with no address at all,
# libdbus would launch a bus daemon for the display (dbus-launch, from
# dbus-x11, when installed), which outlives the game, and strace -f would
# wait for it. A check that wants a bus gives the game a private one with
# dbus-run-session, which sets its own address.
# Every signal at its default action: a shell without job control starts its
# background commands deaf to SIGINT.
clean_env=(env -i --default-signal -C "$sandbox/home" PATH=/usr/bin:/bin LANG=C.UTF-8
  HOME="$sandbox/home" XDG_CONFIG_HOME="$sandbox/config" XDG_CACHE_HOME="$sandbox/cache"
  XDG_DATA_HOME="$sandbox/data" XDG_STATE_HOME="$sandbox/state"
  XDG_RUNTIME_DIR="$sandbox/run" DBUS_SESSION_BUS_ADDRESS=disabled:)

# Every call that names a file or a socket, or uses a descriptor; -yy shows
# the file or socket behind each descriptor.
traced=(strace -f -yy -o "$work/trace" -e trace=%file,%network,%desc)

# Starts a server that tells on descriptor 3 where it can be reached: runs
# the command after $1 and $2 with descriptor 3 into $1 and its output into
# $2, and waits up to 10 s for it to tell.
start_server() {
  local told=$1 log=$2
  shift 2
  "$@" 3>"$told" >"$log" 2>&1 &
  started+=($!)
  for _ in $(seq 100); do
    [ -s "$told" ] && break
    sleep 0.1
  done
}

# Starts Xvfb on a display number it picks as free, and waits for it.
start_display() {
  start_server "$work/display" "$work/xvfb.log" \
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24
  display=:$(tr -dc 0-9 <"$work/display")
  if [ "$display" = ":" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  clean_env+=(DISPLAY="$display" QT_QPA_PLATFORM=xcb)
  export DISPLAY=$display # for xdotool
}

# The processor time process $1 has taken so far (utime + stime), in clock ticks.
cpu_ticks() {
  local stat fields
  stat=$(<"/proc/$1/stat")
  fields=(${stat##*) }) # from field 3, state, on
  echo $((fields[11] + fields[12]))
}

# Prints the id of the game's window once it is on the screen.
game_window() {
  timeout 20 xdotool search --sync --onlyvisible --name '^Il vestito di Zanfrino$' | head -n 1
}
