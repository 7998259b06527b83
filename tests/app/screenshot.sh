#!/usr/bin/env bash
# Builds shell_screenshot and renders the main window with the navigation desktop into a PNG
# (default: /tmp/purchase-main.png) to check by eye that the Chinese captions render.
#   tests/app/screenshot.sh [build-dir] [out.png]
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD_DIR=${1:-build}
OUT=${2:-/tmp/purchase-main.png}
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" >/dev/null
fi
cmake --build "$BUILD_DIR" --target shell_screenshot -j2 >/dev/null
cd "$BUILD_DIR/bin"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} LANG=C.UTF-8 ./shell_screenshot "$OUT"
