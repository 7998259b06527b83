#!/usr/bin/env bash
# Renders screenshots of the report preview and the report designer with the demonstration
# template, without a display. Usage: tests/reporting/screenshots.sh [output folder]
# BUILD_DIR chooses the build folder (default: build beside the sources).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-/tmp/report-screenshots}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target report_screenshots >/dev/null
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$build/bin/report_screenshots" "$out"
