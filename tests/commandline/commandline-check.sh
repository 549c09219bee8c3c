#!/usr/bin/env bash
# The program's command line, run as a shell would, with nothing from the
# caller's environment. Usage: commandline-check.sh GAME
set -uo pipefail
game=$1
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"

# expect WHAT STATUS OUT-PATTERN ERROR-LINES [VAR=VALUE...] -- ARGS...: the
# game's status, its standard output against the pattern (an empty pattern:
# no output at all), and how many lines it writes to standard error.
expect() {
  local what=$1 status=$2 pattern=$3 errors=$4 env=() got=0
  shift 4
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$work" "${env[@]}" timeout 60 "$game" "$@" \
    >"$work/out" 2>"$work/err" || got=$?
  local output=ok
  if [ -n "$pattern" ]; then grep -Eq "$pattern" "$work/out" || output=wrong
  elif [ -s "$work/out" ]; then output=wrong; fi
  if [ "$got" -ne "$status" ] || [ "$output" != ok ] ||
     [ "$(wc -l <"$work/err")" -ne "$errors" ]; then
    echo "FAIL $what: status $got, output [$(cat "$work/out")], errors [$(cat "$work/err")]"
    failed=1
  else
    echo "ok   $what"
  fi
}

# Neither option needs a display.
expect "--version" 0 '^zanfria 1\.00$' 0 -- --version
expect "--help" 0 '^Uso: zanfria' 0 -- --help
# What it does not know: one line, status 2, with a display or without.
expect "an unknown option" 2 '' 1 -- --colore=rosso
expect "an unknown word" 2 '' 1 QT_QPA_PLATFORM=offscreen -- partita
# No window system to be had, whatever the reason: one clear line and
# status 1, never Qt's page of advice and its abort (status 134).
expect "no display" 1 '' 1 --
expect "a display with no server" 1 '' 1 DISPLAY=:7391 --
expect "a garbage display" 1 '' 1 'DISPLAY=%%not a display%%' --
expect "-display with no server" 1 '' 1 -- -display :7391
expect "Wayland with no compositor" 1 '' 1 QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=zanfria-none --
expect "-platform bogus" 1 '' 1 -- -platform bogus
# Qt's standard options are Qt's: -style is taken, the platform still missing.
expect "-style with no display" 1 '' 1 -- -style Fusion
exit "$failed"
