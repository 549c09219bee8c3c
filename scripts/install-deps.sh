#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs, and only those that are
# missing: "install-deps.sh game" those to build and play it, with no
# argument those to test, measure and package it as well.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-wayland qt6-translations-l10n fonts-dejavu-core fonts-liberation2
  libsdl2-dev
)
[ "${1:-all}" = game ] || packages+=(
  libgtest-dev libgmock-dev libbenchmark-dev
  strace xvfb weston xdotool python3 python3-pil dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
  orca speech-dispatcher openbox
  pulseaudio pulseaudio-utils
  desktop-file-utils appstream groff-base dpkg-dev file lintian man-db
  faketime diffoscope-minimal
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
