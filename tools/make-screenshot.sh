#!/usr/bin/env bash
# Remakes the pictures in docs/ from the real window and its drawing code, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
make build
QT_QPA_PLATFORM=offscreen build/tools/screenshot docs
