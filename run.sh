#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database on first start and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
bin=build/bin
if [ ! -f "$bin/Config.ini" ]; then
  echo "First start: creating the demo database with dbinstall"
  "$bin/dbinstall" --demo --database "$PWD/$bin/doRIZuv.db" --config "$bin/Config.ini"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
  echo "No display found: start the program under a virtual display with  xvfb-run -a $bin/purchase"
  exit 1
fi
exec "$bin/purchase" "$@"
