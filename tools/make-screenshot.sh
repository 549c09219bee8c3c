#!/usr/bin/env bash
# Remakes docs/screenshot.png from the real window, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
make build
QT_QPA_PLATFORM=offscreen build/tools/screenshot docs/screenshot.png
