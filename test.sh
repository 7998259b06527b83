#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server, runs every test
# through CTest and stops the server. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
./scripts/install-deps.sh
./scripts/build.sh

pgdir=$(mktemp -d /tmp/pmtest-pg.XXXXXX)
chmod 755 "$pgdir"
trap 'rc=$?; "$root/scripts/pgtest.sh" stop "$pgdir" || true; exit $rc' EXIT
eval "$(./scripts/pgtest.sh start "$pgdir")"
export PM_REQUIRE_PG=1 QT_QPA_PLATFORM=offscreen
echo "PostgreSQL test server on 127.0.0.1:$PM_PGPORT"

cd "$root/build"
ctest --output-on-failure -j "${JOBS:-2}" --timeout 600
