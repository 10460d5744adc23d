#!/usr/bin/env bash
# Runs the whole test suite on SQLite, then again on a throwaway PostgreSQL
# server started in the build folder (as the postgres user when we are root).
set -uo pipefail
BUILD=${1:-build}
PORT=${2:-54329}
BUILD=$(cd "$BUILD" && pwd)
# The server's files live in a temporary folder the postgres user can reach
# (the build folder may sit below a home folder it cannot enter).
source "$(dirname "$0")/pg-server.sh"
PGROOT=$(mktemp -d /tmp/velmora-pg.XXXXXX)
export QT_QPA_PLATFORM=offscreen

stop_pg() {
  pg_server_stop "$PGROOT"
  rm -rf "$PGROOT"
}

if [ -z "$PGBIN" ]; then
  echo "PostgreSQL is not installed: cannot run the PostgreSQL half of the tests." >&2
  exit 1
fi
trap stop_pg EXIT
pg_server_start "$PGROOT" "$PORT" "$BUILD/pg-initdb.log" || exit 1
pg_server_database "$PORT" velmora_test || exit 1
# The server is there for both halves: a few tests of the SQLite half talk to it too.
export VELMORA_TEST_PG="host=127.0.0.1 port=$PORT user=postgres dbname=velmora_test"

status=0
echo "=== Tests on SQLite ==="
VELMORA_TEST_ENGINE=sqlite ctest --test-dir "$BUILD" --output-on-failure -j2 || status=1

echo "=== Tests on PostgreSQL ==="
VELMORA_TEST_ENGINE=postgresql \
  ctest --test-dir "$BUILD" --output-on-failure -j2 || status=1
exit $status
