#!/usr/bin/env bash
# The long drills (`make drills`): only the drills' tests, on SQLite and then
# on a throwaway PostgreSQL server, with the durations raised unless the
# caller chose its own.
set -uo pipefail
BUILD=$(cd "${1:-build}" && pwd)
PORT=${2:-54329}
export VELMORA_DRILL_SECONDS=${VELMORA_DRILL_SECONDS:-60}
export VELMORA_DRILL_KILLS=${VELMORA_DRILL_KILLS:-50}
export QT_QPA_PLATFORM=offscreen
PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
PGROOT=$(mktemp -d /tmp/velmora-drills-pg.XXXXXX)
PGDATA="$PGROOT/data"

as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
stop_pg() {
  [ -f "$PGDATA/postmaster.pid" ] && as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -m fast stop >/dev/null 2>&1
  rm -rf "$PGROOT"
}

status=0
echo "=== Drills on SQLite (${VELMORA_DRILL_SECONDS} s, ${VELMORA_DRILL_KILLS} kills) ==="
# -V shows each drill's own summary line ("[ drill    ] ...").
VELMORA_TEST_ENGINE=sqlite ctest --test-dir "$BUILD" -L drills -V || status=1

if [ -z "$PGBIN" ]; then
  echo "PostgreSQL is not installed: the drills did not run on PostgreSQL." >&2
  exit 1
fi
trap stop_pg EXIT
mkdir -p "$PGDATA"
chmod 755 "$PGROOT"
[ "$(id -u)" -eq 0 ] && chown -R postgres "$PGROOT"
as_pg "$PGBIN/initdb" -D "$PGDATA" -U postgres -A trust -E UTF8 >/dev/null 2>&1 || exit 1
as_pg "$PGBIN/pg_ctl" -D "$PGDATA" -l "$PGROOT/server.log" -w \
  -o "-p $PORT -k $PGROOT -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off" \
  start >/dev/null || { cat "$PGROOT/server.log"; exit 1; }
as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -q -c "CREATE DATABASE velmora_test" postgres || exit 1
as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -q \
  -c "CREATE EXTENSION IF NOT EXISTS citext; CREATE EXTENSION IF NOT EXISTS pg_trgm" velmora_test || exit 1
export VELMORA_TEST_PG="host=127.0.0.1 port=$PORT user=postgres dbname=velmora_test"

echo "=== Drills on PostgreSQL ==="
# -V shows each drill's own summary line ("[ drill    ] ...").
VELMORA_TEST_ENGINE=postgresql ctest --test-dir "$BUILD" -L drills -V || status=1
exit $status
