#!/usr/bin/env bash
# A GeoPackage of POLYGONS polygons (100,000 by default) of 10 vertices in
# PSAD56 / UTM 19S, converted to SIRGAS-Chile 2021 / UTM 19S by
# trevalco-cli layer and reprojected by ogr2ogr -t_srs in the same run, with a
# plain ogr2ogr copy as the floor: seconds, peak memory, and the ratio of
# trevalco-cli's time to ogr2ogr's. The three run in turn ROUNDS times (3 by
# default) and the medians are compared, so that a slow moment of a shared
# machine does not fall on one of them only.
#
#   [ROUNDS=N] bench/layer_bench.sh [BUILD_DIR] [POLYGONS]   (default: build/release 100000)
set -euo pipefail
build="${1:-build/release}"
polygons="${2:-100000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Ten-vertex rings (nine corners and the closing one) between 18 and 44 S
# near 70 W, with a name and a number a feature.
awk -v n="$polygons" 'BEGIN {
  print "name,area,WKT"
  for (f = 1; f <= n; f++) {
    e = 250000 + (f % 400) * 500; nn = 5150000 + int(f / 400) * 11000 % 2850000
    ring = ""
    for (v = 0; v < 9; v++) ring = ring sprintf("%.3f %.3f,", e + 200 * cos(v * 0.698), nn + 200 * sin(v * 0.698))
    ring = ring sprintf("%.3f %.3f", e + 200, nn)
    printf "P%d,%d,\"POLYGON ((%s))\"\n", f, f % 977, ring
  } }' > "$work/poligonos.csv"
ogr2ogr -q -f GPKG -a_srs EPSG:24879 -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO \
  -nlt POLYGON -nln poligonos "$work/in.gpkg" "$work/poligonos.csv"

run() {  # label, command...
  local label="$1"; shift
  rm -f "$work/out.gpkg"
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" > /dev/null 2> "$work/err" || { cat "$work/err"; exit 1; }
  read -r seconds kb < "$work/time"
  printf "%-22s %8d polygons  %6.2f s  peak %5d MB\n" "$label" "$polygons" "$seconds" $((kb / 1024)) >&2
  echo "$seconds"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
rounds="${ROUNDS:-3}"
: > "$work/copy"; : > "$work/ogr"; : > "$work/ours"
for ((round = 1; round <= rounds; round++)); do
  run "ogr2ogr copy" ogr2ogr -f GPKG "$work/out.gpkg" "$work/in.gpkg" >> "$work/copy"
  run "ogr2ogr -t_srs 20049" ogr2ogr -f GPKG -t_srs EPSG:20049 "$work/out.gpkg" "$work/in.gpkg" >> "$work/ogr"
  run "trevalco-cli layer" "$build/cli/trevalco-cli" layer "$work/in.gpkg" "$work/out.gpkg" --to sirgas >> "$work/ours"
done
copy=$(median < "$work/copy"); ogr=$(median < "$work/ogr"); ours=$(median < "$work/ours")
awk -v o="$ours" -v g="$ogr" -v c="$copy" -v r="$rounds" \
  'BEGIN { printf "medians of %d rounds: trevalco-cli / ogr2ogr -t_srs = %.2f (%.2f s / %.2f s); plain copy %.2f s\n", r, o / g, o, g, c }'
