#!/usr/bin/env bash
# Starts or stops a throwaway PostgreSQL server on 127.0.0.1 for the tests.
#   pgtest.sh start DIR   prints the shell lines that export PM_PGHOST/PORT/USER/PASSWORD
#   pgtest.sh stop DIR
set -euo pipefail
cmd=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
run_as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
start)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
  password=pmtest
  echo "$password" > "$dir/pw"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir/pw"
  run_as_pg "$bindir/initdb" -D "$dir/data" -U sa --auth=scram-sha-256 --pwfile="$dir/pw" -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
  port=55432
  while (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; do port=$((port + 1)); done
  run_as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null \
    || { cat "$dir/server.log" >&2; exit 1; }
  echo "export PM_PGHOST=127.0.0.1 PM_PGPORT=$port PM_PGUSER=sa PM_PGPASSWORD=$password"
  ;;
stop)
  if [ -d "$dir/data" ]; then
    run_as_pg "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
esac
