#!/usr/bin/env bash
# Shows that trace-verdict.py catches what the footprint check is there for:
# small programs that write a file, read one of their own, or open a socket
# are traced exactly as the game is, and each must be failed for the right
# reason, while programs that only read system files must pass.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
failed=0

# check WANT PROGRAM ARGS...: WANT is "pass" or the fault line the verdict must print.
check() {
  local want=$1 verdict status=0
  shift
  local run="$*"
  run=${run//$sandbox/\$SANDBOX}
  rm -f "$work/trace"
  "${clean_env[@]}" "${traced[@]}" "$@" >/dev/null 2>&1 || true
  verdict=$("$here/trace-verdict.py" "$work/trace" --sandbox "$sandbox" --game "$1" \
    --display 0 2>&1) || status=$?
  if [ "$want" = pass ] && [ "$status" -eq 0 ]; then
    echo "ok   passes: $run"
  elif [ "$want" != pass ] && [ "$status" -eq 1 ] && grep -qxF "FOOTPRINT: $want" <<<"$verdict"; then
    echo "ok   $want: $run"
  else
    echo "FAIL expected '$want' for: $run"
    echo "$verdict"
    failed=1
  fi
}

# Reading system files, writing to /dev/null: no footprint.
check pass /usr/bin/cat /etc/ld.so.cache /etc/fonts/fonts.conf
check pass /usr/bin/dd if=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf of=/dev/null

# Writing: a new file, a folder, a renamed or removed file, a copy.
check "write \$SANDBOX/home/.zanfria" /usr/bin/touch "$sandbox/home/.zanfria"
check "write \$SANDBOX/config/zanfria" /usr/bin/mkdir "$sandbox/config/zanfria"
touch "$sandbox/data/record"
check "write \$SANDBOX/data/best" /usr/bin/mv "$sandbox/data/record" "$sandbox/data/best"
check "write \$SANDBOX/data/best" /usr/bin/rm "$sandbox/data/best"
check "write \$SANDBOX/cache/no/board (attempted)" /usr/bin/cp /etc/ld.so.cache "$sandbox/cache/no/board"

# Reading outside the system's libraries and data, even a file that is not there.
check "read /etc/hostname" /usr/bin/cat /etc/hostname
check "read \$SANDBOX/config/zanfria.conf (attempted)" /usr/bin/cat "$sandbox/config/zanfria.conf"

# Sockets: any inet socket, any unix socket but the display's and the sound server's.
check "socket AF_INET" /usr/bin/bash -c 'exec 3<>/dev/tcp/127.0.0.1/9'
check "socket \$SANDBOX/run/bus (attempted)" /usr/bin/python3 -c \
  "import socket; socket.socket(socket.AF_UNIX).connect('$sandbox/run/bus')"

# A trace that does not show the program starting proves nothing.
check "trace: it never shows /no/such/game starting" /no/such/game
exit "$failed"
