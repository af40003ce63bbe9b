#!/usr/bin/env bash
# A PostGIS table of POINTS points (1,000,000 by default) in PSAD56 / UTM 19S
# (EPSG:24879), between 18 and 43 S, in a throw-away PostgreSQL 15 cluster
# with PostGIS 3 that pg_virtualenv starts for the run and drops after it:
#   (a) trevalco-cli layer, from the table to a new table in SIRGAS-Chile
#       2021 / UTM 19S (EPSG:20049), in one transaction;
#   (b) PostGIS's own ST_Transform with the PSAD56 to SIRGAS shift grid, as
#       docs/cuadriculas.md registers it, into a new table with the same
#       key and spatial index, in one transaction;
#   (c) ogr2ogr copying the same table unchanged: the floor.
# Seconds and peak memory of each: of the client program, and the largest
# peak of the server's processes during it (where (b) does all its work);
# the ratios of (a) and (b) to (c); and at 10,000 sampled rows the worst
# distance between (a), (b) and trevalco-cli convert (which prints
# millimetres, so up to 0.7 mm of that is its rounding).
#
# PostGIS's PROJ runs in the server and looks the grid up by name: an
# installed package puts it in /usr/share/proj, which PROJ searches; here
# the grids just built are named in the throw-away cluster's `environment`
# file (PROJ_DATA) and the server restarted. Against another server, give
# it the grids so (see docs/cuadriculas.md) and PGHOST.
#
#   bench/postgis_bench.sh [BUILD_DIR] [POINTS]   (default: build/release 1000000)
set -euo pipefail
build="$(realpath "${1:-build/release}")"
points="${2:-1000000}"
if [ -z "${PGHOST:-}" ]; then
  exec pg_virtualenv -t -v 15 "$0" "$build" "$points"  # -t: its own cluster, as root too
fi
if [ -n "${PG_CLUSTER_CONF_ROOT:-}" ]; then
  echo "PROJ_DATA = '$build/packaging/proj:/usr/share/proj'" >> "$PG_CLUSTER_CONF_ROOT/$PGVERSION/regress/environment"
  pg_ctlcluster "$PGVERSION" regress restart
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

# The recipe's rows: SIRGAS-Chile 2021 / UTM 19S, and PSAD56 / UTM 19S with
# the grid under an authority of its own.
psql -X -q -v ON_ERROR_STOP=1 <<SQL
INSERT INTO spatial_ref_sys (srid, auth_name, auth_srid, proj4text) VALUES
  (20049, 'EPSG', 20049, '+proj=utm +zone=19 +south +ellps=GRS80 +towgs84=0,0,0,0,0,0,0 +units=m +no_defs'),
  (924879, 'TREVALCO', 924879, '+proj=utm +zone=19 +south +ellps=intl +nadgrids=cl_trevalco_psad56_sirgas.tif +units=m +no_defs');
SQL

# The largest peak resident size (kB) among the server's processes, sampled
# until stopped; 0 where the server is not on this machine.
server_peak() {
  local postmaster peak=0 kb
  postmaster=$(head -1 "$(psql -X -At -c 'SHOW data_directory')/postmaster.pid" 2> /dev/null) || postmaster=""
  trap 'echo "$peak" > server_peak.txt; exit' TERM
  while [ -n "$postmaster" ]; do
    for pid in $(pgrep -P "$postmaster"); do
      kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2> /dev/null) || continue
      [ "${kb:-0}" -gt "$peak" ] && peak=$kb
    done
    sleep 0.2
  done
}

run() {  # label, table it writes, command...
  local label="$1" table="$2"; shift 2
  psql -X -q -c "DROP TABLE IF EXISTS $table"
  server_peak & local sampler=$!
  /usr/bin/time -f "%e %M" -o time.txt "$@" > /dev/null 2> err.txt || { kill "$sampler"; cat err.txt >&2; exit 1; }
  kill "$sampler"; wait "$sampler" || true
  read -r seconds kb < time.txt
  local rows
  rows=$(psql -X -At -c "SELECT count(*) FROM $table")
  printf "%-26s %9d rows  %7.2f s  peak %5d MB client, %5d MB server\n" "$label" "$rows" "$seconds" \
    $((kb / 1024)) $(($(cat server_peak.txt) / 1024)) >&2
  echo "$seconds"
}

echo "PostgreSQL $(psql -X -At -c 'SHOW server_version'), PostGIS $(psql -X -At -c 'SELECT postgis_lib_version()'), $points points" >&2
ours=$(run "(a) trevalco-cli layer" puntos_sirgas "$build/cli/trevalco-cli" layer PG:dbname=bench PG:dbname=bench \
  --source-layer puntos --target-layer puntos_sirgas --to sirgas)
grid=$(run "(b) ST_Transform + grid" puntos_grid psql -X -q -1 -v ON_ERROR_STOP=1 -c "
  CREATE TABLE puntos_grid AS SELECT id, name, area,
    ST_Transform(ST_SetSRID(geom, 924879), 20049)::geometry(Point, 20049) AS geom FROM puntos;
  ALTER TABLE puntos_grid ADD PRIMARY KEY (id);
  CREATE INDEX ON puntos_grid USING gist (geom);")
copy=$(run "(c) ogr2ogr copy" puntos_copia ogr2ogr -update -f PostgreSQL PG:dbname=bench PG:dbname=bench puntos \
  -nln puntos_copia -lco GEOMETRY_NAME=geom)
awk -v a="$ours" -v b="$grid" -v c="$copy" 'BEGIN { printf "(a) / (c) = %.2f   (b) / (c) = %.2f\n", a / c, b / c }'

# 10,000 rows spread over the table: source, (a) and (b); the program's
# own conversion of the source point beside them.
psql -X -At -F ' ' -c "SELECT ST_Y(p.geom), ST_X(p.geom), ST_Y(a.geom), ST_X(a.geom), ST_Y(b.geom), ST_X(b.geom)
  FROM puntos p JOIN puntos_sirgas a ON a.id = p.id JOIN puntos_grid b ON b.id = p.id
  WHERE p.id % GREATEST($points / 10000, 1) = 0 ORDER BY p.id" > sample.txt
awk '{ print $1, $2, 19 }' sample.txt | "$build/cli/trevalco-cli" convert --direction PSAD56_SIRGAS --from utm --force-zone 19 |
  cut -f 8,9 | paste -d ' ' sample.txt - | awk '
  function d(n1, e1, n2, e2) { return sqrt((n1 - n2) ^ 2 + (e1 - e2) ^ 2) * 1000 }
  { ab = d($3, $4, $5, $6); ap = d($3, $4, $7, $8); bp = d($5, $6, $7, $8)
    if (ab > wab) wab = ab; if (ap > wap) wap = ap; if (bp > wbp) wbp = bp }
  END { printf "%d sampled rows, worst distance: (a)-(b) %.3f mm, (a)-program %.3f mm, (b)-program %.3f mm\n", NR, wab, wap, wbp }'
