#!/usr/bin/env bash
# Converts the same random points of continental Chile (17..56 S, 66..76 W)
# with `trevalco-cli convert` (SIRGAS to SAD69 from decimal degrees) and with
# PROJ's cs2cs (GRS80 to the SAD69 ellipsoid with the matching geocentric
# translation, then UTM 19 south), and prints both throughputs and their ratio.
#
#   bench/compare_cs2cs.sh [POINTS] [TREVALCO_CLI]
set -euo pipefail
points=${1:-1000000}
cli=${2:-build/release/cli/trevalco-cli}
command -v cs2cs >/dev/null || { echo "cs2cs not found: apt-get install proj-bin" >&2; exit 2; }
[ -x "$cli" ] || { echo "$cli not found: build first (cmake --workflow --preset release)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$points" 'BEGIN { srand(20261206);
  for (i = 0; i < n; i++) printf "%.10f %.10f\n", 17 + rand() * 39, 66 + rand() * 10 }' \
  > "$work/trevalco.txt"
# cs2cs takes signed longitude first.
awk '{ printf "-%s -%s\n", $2, $1 }' "$work/trevalco.txt" > "$work/cs2cs.txt"

now() { date +%s.%N; }

start=$(now)
"$cli" convert --direction SIRGAS_SAD69 --from dd < "$work/trevalco.txt" > "$work/trevalco.out" 2>/dev/null || true
trevalco_seconds=$(awk -v a="$start" -v b="$(now)" "BEGIN { print b - a }")

start=$(now)
cs2cs -f %.3f +proj=longlat +ellps=GRS80 +towgs84=0,0,0 \
  +to +proj=utm +zone=19 +south +a=6378160 +b=6356774.719 +towgs84=-64,0,-32 \
  < "$work/cs2cs.txt" > "$work/cs2cs.out"
cs2cs_seconds=$(awk -v a="$start" -v b="$(now)" "BEGIN { print b - a }")

lines=$(wc -l < "$work/trevalco.out")
[ "$lines" -eq "$points" ] || { echo "trevalco-cli wrote $lines lines for $points points" >&2; exit 1; }

awk -v n="$points" -v t="$trevalco_seconds" -v c="$cs2cs_seconds" 'BEGIN {
  printf "points:        %d\n", n
  printf "trevalco-cli:  %.3f s  %10.0f points/s\n", t, n / t
  printf "cs2cs:         %.3f s  %10.0f points/s\n", c, n / c
  printf "ratio:         %.2f (trevalco-cli / cs2cs throughput)\n", c / t }'
