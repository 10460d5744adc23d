#!/usr/bin/env bash
# Runs the whole test suite on SQLite, then again on a throwaway PostgreSQL
# server started in the build folder (as the postgres user when we are root).
set -uo pipefail
BUILD=${1:-build}
PORT=${2:-54329}
BUILD=$(cd "$BUILD" && pwd)
PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
# The server's files live in a temporary folder the postgres user can reach
# (the build folder may sit below a home folder it cannot enter).
PGROOT=$(mktemp -d /tmp/velmora-pg.XXXXXX)
PGDATA="$PGROOT/data"
PGSOCK="$PGROOT"
export QT_QPA_PLATFORM=offscreen

as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop_pg() {
  [ -f "$PGDATA/postmaster.pid" ] && as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -m fast stop >/dev/null 2>&1
  rm -rf "$PGROOT"
}

if [ -z "$PGBIN" ]; then
  echo "PostgreSQL is not installed: cannot run the PostgreSQL half of the tests." >&2
  exit 1
fi
trap stop_pg EXIT
mkdir -p "$PGDATA"
chmod 755 "$PGROOT"
[ "$(id -u)" -eq 0 ] && chown -R postgres "$PGROOT"
as_pg "$PGBIN/initdb" -D "$PGDATA" -U postgres -A trust -E UTF8 >"$BUILD/pg-initdb.log" 2>&1 || { cat "$BUILD/pg-initdb.log"; exit 1; }
as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -l "$PGROOT/server.log" -w \
  -o "-p $PORT -k $PGSOCK -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off -c synchronous_commit=off" start >/dev/null \
  || { cat "$PGROOT/server.log"; exit 1; }
as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -q -c "CREATE DATABASE velmora_test" postgres || exit 1
as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -q -c "CREATE EXTENSION IF NOT EXISTS citext; CREATE EXTENSION IF NOT EXISTS pg_trgm" velmora_test || exit 1
# The server is there for both halves: a few tests of the SQLite half talk to it too.
export VELMORA_TEST_PG="host=127.0.0.1 port=$PORT user=postgres dbname=velmora_test"

status=0
echo "=== Tests on SQLite ==="
VELMORA_TEST_ENGINE=sqlite ctest --test-dir "$BUILD" --output-on-failure -j2 || status=1

echo "=== Tests on PostgreSQL ==="
VELMORA_TEST_ENGINE=postgresql \
  ctest --test-dir "$BUILD" --output-on-failure -j2 || status=1
exit $status
