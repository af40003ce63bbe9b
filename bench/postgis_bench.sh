#!/usr/bin/env bash
# A PostGIS table of POINTS points (1,000,000 by default) in PSAD56 / UTM 19S
# (EPSG:24879), between 18 and 43 S, in a throw-away PostgreSQL 15 cluster
# with PostGIS 3 that pg_virtualenv starts for the run and drops after it:
#   (a) trevalco-cli layer, from the table to a new table in SIRGAS-Chile
#       2021 / UTM 19S (EPSG:20049), in one transaction;
#   (b) PostGIS's own ST_Transform with a shift grid (to come, see below);
#   (c) ogr2ogr copying the same table unchanged: the floor.
# Seconds and peak memory (of the client program; the server's backend is
# not counted) of each, and the ratio of (a) to (c).
#
#   bench/postgis_bench.sh [BUILD_DIR] [POINTS]   (default: build/release 1000000)
set -euo pipefail
build="$(realpath "${1:-build/release}")"
points="${2:-1000000}"
if [ -z "${PGHOST:-}" ]; then
  exec pg_virtualenv -t -v 15 "$0" "$build" "$points"  # -t: its own cluster, as root too
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"  # pg_virtualenv's postgres user must not need the caller's folder

psql -X -q -c "CREATE DATABASE bench"
export PGDATABASE=bench PGOPTIONS="-c client_min_messages=warning"
psql -X -q -v ON_ERROR_STOP=1 <<SQL
CREATE EXTENSION postgis;
CREATE TABLE puntos AS
  SELECT i AS id, 'P' || i AS name, i % 977 AS area,
         ST_SetSRID(ST_MakePoint(250000 + (i % 1000) * 400.123,
                                 5250000 + (i / 1000) * 2750000.0 / ($points / 1000 + 1)), 24879)::geometry(Point, 24879) AS geom
  FROM generate_series(1, $points) AS i;
ALTER TABLE puntos ADD PRIMARY KEY (id);
CREATE INDEX ON puntos USING gist (geom);
VACUUM ANALYZE puntos;
SQL

run() {  # label, table it writes, command...
  local label="$1" table="$2"; shift 2
  psql -X -q -c "DROP TABLE IF EXISTS $table"
  /usr/bin/time -f "%e %M" -o time.txt "$@" > /dev/null 2> err.txt || { cat err.txt >&2; exit 1; }
  read -r seconds kb < time.txt
  local rows
  rows=$(psql -X -At -c "SELECT count(*) FROM $table")
  printf "%-34s %9d rows  %7.2f s  peak %5d MB\n" "$label" "$rows" "$seconds" $((kb / 1024)) >&2
  echo "$seconds"
}

echo "PostgreSQL $(psql -X -At -c 'SHOW server_version'), PostGIS $(psql -X -At -c 'SELECT postgis_lib_version()'), $points points" >&2
ours=$(run "(a) trevalco-cli layer" puntos_sirgas "$build/cli/trevalco-cli" layer PG:dbname=bench PG:dbname=bench \
  --source-layer puntos --target-layer puntos_sirgas --to sirgas)
# (b) PostGIS's ST_Transform with a shift grid: the grid command's work
# puts its line here, timed the same way, e.g.
#   grid=$(run "(b) ST_Transform + grid" puntos_grid psql -X -q -c "CREATE TABLE puntos_grid AS ...")
copy=$(run "(c) ogr2ogr copy" puntos_copia ogr2ogr -update -f PostgreSQL PG:dbname=bench PG:dbname=bench puntos \
  -nln puntos_copia -lco GEOMETRY_NAME=geom)
awk -v a="$ours" -v c="$copy" 'BEGIN { printf "(a) / (c) = %.2f\n", a / c }'
