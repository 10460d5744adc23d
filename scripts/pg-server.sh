#!/usr/bin/env bash
# A PostgreSQL server of our own for the tests and the benches, run as the
# postgres user when we are root.  Sourced, it gives the functions below;
# run as
#   pg-server.sh run ROOT PORT DATABASE -- command...
# it starts the server in ROOT (made when missing, kept afterwards), makes
# DATABASE with citext and pg_trgm when missing, runs the command with
# VELMORA_BENCH_PG naming it, and stops the server again.

PGBIN=${PGBIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}

as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# pg_server_start ROOT PORT INITDB_LOG: the cluster in ROOT/data (made when
# missing), its socket in ROOT, its log in ROOT/server.log.  ROOT must be a
# folder the postgres user can reach (the build folder may sit below a home
# folder it cannot enter).
pg_server_start() {
  local root=$1 port=$2 initlog=$3
  if [ -z "$PGBIN" ]; then
    echo "PostgreSQL is not installed." >&2
    return 1
  fi
  if [ ! -f "$root/data/PG_VERSION" ]; then
    mkdir -p "$root/data"
    chmod 755 "$root"
    [ "$(id -u)" -eq 0 ] && chown -R postgres "$root"
    as_pg "$PGBIN/initdb" -D "$root/data" -U postgres -A trust -E UTF8 >"$initlog" 2>&1 \
      || { cat "$initlog"; return 1; }
  fi
  as_pg "$PGBIN/pg_ctl" -D "$root/data" -l "$root/server.log" -w \
    -o "-p $port -k $root -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off -c synchronous_commit=off" start >/dev/null \
    || { cat "$root/server.log"; return 1; }
}

# pg_server_database PORT NAME: the database with the extensions the program needs.
pg_server_database() {
  local port=$1 name=$2
  if ! as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$port" -U postgres -Atq \
      -c "SELECT 1 FROM pg_database WHERE datname = '$name'" postgres | grep -q 1; then
    as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$port" -U postgres -q -c "CREATE DATABASE $name" postgres || return 1
  fi
  as_pg "$PGBIN/psql" -h 127.0.0.1 -p "$port" -U postgres -q \
    -c "SET client_min_messages TO warning; CREATE EXTENSION IF NOT EXISTS citext; CREATE EXTENSION IF NOT EXISTS pg_trgm" "$name"
}

# pg_server_stop ROOT: stops the server (its files stay).
pg_server_stop() {
  local root=$1
  [ -f "$root/data/postmaster.pid" ] && as_pg "$PGBIN/pg_ctl" -D "$root/data" -m fast stop >/dev/null 2>&1
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -uo pipefail
  if [ "${1:-}" != run ] || [ $# -lt 6 ] || [ "$5" != -- ]; then
    echo "usage: pg-server.sh run ROOT PORT DATABASE -- command..." >&2
    exit 2
  fi
  root=$2 port=$3 database=$4
  shift 5
  pg_server_start "$root" "$port" "$root.initdb.log" || exit 1
  trap 'pg_server_stop "$root"' EXIT
  pg_server_database "$port" "$database" || exit 1
  export VELMORA_BENCH_PG="host=127.0.0.1 port=$port user=postgres dbname=$database"
  "$@"
fi
