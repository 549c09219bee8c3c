#!/usr/bin/env bash
# Makes the Debian package twice from the last commit with `make package`, in
# two folders of different names and on two different days (the second three
# days ahead, in another time zone and with another umask), and checks that
# the two packages are the same bytes.  Uncommitted changes are in neither.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain)" ]; then
  echo "Uncommitted changes are left out: both packages are of commit $commit."
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The package takes its date from the commit, not from the caller.
unset SOURCE_DATE_EPOCH

# Clones the commit into $1 and makes its package there, running make under
# the command that follows $1, if any; the output goes to $1.log.
package() {
  local dir=$1 run=("${@:2}")
  if ! { git clone --quiet --no-checkout "$root" "$dir" &&
         git -C "$dir" checkout --quiet --detach "$commit" &&
         "${run[@]}" make -C "$dir" package; } >"$dir.log" 2>&1; then
    cat "$dir.log"
    echo "make package failed in $dir."
    exit 1
  fi
}

echo "Making the package of commit $commit twice..."
start=$(date +%s)
(umask 022 && package "$scratch/first")
(umask 002 && export TZ=Pacific/Auckland && package "$scratch/second-build" faketime -f +3d)
debs=("$scratch"/first/build/*.deb "$scratch"/second-build/build/*.deb)
(cd "$scratch" && sha256sum "${debs[@]#"$scratch"/}")
echo "Both took $(( $(date +%s) - start )) s."

if cmp -s "${debs[@]}"; then
  echo "The two packages are the same bytes."
  exit 0
fi
echo "The two packages differ:"
diffoscope "${debs[@]}" || true
exit 1
